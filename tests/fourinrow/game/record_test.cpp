// The 444-byte record: its layout, its validation and its files.

#include "fourinrow/game/game_record.h"

#include "tests/fourinrow/game/test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>

namespace fourinrow {
namespace {

std::int32_t Int32At(const RecordBytes& bytes, std::size_t at) {
    return static_cast<std::int32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                     static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

std::string ShortStringAt(const RecordBytes& bytes, std::size_t at) {
    return std::string(bytes.begin() + at + 1, bytes.begin() + at + 1 + bytes[at]);
}

TEST(GameRecordLayout, DefaultRecordBytesSitAtTheirOffsets) {
    const RecordBytes bytes = EncodeRecord(DefaultRecord());
    for (std::size_t i = 0; i < 42; ++i)
        EXPECT_EQ(bytes[i], kEmpty) << "board byte " << i;
    for (std::size_t i = 42; i < 84; ++i)
        EXPECT_EQ(bytes[i], 0) << "history byte " << i;
    for (std::size_t c = 0; c < 7; ++c) {
        EXPECT_EQ(Int32At(bytes, 84 + 4 * c), 1) << "height " << c;
        EXPECT_EQ(Int32At(bytes, 112 + 4 * c), 1) << "display height " << c;
    }
    EXPECT_EQ(bytes[140], 0);
    EXPECT_EQ(bytes[144], 4);
    EXPECT_EQ(bytes[145], 1);
    EXPECT_EQ(bytes[146], 0);
    const std::array<std::uint8_t, 7> bestLevels = {1, 1, 1, 1, 1, 1, 0};
    EXPECT_TRUE(std::equal(bestLevels.begin(), bestLevels.end(), bytes.begin() + 147));

    struct Opponent {
        const char* name;
        std::array<std::int32_t, 8> weights;
        int strategy;
    };
    const Opponent opponents[6] = {
        {"Stupid Hux", {1, 4, 9, 500, 1, 3, 7, 500}, 5},
        {"Weak Bek", {4, 6, 10, 500, 2, 3, 5, 500}, 4},
        {"Calm Irva", {2, 7, 18, 500, 1, 4, 10, 500}, 3},
        {"Cool Yorn", {2, 4, 12, 500, 2, 4, 12, 500}, 2},
        {"Smart Quna", {2, 4, 8, 500, 1, 3, 6, 500}, 1},
        {"Super Tavo", {2, 5, 11, 500, 1, 3, 6, 500}, 0},
    };
    for (std::size_t i = 0; i < 6; ++i) {
        const std::size_t at = 156 + 44 * i;
        for (std::size_t w = 0; w < 8; ++w)
            EXPECT_EQ(Int32At(bytes, at + 4 * w), opponents[i].weights[w]) << "opponent " << i;
        EXPECT_EQ(bytes[at + 32], opponents[i].strategy);
        EXPECT_EQ(ShortStringAt(bytes, at + 33), opponents[i].name);
        const std::size_t nameEnd = at + 34 + bytes[at + 33];
        EXPECT_TRUE(std::all_of(bytes.begin() + nameEnd, bytes.begin() + at + 44,
                                [](std::uint8_t b) { return b == 0; }))
            << "name bytes past the length of opponent " << i;
    }
    const std::array<std::uint8_t, 10> flags = {0, 1, 1, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_TRUE(std::equal(flags.begin(), flags.end(), bytes.begin() + 420));
    EXPECT_EQ(ShortStringAt(bytes, 430), "Anonymous");
    EXPECT_EQ(bytes[441], 1);
    for (const std::size_t pad : {141, 142, 143, 154, 155, 442, 443})
        EXPECT_EQ(bytes[pad], 0) << "padding " << pad;
}

TEST(GameRecordLayout, FieldsOfAPlayedRecordGoToTheirBytes) {
    GameStateRecord record = testing::RecordAfterMoves("4456");
    record.opponents[2].defensive[3] = 0x01020304;
    record.playerName.assign("Zed");
    const RecordBytes bytes = EncodeRecord(record);
    EXPECT_EQ(bytes[(4 - 1) * 6 + 0], kRed);
    EXPECT_EQ(bytes[(4 - 1) * 6 + 1], kYellow);
    EXPECT_EQ(bytes[(5 - 1) * 6 + 0], kRed);
    EXPECT_EQ(bytes[(6 - 1) * 6 + 0], kYellow);
    EXPECT_EQ(bytes[42], 4);
    EXPECT_EQ(bytes[45], 6);
    EXPECT_EQ(Int32At(bytes, 84 + 4 * 3), 3);
    EXPECT_EQ(Int32At(bytes, 112 + 4 * 3), 3);
    EXPECT_EQ(bytes[140], 4);
    // Little-endian, least significant byte first.
    const std::size_t winAt = 156 + 44 * 2 + 28;
    EXPECT_EQ(bytes[winAt], 0x04);
    EXPECT_EQ(bytes[winAt + 3], 0x01);
    EXPECT_EQ(ShortStringAt(bytes, 430), "Zed");
}

TEST(GameRecordCodec, DecodingAnEncodedRecordGivesItBack) {
    std::mt19937 random(7);
    for (int moves : {0, 1, 13, 30}) {
        GameStateRecord record = testing::RandomPosition(random, moves);
        testing::RandomiseOpponents(random, record);
        record.history[41] = 3; // stale entries survive
        const std::optional<GameStateRecord> decoded = DecodeRecord(EncodeRecord(record));
        ASSERT_TRUE(decoded.has_value()) << moves;
        EXPECT_EQ(*decoded, record);
    }
}

TEST(GameRecordCodec, ShortBytesAreNoRecord) {
    const RecordBytes bytes = EncodeRecord(DefaultRecord());
    EXPECT_FALSE(DecodeRecord(std::span(bytes).first(443)).has_value());
    EXPECT_TRUE(DecodeRecord(bytes).has_value());
}

TEST(GameRecordCodec, ANameLongerThanTenIsCut) {
    ShortString10 name;
    name.assign("Twelve chars");
    EXPECT_EQ(name.text(), "Twelve cha");
    EXPECT_EQ(name.bytes[0], 10);
}

struct Corruption {
    const char* what;
    std::function<void(GameStateRecord&)> apply;
};

class GameRecordValidation : public ::testing::TestWithParam<Corruption> {};

TEST_P(GameRecordValidation, RejectsARecordThatBreaksAnInvariant) {
    GameStateRecord record = testing::RecordAfterMoves("44536");
    ASSERT_TRUE(IsValidRecord(record));
    GetParam().apply(record);
    EXPECT_FALSE(IsValidRecord(record));
    EXPECT_FALSE(DecodeRecord(EncodeRecord(record)).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Invariants, GameRecordValidation,
    ::testing::Values(
        Corruption{"cell value 3", [](GameStateRecord& r) { r.cell(1, 1) = 3; }},
        Corruption{"disc above the height", [](GameStateRecord& r) { r.cell(1, 1) = kRed; }},
        Corruption{"disc of the wrong colour", [](GameStateRecord& r) { r.cell(4, 1) = kYellow; }},
        Corruption{"height off by one", [](GameStateRecord& r) { r.heights[3] = 4; }},
        Corruption{"height past full", [](GameStateRecord& r) { r.heights[0] = 8; }},
        Corruption{"display height differs", [](GameStateRecord& r) { r.displayHeights[3] = 1; }},
        Corruption{"move count too high", [](GameStateRecord& r) { r.moveCount = 6; }},
        Corruption{"move count past the board", [](GameStateRecord& r) { r.moveCount = 43; }},
        Corruption{"history names another column", [](GameStateRecord& r) { r.history[4] = 7; }},
        Corruption{"history column 0", [](GameStateRecord& r) { r.history[0] = 0; }},
        Corruption{"colours not complementary", [](GameStateRecord& r) { r.lastMover = r.toMove; }},
        Corruption{"colour to move 2", [](GameStateRecord& r) { r.toMove = 2, r.lastMover = 1; }},
        Corruption{"depth 0", [](GameStateRecord& r) { r.depth = 0; }},
        Corruption{"depth 11", [](GameStateRecord& r) { r.depth = 11; }},
        Corruption{"opponent 0", [](GameStateRecord& r) { r.opponent = 0; }},
        Corruption{"opponent 8", [](GameStateRecord& r) { r.opponent = 8; }},
        Corruption{"best level 8", [](GameStateRecord& r) { r.bestLevel[6] = 8; }},
        Corruption{"strategy 6", [](GameStateRecord& r) { r.opponents[5].strategy = 6; }},
        Corruption{"run weight 31", [](GameStateRecord& r) { r.opponents[0].offensive[2] = 31; }},
        Corruption{"negative run weight",
                   [](GameStateRecord& r) { r.opponents[3].defensive[0] = -1; }},
        Corruption{"win weight 0", [](GameStateRecord& r) { r.opponents[1].defensive[3] = 0; }},
        Corruption{"huge win weight",
                   [](GameStateRecord& r) { r.opponents[4].offensive[3] = 0x7fffffff; }},
        Corruption{"opponent name of 11",
                   [](GameStateRecord& r) { r.opponents[2].name.bytes[0] = 11; }},
        Corruption{"player name of 200", [](GameStateRecord& r) { r.playerName.bytes[0] = 200; }},
        Corruption{"thinking", [](GameStateRecord& r) { r.thinking = 1; }},
        Corruption{"break requested", [](GameStateRecord& r) { r.breakRequested = 1; }},
        Corruption{"flag byte 2", [](GameStateRecord& r) { r.showProgress = 2; }},
        Corruption{"first-run byte 2", [](GameStateRecord& r) { r.firstRun = 2; }},
        Corruption{"random level 2", [](GameStateRecord& r) { r.randomLevel = 2; }}),
    [](const auto& info) {
        std::string name = info.param.what;
        std::replace_if(
            name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
        return name;
    });

TEST(GameRecordValidation, AcceptsEveryByteTheProgramWrites) {
    GameStateRecord record = testing::RecordAfterMoves("4444445");
    record.opponent = 7;
    record.depth = 10;
    record.bestLevel = {7, 7, 7, 7, 7, 7, 7};
    record.oddThreatColour = 1; // the break byte is cleared whenever a record is saved
    record.playerName.assign("");
    EXPECT_TRUE(IsValidRecord(record));
    EXPECT_TRUE(IsValidRecord(testing::RecordAfterMoves("")));
}

TEST(GameRecordFiles, WriteThenReadGivesTheSameBytes) {
    testing::ScratchDir dir;
    std::mt19937 random(3);
    GameStateRecord record = testing::RandomPosition(random, 17);
    testing::RandomiseOpponents(random, record);
    const std::string path = dir.file("game.klv");
    ASSERT_TRUE(WriteRecordFile(path, record));
    std::ifstream file(path, std::ios::binary);
    const std::string onDisk{std::istreambuf_iterator<char>(file), {}};
    const RecordBytes expected = EncodeRecord(record);
    EXPECT_EQ(onDisk, std::string(expected.begin(), expected.end()));
    const std::optional<GameStateRecord> read = ReadRecordFile(path);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, record);
}

TEST(GameRecordFiles, MissingShortOrBadFilesAreNoRecord) {
    testing::ScratchDir dir;
    EXPECT_FALSE(ReadRecordFile(dir.file("missing.klv")).has_value());
    const RecordBytes bytes = EncodeRecord(DefaultRecord());
    const std::string shortFile = dir.file("short.klv");
    std::ofstream(shortFile, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), 443);
    EXPECT_FALSE(ReadRecordFile(shortFile).has_value());
    GameStateRecord bad = DefaultRecord();
    bad.depth = 0;
    ASSERT_TRUE(WriteRecordFile(dir.file("bad.klv"), bad));
    EXPECT_FALSE(ReadRecordFile(dir.file("bad.klv")).has_value());
    EXPECT_FALSE(WriteRecordFile(dir.file("no-such-dir/x.klv"), DefaultRecord()));
}

} // namespace
} // namespace fourinrow
