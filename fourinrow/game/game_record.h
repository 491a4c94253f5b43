#pragma once

// The four-in-a-row game state as one fixed 444-byte little-endian record. The same bytes are
// the settings file "kolvan32.dat" and every saved game ("*.klv"), so the layout is fixed here
// field by field rather than taken from a C++ struct's memory.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace fourinrow {

inline constexpr int kColumns = 7;
inline constexpr int kRows = 6;
inline constexpr int kCells = kColumns * kRows;
inline constexpr int kOpponentProfiles = 6;
inline constexpr int kRandomOpponent = 7;
inline constexpr std::size_t kRecordSize = 444;

// Colours of discs and cells.
inline constexpr std::uint8_t kRed = 0;
inline constexpr std::uint8_t kYellow = 1;
inline constexpr std::uint8_t kEmpty = 2;

inline constexpr int kMinDepth = 4;  // level 1
inline constexpr int kMaxDepth = 10; // level 7
inline constexpr int kMaxLevel = 7;
inline constexpr int kMaxStrategy = 5;
// The opponent editor offers run weights 0..30. Win weights are never edited; the cap keeps
// every score, search bound and tolerance sum far from 32-bit overflow.
inline constexpr std::int32_t kMaxRunWeight = 30;
inline constexpr std::int32_t kMaxWinWeight = 1'000'000;
inline constexpr std::size_t kMaxNameLength = 10;

// A short string as stored: a length byte, then up to 10 characters.
struct ShortString10 {
    std::array<std::uint8_t, 1 + kMaxNameLength> bytes{};

    std::string text() const;
    // Longer texts are cut to their first 10 characters.
    void assign(std::string_view text);
    bool operator==(const ShortString10&) const = default;
};

// One computer opponent: weights indexed by the longest run 1..3 at [0..2], the win at [3].
struct OpponentProfile {
    std::array<std::int32_t, 4> offensive{};
    std::array<std::int32_t, 4> defensive{};
    std::uint8_t strategy = 0; // 0 strict .. 5 most random
    ShortString10 name;
    bool operator==(const OpponentProfile&) const = default;
};

struct GameStateRecord {
    // Cell (c, r) at (c-1)*6 + (r-1): column-major, each column bottom to top.
    std::array<std::uint8_t, kCells> board{};
    // Column of move k at [k-1]; entries beyond the move count are stale.
    std::array<std::uint8_t, kCells> history{};
    // Per column 1..7 at [c-1]: row the next disc lands in (1 empty .. 7 full).
    std::array<std::int32_t, kColumns> heights{};
    // The same, moved only when no search runs; drawing reads these.
    std::array<std::int32_t, kColumns> displayHeights{};
    std::uint8_t moveCount = 0;
    std::uint8_t depth = 0;    // level + 3
    std::uint8_t opponent = 0; // 1..7, 7 = "Random"
    std::uint8_t randomLevel = 0;
    std::array<std::uint8_t, kRandomOpponent> bestLevel{};
    std::array<OpponentProfile, kOpponentProfiles> opponents{};
    std::uint8_t toMove = 0;
    std::uint8_t lastMover = 0;
    std::uint8_t gameType = 0; // 0 two players at one board, 1 against the computer
    std::uint8_t computerColour = 0;
    std::uint8_t oddThreatColour = 0;
    std::uint8_t fourFlag = 0;
    std::uint8_t thinking = 0;
    std::uint8_t breakRequested = 0;
    std::uint8_t autoMinimize = 0;
    std::uint8_t showProgress = 0;
    ShortString10 playerName;
    std::uint8_t firstRun = 0;

    std::uint8_t& cell(int column, int row) { return board[(column - 1) * kRows + (row - 1)]; }
    std::uint8_t cell(int column, int row) const { return board[(column - 1) * kRows + (row - 1)]; }
    bool operator==(const GameStateRecord&) const = default;
};

// The built-in record: empty board, level 1 against opponent 1, the six built-in opponents.
const GameStateRecord& DefaultRecord();

using RecordBytes = std::array<std::uint8_t, kRecordSize>;

// Padding bytes are written as 0.
RecordBytes EncodeRecord(const GameStateRecord& record);
// The first 444 bytes as a record, or nothing when there are fewer or they break an invariant.
std::optional<GameStateRecord> DecodeRecord(std::span<const std::uint8_t> bytes);

// Whether a record can be played on: every byte in its range, and board, heights, display
// heights, move count, history and colours telling one consistent story.
bool IsValidRecord(const GameStateRecord& record);

// The first record of a file, or nothing when it cannot be read, is short or is not valid.
std::optional<GameStateRecord> ReadRecordFile(const std::string& path);
// Creates or overwrites the file with one record; false when it could not be written.
bool WriteRecordFile(const std::string& path, const GameStateRecord& record);

} // namespace fourinrow
