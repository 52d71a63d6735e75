// The table of the ten best scores, with name entry for a new one.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "gfx/Surfaces.h"

struct GameDlgFields;

class CHighscore {
public:
    static constexpr int kRowCount = 10;
    static constexpr size_t kNameSize = 10;
    static constexpr size_t kRecordSize = 14;
    static constexpr size_t kFileSize = kRowCount * kRecordSize;

    struct Entry {
        std::string name;
        std::string scoreText;
        int32_t score = 0;
    };
    using Table = std::array<Entry, kRowCount>;

    // Starts a pending outro, reads Highscore.dat and opens a row when the player's score beats one.
    explicit CHighscore(GameDlgFields* window);
    // Writes Highscore.dat.
    ~CHighscore();
    CHighscore(const CHighscore&) = delete;
    CHighscore& operator=(const CHighscore&) = delete;

    // Keys, then drawing; once per frame while the table is shown.
    void Run(GameDlgFields* window);

    // The file's bytes as a table: whole records only; rows past them stay empty with score 0.
    static Table DecodeTable(const std::string& bytes);
    // The 140 bytes of the file: each name cut or filled with blanks to 10 bytes, then the score of
    // its score text.
    static std::string EncodeTable(const Table& table);
    // A score text read back as a number: optional minus, decimal digits, saturated to 32 bits.
    static int32_t ScoreFromText(const std::string& text);

    // The first row whose score is below `score` (an equal score stays above), or -1.
    static int32_t RowFor(const Table& table, int32_t score);

    Table rows;
    int32_t editRow = -1;
    std::string typedName;

private:
    void ShowEditedRow();
    void HandleKeys(GameDlgFields* window);
    void Draw(GameDlgFields* window);

    GameDlgFields* mainWindow_;
    std::string backgroundPath_;
    SurfacePtr background_;
    // The file is there but could not be read: writing the table would replace the scores it holds.
    bool fileUnreadable_ = false;
};
