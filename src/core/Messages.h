// Every text the game shows in a message box, in one table, readable (UTF-8) and easy to grep.
#pragma once

#include <string>

// One message: the words the game has always shown (Polish, written here in UTF-8; the platform
// gets them in Windows-1250).
struct MessageText {
    const char* polish;
};

namespace messages {

// The display could not be set up; one text per step, in the order the steps are taken.
inline constexpr MessageText kDisplayDevice{"Padł Direct Draw"};
inline constexpr MessageText kDisplayInterface{"Padł Direct Draw 7"};
inline constexpr MessageText kDisplayExclusive{"Padł Tryb Wyłączności"};
inline constexpr MessageText kDisplayResolution{"Padła Rozdzielczość"};
inline constexpr MessageText kDisplayFrontSurface{"Przednia Powierzchnia Padła"};
inline constexpr MessageText kDisplayBackSurface{"Tylnia Powierzchnia Padła"};

// Pictures that were decoded but could not be made into surfaces.
inline constexpr MessageText kIconSurface{"Błąd Tworzenia powierzchni ikony"};
inline constexpr MessageText kAnimationCopy{"Błąd kopiowania powierzchni animacji"};
inline constexpr MessageText kFontSurface{"Błąd Tworzenia powierzchni "};
inline constexpr MessageText kStatusSurface{"Błąd Tworzenia powierzchni: Obiekt Bohater"};
inline constexpr MessageText kTileSurface{"Błąd Tworzenia powierzchni tła"};
inline constexpr MessageText kBranchSurface{"Błąd Tworzenia powierzchni liści"};
inline constexpr MessageText kArtefactSurface{"Błąd Tworzenia powierzchni artefaktów"};
inline constexpr MessageText kStaticPlan{"Błąd Tworzenia statycznego planu"};

// Files that are there but cannot be read.
inline constexpr MessageText kXmlRead{"Błąd odczytu pliku XML"};
inline constexpr MessageText kCollisionFileRead{"Błąd Odczytu Pliku Kolizji"};

// Screen backgrounds (the spelling of each is the game's own).
inline constexpr MessageText kVideoMemory{"16 MB of video memory is needed!"};
inline constexpr MessageText kMenuBackground{"Błąd ładowania tla menu główne"};
inline constexpr MessageText kScreenBackground{"Błąd ładowania bitmapy tła"};
inline constexpr MessageText kBriefingBackground{"Bład ładowania tła Briefing"};

// A player's file (options, a save slot, the best scores) could not be written: the head line for
// the file, then the file's path after kFileLabel, then kOldFileKept.
inline constexpr MessageText kOptionsNotSaved{"Nie udało się zapisać ustawień gry."};
inline constexpr MessageText kSaveSlotNotSaved{"Nie udało się zapisać stanu gry po ukończonym poziomie."};
inline constexpr MessageText kBestScoresNotSaved{"Nie udało się zapisać tabeli najlepszych wyników."};
inline constexpr MessageText kFileLabel{"Plik: "};
inline constexpr MessageText kOldFileKept{
    "Poprzednia zawartość pliku została zachowana, a gra toczy się dalej. "
    "Sprawdź, czy w tym folderze można zapisywać pliki."};

}  // namespace messages

// The text as the platform's message box takes it (Windows-1250).
std::string MessageForPlatform(const MessageText& message);
// Shows the message in a box with one OK button.
void ShowGameMessage(const MessageText& message);
