// Every text the game shows in a message box, in one table, readable (UTF-8) and easy to grep.
#pragma once

#include <string>

// One message in each language the game speaks: the words the game has always shown (Polish) and
// their English. Written here in UTF-8; the platform gets them in Windows-1250. Both are required,
// so no message can be added without its English.
struct MessageText {
    constexpr MessageText(const char* polishText, const char* englishText) : polish(polishText), english(englishText) {}
    const char* polish;
    const char* english;
};

namespace messages {

// The display could not be set up; one text per step, in the order the steps are taken.
inline constexpr MessageText kDisplayDevice{"Padł Direct Draw", "Direct Draw failed"};
inline constexpr MessageText kDisplayInterface{"Padł Direct Draw 7", "Direct Draw 7 failed"};
inline constexpr MessageText kDisplayExclusive{"Padł Tryb Wyłączności", "Exclusive mode failed"};
inline constexpr MessageText kDisplayResolution{"Padła Rozdzielczość", "The resolution failed"};
inline constexpr MessageText kDisplayFrontSurface{"Przednia Powierzchnia Padła", "The front surface failed"};
inline constexpr MessageText kDisplayBackSurface{"Tylnia Powierzchnia Padła", "The back surface failed"};

// Pictures that were decoded but could not be made into surfaces.
inline constexpr MessageText kIconSurface{"Błąd Tworzenia powierzchni ikony", "Error creating the icon surface"};
inline constexpr MessageText kAnimationCopy{"Błąd kopiowania powierzchni animacji",
                                            "Error copying the animation surface"};
inline constexpr MessageText kFontSurface{"Błąd Tworzenia powierzchni ", "Error creating the font surface"};
inline constexpr MessageText kStatusSurface{"Błąd Tworzenia powierzchni: Obiekt Bohater",
                                            "Error creating a surface: the hero object"};
inline constexpr MessageText kTileSurface{"Błąd Tworzenia powierzchni tła", "Error creating the background surface"};
inline constexpr MessageText kBranchSurface{"Błąd Tworzenia powierzchni liści", "Error creating the leaves surface"};
inline constexpr MessageText kArtefactSurface{"Błąd Tworzenia powierzchni artefaktów",
                                              "Error creating the artefacts surface"};
inline constexpr MessageText kStaticPlan{"Błąd Tworzenia statycznego planu", "Error creating the static plan"};

// Files that are there but cannot be read.
inline constexpr MessageText kXmlRead{"Błąd odczytu pliku XML", "Error reading an XML file"};
inline constexpr MessageText kCollisionFileRead{"Błąd Odczytu Pliku Kolizji", "Error reading the collision file"};

// Screen backgrounds (the spelling of each Polish text is the game's own).
inline constexpr MessageText kVideoMemory{"16 MB of video memory is needed!", "16 MB of video memory is needed!"};
inline constexpr MessageText kMenuBackground{"Błąd ładowania tla menu główne",
                                             "Error loading the main menu background"};
inline constexpr MessageText kScreenBackground{"Błąd ładowania bitmapy tła", "Error loading the background bitmap"};
inline constexpr MessageText kBriefingBackground{"Bład ładowania tła Briefing",
                                                 "Error loading the briefing background"};

// A player's file (options, a save slot, the best scores) could not be written: the head line for
// the file, then the file's path after kFileLabel, then kOldFileKept.
inline constexpr MessageText kOptionsNotSaved{"Nie udało się zapisać ustawień gry.",
                                              "The game's options could not be saved."};
inline constexpr MessageText kSaveSlotNotSaved{"Nie udało się zapisać stanu gry po ukończonym poziomie.",
                                               "The game could not be saved after the finished level."};
inline constexpr MessageText kBestScoresNotSaved{"Nie udało się zapisać tabeli najlepszych wyników.",
                                                 "The best scores could not be saved."};
inline constexpr MessageText kFileLabel{"Plik: ", "File: "};
inline constexpr MessageText kOldFileKept{
    "Poprzednia zawartość pliku została zachowana, a gra toczy się dalej. "
    "Sprawdź, czy w tym folderze można zapisywać pliki.",
    "The file's previous contents were kept and the game goes on. "
    "Check that files can be written in this folder."};

// Drawn over a paused level with the sprite font.
inline constexpr MessageText kPausedNotice{"pauza", "pause"};

}  // namespace messages

// The text in the current language (UTF-8).
const char* MessageInLanguage(const MessageText& message);
// The text in the current language as the platform's message box takes it (Windows-1250).
std::string MessageForPlatform(const MessageText& message);
// Shows the message in a box with one OK button.
void ShowGameMessage(const MessageText& message);
