// The table of the ten best scores, with name entry for a new one.
#include "frontend/Highscore.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <limits>

#include "core/GameDlgFields.h"
#include "core/GameGlobals.h"
#include "core/InputState.h"
#include "core/Language.h"
#include "data/GameData.h"
#include "data/PlayerFiles.h"
#include "frontend/ScreenBackground.h"
#include "media/SpriteFont.h"
#include "platform/GameFolders.h"

namespace {

const char kTableFile[] = "Highscore.dat";
const char kBackground[] = "Graphics\\Highscore\\Background.png";
constexpr int kRankLeft = 50;
constexpr int kNameLeft = 130;
constexpr int kScoreLeft = 550;
constexpr int kFirstRowTop = 70;
constexpr int kRowSpacing = 45;
constexpr float kRowScale = 0.95f;

int RowTop(int row) {
    return kFirstRowTop + kRowSpacing * row;
}

}  // namespace

// The picture holds the screen's title and the outro its captions, so each language has its own.
CHighscore::CHighscore(GameDlgFields* window) : mainWindow_(window), backgroundPath_(LocalisedGamePath(kBackground)) {
    if (window->outroPending) GameGlobals::PlayVideo(LocalisedGamePath("outro.avi"), window);
    if (InputState* input = GameGlobals::input) {
        input->escapePressed = false;
        input->enterPressed = false;
        input->letterTyped = false;
        input->pickedLetter = -1;
    }
    editRow = -1;
    typedName.clear();
    LoadPictureSurface(backgroundPath_, background_);

    const std::string path = platform::UserDataPath(kTableFile);
    std::string bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[kFileSize];
        bytes.assign(buffer, std::fread(buffer, 1, sizeof(buffer), file));
        fileUnreadable_ = std::ferror(file) != 0;
        std::fclose(file);
    } else if (errno == ENOENT) {
        // The table file exists from the first visit on.
        platform::WriteUserFile(path, "", 0);
    } else {
        fileUnreadable_ = true;
    }
    if (fileUnreadable_) bytes.clear();
    rows = DecodeTable(bytes);

    const int32_t row = RowFor(rows, window->player.score);
    if (row >= 0) {
        editRow = row;
        for (int r = kRowCount - 1; r > row; --r) rows[r] = rows[r - 1];
        // The opened row holds the player's score from the start, so a table written before the
        // first frame (the window closed during the outro) keeps every old row below it.
        ShowEditedRow();
    }
}

CHighscore::~CHighscore() {
    // Left during the name entry (Escape): the score keeps the row it was given, with the name typed so
    // far left empty, and must not be offered another one on the next visit.
    if (editRow != -1 && mainWindow_) mainWindow_->player.Reset(mainWindow_->difficulty);
    if (fileUnreadable_) {
        std::fprintf(stderr, "Kolvenbrook 3D: %s could not be read; it is left as it was\n", kTableFile);
        return;
    }
    const std::string bytes = EncodeTable(rows);
    SavePlayerFile(PlayerFile::BestScores, platform::UserDataPath(kTableFile), bytes.data(), bytes.size());
}

CHighscore::Table CHighscore::DecodeTable(const std::string& bytes) {
    Table table;
    const size_t whole = std::min<size_t>(bytes.size() / kRecordSize, kRowCount);
    for (size_t r = 0; r < whole; ++r) {
        const unsigned char* record = reinterpret_cast<const unsigned char*>(bytes.data()) + r * kRecordSize;
        Entry& entry = table[r];
        // The name keeps its filling blanks, as the file has no terminator.
        entry.name.assign(reinterpret_cast<const char*>(record), kNameSize);
        const uint32_t v = static_cast<uint32_t>(record[10]) | (static_cast<uint32_t>(record[11]) << 8) |
                           (static_cast<uint32_t>(record[12]) << 16) | (static_cast<uint32_t>(record[13]) << 24);
        entry.score = static_cast<int32_t>(v);
        entry.scoreText = std::to_string(entry.score);
    }
    return table;
}

std::string CHighscore::EncodeTable(const Table& table) {
    std::string bytes;
    bytes.reserve(kFileSize);
    for (const Entry& entry : table) {
        std::string name = entry.name.substr(0, kNameSize);
        name.resize(kNameSize, ' ');
        bytes += name;
        const uint32_t v = static_cast<uint32_t>(ScoreFromText(entry.scoreText));
        for (int i = 0; i < 4; ++i) bytes += static_cast<char>((v >> (8 * i)) & 0xFFu);
    }
    return bytes;
}

int32_t CHighscore::ScoreFromText(const std::string& text) {
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) i = 1;
    int64_t value = 0;
    constexpr int64_t kLimit = static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
        if (value > kLimit) value = kLimit;
    }
    if (negative) return static_cast<int32_t>(-value);
    return static_cast<int32_t>(std::min<int64_t>(value, std::numeric_limits<int32_t>::max()));
}

int32_t CHighscore::RowFor(const Table& table, int32_t score) {
    for (int r = 0; r < kRowCount; ++r) {
        if (table[r].score < score) return r;
    }
    return -1;
}

void CHighscore::ShowEditedRow() {
    if (editRow < 0 || !mainWindow_) return;
    rows[editRow].name.clear();
    rows[editRow].scoreText = std::to_string(mainWindow_->player.score);
}

void CHighscore::Run(GameDlgFields* window) {
    ShowEditedRow();
    HandleKeys(window);
    Draw(window);
}

void CHighscore::HandleKeys(GameDlgFields* window) {
    InputState* input = GameGlobals::input;
    if (!input) return;
    if (input->escapePressed) {
        // Leaving in the middle of typing keeps the row with an empty name.
        window->requestedState = MainMenu;
        window->requestedLevel = 0;
        input->escapePressed = false;
    }
    if (editRow == -1) return;
    if (input->backspacePressed) {
        if (!typedName.empty()) typedName.pop_back();
        input->backspacePressed = false;
    }
    if (input->letterTyped) {
        if (typedName.size() < kNameSize && input->lastLetter >= 'A' && input->lastLetter <= 'Z') {
            typedName += static_cast<char>(input->lastLetter);
        }
        input->letterTyped = false;
    }
    if (input->enterPressed) {
        input->enterPressed = false;
        rows[editRow].name = typedName;
        editRow = -1;
        // The score has its row now; it must not be offered again.
        window->player.Reset(window->difficulty);
    }
}

void CHighscore::Draw(GameDlgFields* window) {
    DrawWholePicture(window->drawTarget, 0, 0, background_.get(), backgroundPath_.c_str(), false);
    CSpriteFont* font = GameGlobals::font;
    if (!font) return;
    for (int r = 0; r < kRowCount; ++r) {
        const int y = RowTop(r);
        font->DrawText(std::to_string(r + 1) + " ", kRankLeft, y, kRowScale);
        font->DrawText(rows[r].name, kNameLeft, y, kRowScale);
        font->DrawText(rows[r].scoreText, kScoreLeft, y, kRowScale);
    }
    if (editRow != -1) {
        const int y = RowTop(editRow);
        font->DrawText(typedName, kNameLeft, y, kRowScale);
        const InputState* input = GameGlobals::input;
        if (input && input->pickedLetter >= 'A' && input->pickedLetter <= 'Z' && typedName.size() < kNameSize) {
            // A pad offers its letter where the cursor stands, steadily.
            font->DrawText(typedName + static_cast<char>(input->pickedLetter), kNameLeft, y, kRowScale);
        } else if (static_cast<float>(window->framesThisSecond) < window->framesPerSecond / 2.0f) {
            // The cursor blinks: shown during the first half of every second of frames.
            font->DrawText(typedName + "-", kNameLeft, y, kRowScale);
        }
    }
    if (window->player.score > 0 && window->gameData) {
        font->DrawText(window->gameData->Text(39), 20, 550, 0.5f);
    }
}
