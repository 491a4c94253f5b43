#include "fourinrow/game/game_record.h"

#include <algorithm>
#include <fstream>

namespace fourinrow {

std::string ShortString10::text() const {
    const std::size_t length = std::min<std::size_t>(bytes[0], kMaxNameLength);
    return std::string(bytes.begin() + 1, bytes.begin() + 1 + static_cast<std::ptrdiff_t>(length));
}

void ShortString10::assign(std::string_view text) {
    const std::size_t length = std::min(text.size(), kMaxNameLength);
    bytes.fill(0);
    bytes[0] = static_cast<std::uint8_t>(length);
    std::copy_n(text.begin(), length, bytes.begin() + 1);
}

namespace {

OpponentProfile BuiltInOpponent(std::string_view name, std::array<std::int32_t, 3> offensive,
                                std::array<std::int32_t, 3> defensive, std::uint8_t strategy) {
    OpponentProfile profile;
    std::copy(offensive.begin(), offensive.end(), profile.offensive.begin());
    std::copy(defensive.begin(), defensive.end(), profile.defensive.begin());
    profile.offensive[3] = 500;
    profile.defensive[3] = 500;
    profile.strategy = strategy;
    profile.name.assign(name);
    return profile;
}

GameStateRecord MakeDefaultRecord() {
    GameStateRecord record;
    record.board.fill(kEmpty);
    record.heights.fill(1);
    record.displayHeights.fill(1);
    record.depth = kMinDepth;
    record.opponent = 1;
    record.bestLevel = {1, 1, 1, 1, 1, 1, 0};
    record.opponents = {
        BuiltInOpponent("Stupid Hux", {1, 4, 9}, {1, 3, 7}, 5),
        BuiltInOpponent("Weak Bek", {4, 6, 10}, {2, 3, 5}, 4),
        BuiltInOpponent("Calm Irva", {2, 7, 18}, {1, 4, 10}, 3),
        BuiltInOpponent("Cool Yorn", {2, 4, 12}, {2, 4, 12}, 2),
        BuiltInOpponent("Smart Quna", {2, 4, 8}, {1, 3, 6}, 1),
        BuiltInOpponent("Super Tavo", {2, 5, 11}, {1, 3, 6}, 0),
    };
    record.toMove = kRed;
    record.lastMover = kYellow;
    record.gameType = 1;
    record.playerName.assign("Anonymous");
    record.firstRun = 1;
    return record;
}

// Byte offsets of the fields in the file.
constexpr std::size_t kBoardAt = 0;
constexpr std::size_t kHistoryAt = 42;
constexpr std::size_t kHeightsAt = 84;
constexpr std::size_t kDisplayHeightsAt = 112;
constexpr std::size_t kMoveCountAt = 140;
constexpr std::size_t kDepthAt = 144;
constexpr std::size_t kOpponentAt = 145;
constexpr std::size_t kRandomLevelAt = 146;
constexpr std::size_t kBestLevelAt = 147;
constexpr std::size_t kOpponentsAt = 156;
constexpr std::size_t kProfileSize = 44;
constexpr std::size_t kProfileStrategyAt = 32;
constexpr std::size_t kProfileNameAt = 33;
constexpr std::size_t kToMoveAt = 420;
constexpr std::size_t kPlayerNameAt = 430;
constexpr std::size_t kFirstRunAt = 441;

// The ten flag bytes from 420 on, in file order.
template <typename Record> auto FlagBytes(Record& r) {
    return std::array{&r.toMove,          &r.lastMover,   &r.gameType, &r.computerColour,
                      &r.oddThreatColour, &r.fourFlag,    &r.thinking, &r.breakRequested,
                      &r.autoMinimize,    &r.showProgress};
}

class Writer {
public:
    explicit Writer(RecordBytes& bytes) : bytes_(bytes) {}
    void byte(std::size_t at, std::uint8_t value) { bytes_[at] = value; }
    template <std::size_t N> void bytes(std::size_t at, const std::array<std::uint8_t, N>& v) {
        std::copy(v.begin(), v.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(at));
    }
    void int32(std::size_t at, std::int32_t value) {
        const auto u = static_cast<std::uint32_t>(value);
        for (std::size_t i = 0; i < 4; ++i)
            bytes_[at + i] = static_cast<std::uint8_t>(u >> (8 * i));
    }
    template <std::size_t N> void int32s(std::size_t at, const std::array<std::int32_t, N>& v) {
        for (std::size_t i = 0; i < N; ++i)
            int32(at + 4 * i, v[i]);
    }

private:
    RecordBytes& bytes_;
};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint8_t byte(std::size_t at) const { return bytes_[at]; }
    template <std::size_t N> void bytes(std::size_t at, std::array<std::uint8_t, N>& v) const {
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(at), N, v.begin());
    }
    std::int32_t int32(std::size_t at) const {
        std::uint32_t u = 0;
        for (std::size_t i = 0; i < 4; ++i)
            u |= std::uint32_t{bytes_[at + i]} << (8 * i);
        return static_cast<std::int32_t>(u);
    }
    template <std::size_t N> void int32s(std::size_t at, std::array<std::int32_t, N>& v) const {
        for (std::size_t i = 0; i < N; ++i)
            v[i] = int32(at + 4 * i);
    }

private:
    std::span<const std::uint8_t> bytes_;
};

bool InRange(std::int32_t value, std::int32_t low, std::int32_t high) {
    return value >= low && value <= high;
}

bool IsValidProfile(const OpponentProfile& profile) {
    for (const auto* weights : {&profile.offensive, &profile.defensive}) {
        for (int run = 0; run < 3; ++run)
            if (!InRange((*weights)[run], 0, kMaxRunWeight))
                return false;
        // A zero win weight would hide every four from the evaluation.
        if (!InRange((*weights)[3], 1, kMaxWinWeight))
            return false;
    }
    return profile.strategy <= kMaxStrategy && profile.name.bytes[0] <= kMaxNameLength;
}

// Replays the history from the colour that began and compares the outcome with the stored
// board and heights: that ties cells, heights, move count, history and colours together.
bool PositionAgreesWithHistory(const GameStateRecord& r) {
    if (r.moveCount > kCells || r.toMove > 1 || r.lastMover != 1 - r.toMove)
        return false;
    std::array<std::uint8_t, kCells> board;
    board.fill(kEmpty);
    std::array<std::int32_t, kColumns> heights;
    heights.fill(1);
    std::uint8_t colour = (r.moveCount % 2 == 0) ? r.toMove : r.lastMover;
    for (int k = 0; k < r.moveCount; ++k) {
        const int column = r.history[k];
        if (column < 1 || column > kColumns || heights[column - 1] > kRows)
            return false;
        board[(column - 1) * kRows + heights[column - 1] - 1] = colour;
        ++heights[column - 1];
        colour = 1 - colour;
    }
    return board == r.board && heights == r.heights && r.displayHeights == r.heights;
}

} // namespace

const GameStateRecord& DefaultRecord() {
    static const GameStateRecord record = MakeDefaultRecord();
    return record;
}

RecordBytes EncodeRecord(const GameStateRecord& r) {
    RecordBytes bytes{};
    Writer out(bytes);
    out.bytes(kBoardAt, r.board);
    out.bytes(kHistoryAt, r.history);
    out.int32s(kHeightsAt, r.heights);
    out.int32s(kDisplayHeightsAt, r.displayHeights);
    out.byte(kMoveCountAt, r.moveCount);
    out.byte(kDepthAt, r.depth);
    out.byte(kOpponentAt, r.opponent);
    out.byte(kRandomLevelAt, r.randomLevel);
    out.bytes(kBestLevelAt, r.bestLevel);
    for (std::size_t i = 0; i < r.opponents.size(); ++i) {
        const OpponentProfile& p = r.opponents[i];
        const std::size_t at = kOpponentsAt + kProfileSize * i;
        out.int32s(at, p.offensive);
        out.int32s(at + 16, p.defensive);
        out.byte(at + kProfileStrategyAt, p.strategy);
        out.bytes(at + kProfileNameAt, p.name.bytes);
    }
    const auto flags = FlagBytes(r);
    for (std::size_t i = 0; i < flags.size(); ++i)
        out.byte(kToMoveAt + i, *flags[i]);
    out.bytes(kPlayerNameAt, r.playerName.bytes);
    out.byte(kFirstRunAt, r.firstRun);
    return bytes;
}

std::optional<GameStateRecord> DecodeRecord(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kRecordSize)
        return std::nullopt;
    const Reader in(bytes);
    GameStateRecord r;
    in.bytes(kBoardAt, r.board);
    in.bytes(kHistoryAt, r.history);
    in.int32s(kHeightsAt, r.heights);
    in.int32s(kDisplayHeightsAt, r.displayHeights);
    r.moveCount = in.byte(kMoveCountAt);
    r.depth = in.byte(kDepthAt);
    r.opponent = in.byte(kOpponentAt);
    r.randomLevel = in.byte(kRandomLevelAt);
    in.bytes(kBestLevelAt, r.bestLevel);
    for (std::size_t i = 0; i < r.opponents.size(); ++i) {
        OpponentProfile& p = r.opponents[i];
        const std::size_t at = kOpponentsAt + kProfileSize * i;
        in.int32s(at, p.offensive);
        in.int32s(at + 16, p.defensive);
        p.strategy = in.byte(at + kProfileStrategyAt);
        in.bytes(at + kProfileNameAt, p.name.bytes);
    }
    const auto flags = FlagBytes(r);
    for (std::size_t i = 0; i < flags.size(); ++i)
        *flags[i] = in.byte(kToMoveAt + i);
    in.bytes(kPlayerNameAt, r.playerName.bytes);
    r.firstRun = in.byte(kFirstRunAt);
    if (!IsValidRecord(r))
        return std::nullopt;
    return r;
}

bool IsValidRecord(const GameStateRecord& r) {
    const auto isFlag = [](std::uint8_t b) { return b <= 1; };
    if (r.depth < kMinDepth || r.depth > kMaxDepth || r.opponent < 1 ||
        r.opponent > kRandomOpponent || !isFlag(r.randomLevel))
        return false;
    if (!std::all_of(r.bestLevel.begin(), r.bestLevel.end(),
                     [](std::uint8_t level) { return level <= kMaxLevel; }))
        return false;
    if (!std::all_of(r.opponents.begin(), r.opponents.end(), IsValidProfile))
        return false;
    // A stored record is never taken in the middle of a search, nor with a Break pending: the
    // computer would skip its first reply and play the other colour from then on.
    if (r.thinking != 0 || r.breakRequested != 0)
        return false;
    for (const std::uint8_t* flag : FlagBytes(r))
        if (!isFlag(*flag))
            return false;
    if (r.playerName.bytes[0] > kMaxNameLength || !isFlag(r.firstRun))
        return false;
    return PositionAgreesWithHistory(r);
}

std::optional<GameStateRecord> ReadRecordFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    RecordBytes bytes{};
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (file.gcount() != static_cast<std::streamsize>(bytes.size()))
        return std::nullopt;
    return DecodeRecord(bytes);
}

bool WriteRecordFile(const std::string& path, const GameStateRecord& record) {
    const RecordBytes bytes = EncodeRecord(record);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        return false;
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    return static_cast<bool>(file);
}

} // namespace fourinrow
