// The texts of the message boxes about the player's files that could not be saved (UTF-8 here; shown in
// Windows-1250 like every other message of the game).
#pragma once

namespace player_file_texts {

inline constexpr char kOptionsNotSaved[] = "Nie udało się zapisać ustawień gry.";
inline constexpr char kSaveSlotNotSaved[] = "Nie udało się zapisać stanu gry po ukończonym poziomie.";
inline constexpr char kBestScoresNotSaved[] = "Nie udało się zapisać tabeli najlepszych wyników.";
inline constexpr char kFileLabel[] = "Plik: ";
inline constexpr char kOldFileKept[] =
    "Poprzednia zawartość pliku została zachowana, a gra toczy się dalej. "
    "Sprawdź, czy w tym folderze można zapisywać pliki.";

}  // namespace player_file_texts
