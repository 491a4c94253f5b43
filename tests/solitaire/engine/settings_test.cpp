#include "solitaire/engine/settings.h"

#include "engine_fixture.h"

namespace solitaire {
namespace {

using testing::EngineFixture;

class SettingsRecordTest : public EngineFixture {};

TEST_F(SettingsRecordTest, WriteTrimsLeftAndPadsToTheWidth) {
    EXPECT_TRUE(fnWriteSettingsField(77, 5, "  abc"));
    EXPECT_EQ(fnReadSettingsField(77, 5), "abc");
    // The padding overwrote what the field held before, and nothing beyond it.
    EXPECT_TRUE(fnWriteSettingsField(82, 1, "Z"));
    EXPECT_TRUE(fnWriteSettingsField(77, 5, "xyzuvw"));
    EXPECT_EQ(fnReadSettingsField(77, 6), "xyzuvZ");
    EXPECT_TRUE(fnWriteSettingsField(77, 5, "ab"));
    EXPECT_EQ(fnReadSettingsField(77, 6), "ab   Z");
}

TEST_F(SettingsRecordTest, TextLongerThanTheFieldKeepsItsFirstCharacters) {
    EXPECT_TRUE(fnWriteSettingsField(62, 4, "123456"));
    EXPECT_EQ(fnReadSettingsField(62, 4), "1234");
    EXPECT_EQ(fnReadSettingsField(66, 1), "");
}

struct FieldCase {
    int position;
    int width;
    bool fits;
};
// Names the case in test lists.
void PrintTo(const FieldCase& c, std::ostream* out) {
    *out << c.position << "/" << c.width;
}

class SettingsFieldBounds : public EngineFixture,
                            public ::testing::WithParamInterface<FieldCase> {};

// Every character a field can address, block by block.
std::string wholeRecord() {
    return fnReadSettingsField(1, 250) + "|" + fnReadSettingsField(251, 250) + "|" +
           fnReadSettingsField(501, 250);
}

TEST_P(SettingsFieldBounds, FieldsInsideOneBlockOnly) {
    const FieldCase c = GetParam();
    const std::string text(static_cast<std::size_t>(std::max(c.width, 0)), 'Q');
    const std::string before = wholeRecord(); // creation's fields, the program folder among them
    EXPECT_EQ(fnWriteSettingsField(c.position, c.width, text), c.fits);
    if (c.fits)
        EXPECT_EQ(fnReadSettingsField(c.position, c.width), text);
    else
        EXPECT_EQ(wholeRecord(), before) << "a refused write changes nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, SettingsFieldBounds,
    ::testing::Values(FieldCase{1, 1, true}, FieldCase{249, 1, true}, FieldCase{249, 2, true},
                      FieldCase{249, 3, false}, FieldCase{246, 5, true}, FieldCase{250, 1, false},
                      FieldCase{251, 1, true}, FieldCase{499, 1, true}, FieldCase{499, 2, true},
                      FieldCase{499, 3, false}, FieldCase{500, 1, false}, FieldCase{701, 1, true},
                      FieldCase{749, 1, true}, FieldCase{749, 2, true}, FieldCase{749, 3, false},
                      FieldCase{750, 1, false}, FieldCase{0, 1, false}, FieldCase{-3, 1, false},
                      FieldCase{10, -1, false}, FieldCase{501, 250, true},
                      FieldCase{501, 251, false}));

TEST_F(SettingsRecordTest, BlocksAreIndependent) {
    // 249 and 251 are in different blocks; 499 and 501 too.
    fnWriteSettingsField(249, 2, "ab");
    fnWriteSettingsField(251, 2, "cd");
    fnWriteSettingsField(499, 2, "ef");
    EXPECT_EQ(fnReadSettingsField(249, 2), "ab");
    EXPECT_EQ(fnReadSettingsField(251, 2), "cd");
    EXPECT_EQ(fnReadSettingsField(499, 2), "ef");
}

TEST_F(SettingsRecordTest, ReadAtABlockEndGivesFewerCharacters) {
    fnWriteSettingsField(249, 2, "xy");
    EXPECT_EQ(fnReadSettingsField(249, 10), "xy");
    EXPECT_EQ(fnReadSettingsField(750, 5), "");
    EXPECT_EQ(fnReadSettingsField(250, 5), "");
}

// Creation stores the running program's folder, as much of it as the field holds, wherever
// the tests run from: start-up refuses a folder longer than the field before it gets here
// (ProgramDirectory below).
TEST_F(SettingsRecordTest, CreationWritesProgramDirectoryAndPreferencesFile) {
    const std::string running = fnProgramDirectory();
    ASSERT_FALSE(running.empty());
    EXPECT_EQ(running.back(), '/');
    EXPECT_EQ(fnReadSettingsField(501, 200), running.substr(0, kProgramDirectoryWidth));
    EXPECT_EQ(fnReadSettingsField(1, 20), "DATA\\CFG.DAT");
    // The rest of the record is blank.
    EXPECT_EQ(fnReadSettingsField(21, 200), "");
    EXPECT_EQ(fnReadSettingsField(251, 240), "");
}

TEST_F(SettingsRecordTest, ThirdBlockIsReadAtPositionMinus500) {
    fnWriteSettingsField(701, 3, "abc");
    fnWriteSettingsField(501, 200, "/opt/games/");
    EXPECT_EQ(fnReadSettingsField(501, 200), "/opt/games/");
    EXPECT_EQ(fnReadSettingsField(701, 3), "abc");
    EXPECT_EQ(fnReadSettingsField(700, 4), " abc");
}

TEST_F(SettingsRecordTest, ResetNumberFields) {
    fnWriteSettingsField(112, 4, "1234");
    fnWriteSettingsField(116, 4, "99");
    fnWriteSettingsField(120, 2, "01");
    fnResetNumberFields();
    EXPECT_EQ(fnReadSettingsField(112, 4), "0000");
    EXPECT_EQ(fnReadSettingsField(116, 4), "0000");
    EXPECT_EQ(fnReadSettingsField(120, 2), "01");
}

TEST(ProgramDirectory, TooLongForItsFieldIsReportedWithTheLimitThatHolds) {
    // Exactly as long as the field, its closing separator included: accepted, and kept whole.
    const std::string fits = "/" + std::string(198, 'd') + "/";
    ASSERT_EQ(fits.size(), 200u);
    EXPECT_EQ(fnProgramDirectoryError(fits), std::nullopt);
    fnCreateSharedObjects();
    fnWriteSettingsField(kProgramDirectoryPosition, kProgramDirectoryWidth, fits);
    EXPECT_EQ(fnReadSettingsField(kProgramDirectoryPosition, kProgramDirectoryWidth), fits);
    fnFreeSharedObjects();

    const std::string tooLong = "/" + std::string(199, 'd') + "/";
    const auto message = fnProgramDirectoryError(tooLong);
    ASSERT_TRUE(message.has_value());
    EXPECT_NE(message->find(tooLong), std::string::npos);
    EXPECT_NE(message->find("at most 200 characters"), std::string::npos) << *message;
}

} // namespace
} // namespace solitaire
