#include "fourinrow/game/game.h"

#include "fourinrow/game/line_scan.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace fourinrow {
namespace {

std::uint32_t ClockSeed() {
    return static_cast<std::uint32_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

bool IsProfiled(int opponent) {
    return opponent >= 1 && opponent <= kOpponentProfiles;
}

OpponentSettings SettingsOf(const OpponentProfile& profile) {
    OpponentSettings settings;
    std::copy_n(profile.offensive.begin(), 3, settings.offensive.begin());
    std::copy_n(profile.defensive.begin(), 3, settings.defensive.begin());
    settings.strategy = profile.strategy;
    settings.name = profile.name.text();
    return settings;
}

} // namespace

gameClass::gameClass() : gameClass(kSettingsFile, ClockSeed()) {}

gameClass::gameClass(std::string settingsFile, std::uint32_t seed)
    : settingsFile_(std::move(settingsFile)), random_(seed) {
    ReplaceRecord(ReadRecordFile(settingsFile_).value_or(DefaultRecord()));
}

void gameClass::ReplaceRecord(const GameStateRecord& record) {
    record_ = record;
    discs_ = {};
    for (int c = 1; c <= kColumns; ++c)
        for (int r = 1; r < record_.heights[c - 1]; ++r)
            discs_[record_.cell(c, r)] |= line_scan::CellBit(c, r);
}

bool gameClass::TakeFirstRunFlag() {
    std::error_code error;
    const bool firstRun = !std::filesystem::exists(settingsFile_, error) || record_.firstRun != 0;
    record_.firstRun = 0;
    return firstRun;
}

void gameClass::LoadGame(const std::string& fileName) {
    std::optional<GameStateRecord> loaded = ReadRecordFile(fileName);
    if (!loaded)
        return;
    loaded->autoMinimize = record_.autoMinimize;
    loaded->showProgress = record_.showProgress;
    ReplaceRecord(*loaded);
}

void gameClass::SaveGame(const std::string& fileName) {
    record_.breakRequested = 0;
    GameStateRecord snapshot = record_;
    if (snapshot.thinking) {
        // Closing the window while the computer thinks saves from inside the search: leave
        // its trial discs out, or the file would hold a position nobody played.
        while (snapshot.moveCount > searchStartMoveCount_) {
            const int column = snapshot.history[snapshot.moveCount - 1];
            snapshot.cell(column, --snapshot.heights[column - 1]) = kEmpty;
            --snapshot.moveCount;
            std::swap(snapshot.toMove, snapshot.lastMover);
        }
        snapshot.thinking = 0;
    }
    WriteRecordFile(fileName, snapshot);
}

void gameClass::NewGame() {
    if (record_.moveCount % 2 == 1) {
        record_.toMove = record_.lastMover;
        record_.lastMover = 1 - record_.toMove;
    }
    record_.moveCount = 0;
    record_.heights.fill(1);
    record_.displayHeights.fill(1);
    record_.board.fill(kEmpty);
    discs_ = {};
}

void gameClass::SetFirstMover(int colour) {
    if (record_.moveCount != 0 || (colour != kRed && colour != kYellow))
        return;
    record_.toMove = static_cast<std::uint8_t>(colour);
    record_.lastMover = static_cast<std::uint8_t>(1 - colour);
}

int gameClass::ColumnAt(int x, int y) {
    if (y < 28 || y > 303 || x < 0 || x > 360)
        return 0;
    for (int i = 1; i <= kColumns; ++i)
        if (50 * i - 45 < x && x < 50 * i + 5)
            return i;
    return 0;
}

void gameClass::RecordWinLevel() {
    if (record_.randomLevel)
        return;
    const int level = GetLevel();
    std::uint8_t& best = record_.bestLevel[record_.opponent - 1];
    if (level >= best && level < kMaxLevel)
        best = static_cast<std::uint8_t>(level + 1);
}

void gameClass::AdvanceChallenge() {
    if (record_.randomLevel)
        return;
    const int level = GetLevel();
    if (record_.opponent < kOpponentProfiles && (level == 5 || level == kMaxLevel)) {
        record_.depth = kMinDepth;
        ++record_.opponent;
    } else if (level < kMaxLevel) {
        ++record_.depth;
    }
}

void gameClass::SetGameTypeAndLevel(int gameType, int depth) {
    const auto isDepth = [](int d) { return d >= kMinDepth && d <= kMaxDepth; };
    if (gameType == -1) {
        if (depth == 0)
            record_.depth = kMinDepth;
        else if (isDepth(record_.depth + depth))
            record_.depth = static_cast<std::uint8_t>(record_.depth + depth);
        return;
    }
    // A depth outside the levels would make the search run past the end of the board.
    if ((gameType != 0 && gameType != 1) || !isDepth(depth))
        return;
    record_.depth = static_cast<std::uint8_t>(depth);
    record_.gameType = static_cast<std::uint8_t>(gameType);
}

void gameClass::SelectOpponent(int opponent) {
    if (opponent >= 1 && opponent <= kRandomOpponent)
        record_.opponent = static_cast<std::uint8_t>(opponent);
}

void gameClass::SetOpponent(int opponent, const OpponentSettings& settings) {
    if (!IsProfiled(opponent))
        return;
    OpponentProfile& profile = record_.opponents[opponent - 1];
    for (int run = 0; run < 3; ++run) {
        profile.offensive[run] = std::clamp(settings.offensive[run], 0, kMaxRunWeight);
        profile.defensive[run] = std::clamp(settings.defensive[run], 0, kMaxRunWeight);
    }
    profile.strategy = std::min<std::uint8_t>(settings.strategy, kMaxStrategy);
    profile.name.assign(settings.name);
}

OpponentSettings gameClass::GetOpponent(int opponent) const {
    return IsProfiled(opponent) ? SettingsOf(record_.opponents[opponent - 1]) : OpponentSettings{};
}

OpponentSettings gameClass::GetDefaultOpponent(int opponent) {
    return IsProfiled(opponent) ? SettingsOf(DefaultRecord().opponents[opponent - 1])
                                : OpponentSettings{};
}

std::string gameClass::GetOpponentName(int opponent) const {
    if (opponent == kRandomOpponent)
        return "Random";
    return IsProfiled(opponent) ? record_.opponents[opponent - 1].name.text() : std::string();
}

void gameClass::SetPlayerName(std::string_view name) {
    record_.playerName.assign(name);
}
std::string gameClass::GetPlayerName() const {
    return record_.playerName.text();
}

void gameClass::SetSystemFlags(bool autoMinimize, bool showProgress) {
    record_.autoMinimize = autoMinimize ? 1 : 0;
    record_.showProgress = showProgress ? 1 : 0;
}

SystemFlags gameClass::GetSystemFlags() const {
    return {record_.autoMinimize != 0, record_.showProgress != 0};
}

void gameClass::SetRandomLevel(bool on) {
    record_.randomLevel = on ? 1 : 0;
}
bool gameClass::GetRandomLevel() const {
    return record_.randomLevel != 0;
}

int gameClass::GetBestLevel(int opponent) const {
    return (opponent >= 1 && opponent <= kRandomOpponent) ? record_.bestLevel[opponent - 1] : 0;
}

int gameClass::GetLevel() const {
    return record_.depth - 3;
}
int gameClass::GetOpponentIndex() const {
    return record_.opponent;
}
bool gameClass::IsTwoPlayer() const {
    return record_.gameType == 0;
}
int gameClass::GetLastMover() const {
    return record_.lastMover;
}
int gameClass::GetMoveCount() const {
    return record_.moveCount;
}

int gameClass::GetLastColumn() const {
    return record_.moveCount > 0 ? record_.history[record_.moveCount - 1] : 0;
}

int gameClass::GetColumnHeight(int column) const {
    return IsColumnNumber(column) ? record_.displayHeights[column - 1] : 0;
}

int gameClass::GetCell(int column, int row) const {
    if (!IsColumnNumber(column) || row < 1 || row >= record_.displayHeights[column - 1])
        return kEmpty;
    return record_.cell(column, row);
}

bool gameClass::IsThinking() const {
    return record_.thinking != 0;
}
void gameClass::RequestBreak() {
    record_.breakRequested = 1;
}

} // namespace fourinrow
