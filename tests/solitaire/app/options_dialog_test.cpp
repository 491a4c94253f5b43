// The Customize dialog driven through its own controls, as a player would: what it shows on
// opening, what OK stores in the preferences file and the settings record, what Cancel puts
// back, the live samples, and a picture of each page for reviewers.
#include "app_fixture.h"

#include "solitaire/app/background.h"
#include "solitaire/app/options_dialog.h"
#include "tests/solitaire/engine/recording_presentation.h"

#include "platform/app/cursor.h"
#include "platform/app/messagebox.h"
#include "platform/app/screen.h"
#include "platform/files/ini.h"
#include "platform/forms/form.h"
#include "platform/gdi/qimage.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

#include <algorithm>
#include <functional>

using namespace solitaire;
using namespace solitaire::testing;
using platform::forms::Dialog;
using platform::forms::ModalResult;
using platform::gdi::Bitmap;
using platform::gdi::Color;

namespace {

constexpr int kScreenWidth = 800, kScreenHeight = 600;

// Every settings field the dialog reads or writes, with the value start-up leaves there for
// an empty preferences file.
struct FieldValue {
    int position;
    int width;
    const char* value;
};
constexpr FieldValue kStartFields[] = {
    {21, 3, "011"},  {24, 3, "001"},          {128, 1, "B"},          {43, 4, "0"},
    {47, 15, "32768"}, {28, 15, "-2147483633"}, {27, 1, "N"},          {135, 1, "Y"},
    {66, 1, "Y"},    {136, 1, "Y"},           {140, 1, "Y"},          {185, 1, "Y"},
    {141, 1, "Y"},   {179, 1, "N"},           {246, 1, "N"}};

std::string field(int position, int width = 1) {
    return fnReadSettingsField(position, width);
}

class RecordingHost : public OptionsHost {
public:
    std::vector<std::string> calls;
    void SetToolbarLarge(bool large, bool persist) override { record("SetToolbarLarge", large, persist); }
    void SetToolbarFlat(bool flat, bool persist) override { record("SetToolbarFlat", flat, persist); }
    void SetShowTime(bool show, bool persist) override { record("SetShowTime", show, persist); }
    void SetShowScore(bool show, bool persist) override { record("SetShowScore", show, persist); }

private:
    void record(const char* name, bool a, bool b) {
        calls.push_back(std::string(name) + "(" + (a ? "1" : "0") + "," + (b ? "1" : "0") + ")");
    }
};

template <class Control> Control& control(Dialog& dialog, const char* name) {
    auto* found = dialog.findChild<Control*>(name);
    if (!found)
        throw std::runtime_error(std::string("no control ") + name);
    return *found;
}

QCheckBox& checkBox(Dialog& dialog, const char* name) {
    return control<QCheckBox>(dialog, name);
}

void selectNode(Dialog& dialog, const char* tree, const char* caption) {
    auto& view = control<QTreeWidget>(dialog, tree);
    const auto found = view.findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1) << caption;
    view.setCurrentItem(found.front());
}

std::string selectedCaption(Dialog& dialog, const char* tree) {
    const QTreeWidgetItem* item = control<QTreeWidget>(dialog, tree).currentItem();
    return item ? item->text(0).toStdString() : "";
}

QImage shown(Dialog& dialog, const char* label) {
    return control<QLabel>(dialog, label).pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

Color pixelOf(const QImage& image, int x, int y) {
    return platform::gdi::fromQRgb(image.pixel(x, y));
}

class OptionsDialogTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        const std::string dir = makeScratchProgramDir();
        std::filesystem::copy(distProgramDir() + "Images", dir + "Images",
                              std::filesystem::copy_options::recursive |
                                  std::filesystem::copy_options::overwrite_existing);
        // A picture the background tree does not list.
        std::filesystem::copy_file(dir + "Images/B102.bmp", dir + "Images/B012.bmp");
        for (const auto& f : kStartFields)
            setField(f.position, f.width, f.value);
        sharedObjects.BackBuffer = Bitmap(kScreenWidth, kScreenHeight);
        sharedObjects.BackgroundCopy = Bitmap(kScreenWidth, kScreenHeight);
    }

    platform::files::IniFile preferences() const {
        return platform::files::IniFile((scratch_ / "DATA" / "CFG.DAT").string());
    }
    std::string key(const char* name) const {
        return preferences().readString("Preference", name, "<missing>");
    }

    // Opens the dialog; the actions work its controls, then it closes with the answer.
    bool run(const std::function<void(Dialog&)>& actions, ModalResult answer = ModalResult::Ok) {
        Dialog::Script script([&](Dialog& dialog) {
            actions(dialog);
            return answer;
        });
        return ShowOptionsDialog(nullptr, host);
    }
    bool runAndOk(const std::function<void(Dialog&)>& actions) {
        return run([&](Dialog& dialog) {
            actions(dialog);
            control<QPushButton>(dialog, "btnOK").click();
        });
    }

    void TearDown() override {
        EXPECT_TRUE(boxes.shown().empty()) << boxes.shown().front().text;
        AppFixture::TearDown();
    }

    platform::app::TestScreen screen{kScreenWidth, kScreenHeight, 32};
    platform::app::ScriptedMessageBoxes boxes;
    RecordingPresentation presentationCalls;
    RecordingPresentation::Scoped installed{presentationCalls};
    RecordingHost host;
};

// ---- What the dialog shows on opening -------------------------------------------------

struct OpeningCase {
    const char* name;
    std::vector<FieldValue> fields;
    const char* background; // the node selected in trvBackGround, "" for none
    const char* back;       // the node selected in trvCardBack, "" for none
};

void PrintTo(const OpeningCase& c, std::ostream* os) { *os << c.name; }

class OpeningTest : public OptionsDialogTest, public ::testing::WithParamInterface<OpeningCase> {};

TEST_P(OpeningTest, SelectsTheNodesOfTheCurrentSettings) {
    for (const auto& f : GetParam().fields)
        setField(f.position, f.width, f.value);
    std::string background, back;
    run([&](Dialog& dialog) {
        background = selectedCaption(dialog, "trvBackGround");
        back = selectedCaption(dialog, "trvCardBack");
    }, ModalResult::Cancel);
    EXPECT_EQ(background, GetParam().background);
    EXPECT_EQ(back, GetParam().back);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, OpeningTest,
    ::testing::Values(
        // The default background is the group node, so OK alone keeps it the default.
        OpeningCase{"DefaultBackground", {{27, 1, "Y"}, {47, 15, "8421376"}}, "Colors", "Plaiting 1"},
        OpeningCase{"FixedColourBeforePicture", {{47, 15, "8421376"}, {43, 4, "287"}, {21, 3, "014"}}, "Teal", "Roses"},
        OpeningCase{"Picture", {{47, 15, "0"}, {43, 4, "287"}, {21, 3, "019"}}, "Metal gold", "Tropical fish"},
        OpeningCase{"CustomColourHasNoNode", {{47, 15, "0"}, {43, 4, "0"}, {21, 3, "001"}}, "", "Boat"},
        OpeningCase{"PictureNotInTheTree", {{47, 15, "0"}, {43, 4, "12"}}, "", "Plaiting 1"},
        OpeningCase{"SmallCardsBack", {{128, 1, "M"}, {21, 3, "006"}}, "Green", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OptionsDialogTest, ShowsTheSwitchesFromTheSettingsAndThePreferencesFile) {
    struct Switch {
        const char* control;
        bool checkedAtStart; // with the start-up values and no preferences file
        std::function<void()> flip;
    };
    auto prefs = preferences();
    const Switch switches[] = {
        {"chkTBLargeIcons", false, [&] { prefs.writeString("Preference", "ToolBar_Large", "Y"); }},
        {"chkTBFlatBtn", true, [&] { prefs.writeString("Preference", "toolbar_flat", "X"); }},
        {"chkShowTime", true, [] { setField(66, 1, "N"); }},
        {"chkShowScore", true, [] { setField(136, 1, "N"); }},
        {"chkWinningAnimation", true, [] { setField(140, 1, "X"); }},
        {"chkConfirmQuitGame", true, [] { setField(185, 1, "N"); }},
        {"chkConfirmOnExit", false, [&] { prefs.writeString("Preference", "ConfirmQuit", "Y"); }},
        {"chkFadeBackground", true, [] { setField(135, 1, "N"); }},
        {"chkSoundsEnabled", false, [] { setField(141, 1, "X"); }}};

    const auto shownStates = [&] {
        std::vector<bool> states;
        run([&](Dialog& dialog) {
            for (const auto& s : switches)
                states.push_back(checkBox(dialog, s.control).isChecked());
        }, ModalResult::Cancel);
        return states;
    };
    const std::vector<bool> before = shownStates();
    for (const auto& s : switches)
        s.flip();
    const std::vector<bool> after = shownStates();
    for (std::size_t i = 0; i < std::size(switches); ++i) {
        EXPECT_EQ(before[i], switches[i].checkedAtStart) << switches[i].control;
        EXPECT_EQ(after[i], !switches[i].checkedAtStart) << switches[i].control;
    }
}

// ---- What OK stores -------------------------------------------------------------------

struct BackgroundCase {
    const char* node;
    const char* pictureKey; // Background_bmp
    const char* defaultKey; // Background_Def
    const char* fixedKey;   // Background_Fixed_Col
    int picture;            // the picture the table shows, 0 for a colour
    Color colour;           // the colour of the table's top left pixel without fading
};

void PrintTo(const BackgroundCase& c, std::ostream* os) { *os << c.node; }

class OkBackgroundTest : public OptionsDialogTest,
                         public ::testing::WithParamInterface<BackgroundCase> {};

TEST_P(OkBackgroundTest, StoresTheChosenBackgroundAndPaintsTheTableWithIt) {
    const BackgroundCase& c = GetParam();
    EXPECT_TRUE(runAndOk([&](Dialog& dialog) {
        selectNode(dialog, "trvBackGround", c.node);
        checkBox(dialog, "chkFadeBackground").setChecked(false);
    }));

    EXPECT_EQ(key("Background_bmp"), c.pictureKey);
    EXPECT_EQ(key("Background_Def"), c.defaultKey);
    EXPECT_EQ(key("Background_Fixed_Col"), c.fixedKey);
    EXPECT_EQ(key("Background_Col"), "-2147483633"); // the custom colour, always
    EXPECT_EQ(key("Fade_Background"), "N");
    EXPECT_EQ(field(43, 4), c.pictureKey);
    EXPECT_EQ(field(27), c.defaultKey);
    EXPECT_EQ(field(47, 15), c.fixedKey);
    EXPECT_EQ(field(28, 15), "0"); // the custom colour is kept only while it is the choice
    EXPECT_EQ(field(135), "N");

    const Bitmap& table = sharedObjects.BackBuffer;
    if (c.picture == 0) {
        EXPECT_EQ(table.pixel(0, 0), c.colour);
        EXPECT_EQ(table.pixel(kScreenWidth - 1, kScreenHeight - 1), c.colour);
    } else {
        Bitmap picture;
        ASSERT_TRUE(picture.load(scratch_.string() + "/Images/B" + fnIntZeroPad(c.picture, 3) + ".bmp"));
        for (const auto p : {platform::gdi::Point{5, 7}, {picture.width() + 3, picture.height() * 2 + 1},
                             {kScreenWidth - 1, kScreenHeight - 1}})
            EXPECT_EQ(table.pixel(p.x, p.y), picture.pixel(p.x % picture.width(), p.y % picture.height()))
                << p.x << "," << p.y;
    }
    EXPECT_EQ(presentationCalls.calls,
              (std::vector<std::string>{"UpdateMainWindow()", "fnDrawTable(BackBuffer,0)",
                                        "fnFlipBackBuffer()", "UpdateMainWindow()",
                                        "DrawSelection(BackBuffer,0)", "DrawSelection(Window,1)"}));
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, OkBackgroundTest,
    ::testing::Values(BackgroundCase{"Metal gold", "287", "N", "0", 287, 0},
                      BackgroundCase{"Moquette", "102", "N", "0", 102, 0},
                      BackgroundCase{"Teal", "0", "N", "8421376", 0, 8421376},
                      BackgroundCase{"White", "0", "N", "16777215", 0, 0xFFFFFF},
                      BackgroundCase{"Colors", "0", "Y", "0", 0, 0x006000},
                      BackgroundCase{"Wood", "0", "Y", "0", 0, 0x006000}),
    [](const auto& info) {
        std::string name = info.param.node;
        name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
        return name;
    });

TEST_F(OptionsDialogTest, OkWithABackgroundTheTreeDoesNotListKeepsIt) {
    setField(47, 15, "0");
    setField(43, 4, "12");
    EXPECT_TRUE(runAndOk([](Dialog&) {}));
    EXPECT_EQ(field(43, 4), "12");
    EXPECT_EQ(field(47, 15), "0");
    EXPECT_EQ(key("Background_bmp"), "<missing>");
}

// The switches of the General and Sounds pages, all turned one way, then all the other.
TEST_F(OptionsDialogTest, OkStoresEverySwitchInTheFileAndTheSettings) {
    struct Switch {
        const char* control;
        const char* key;
        int position; // 0: no settings field
    };
    const Switch switches[] = {{"chkTBLargeIcons", "ToolBar_Large", 0},
                               {"chkTBFlatBtn", "ToolBar_Flat", 0},
                               {"chkShowTime", "Show_Time", 66},
                               {"chkShowScore", "Show_Score", 136},
                               {"chkWinningAnimation", "Winning_Animation", 140},
                               {"chkConfirmQuitGame", "ConfirmQuitGame", 185},
                               {"chkConfirmOnExit", "ConfirmQuit", 0},
                               {"chkFadeBackground", "Fade_Background", 135}};
    for (const bool on : {true, false}) {
        SCOPED_TRACE(on ? "all on" : "all off");
        host.calls.clear();
        EXPECT_TRUE(runAndOk([&](Dialog& dialog) {
            for (const auto& s : switches)
                checkBox(dialog, s.control).setChecked(on);
            checkBox(dialog, "chkSoundsEnabled").setChecked(!on);
        }));
        const std::string yn = on ? "Y" : "N";
        for (const auto& s : switches) {
            EXPECT_EQ(key(s.key), yn) << s.key;
            if (s.position) {
                EXPECT_EQ(field(s.position), yn) << s.key;
            }
        }
        // The box disables the sounds: checked stores "N".
        EXPECT_EQ(key("Sounds_Enabled"), yn);
        EXPECT_EQ(field(141), yn);
        const std::string a = on ? "1" : "0";
        EXPECT_EQ(host.calls, (std::vector<std::string>{"SetToolbarLarge(" + a + ",0)",
                                                        "SetToolbarFlat(" + a + ",0)",
                                                        "SetShowTime(" + a + ",0)",
                                                        "SetShowScore(" + a + ",0)"}));
    }
}

struct BackCase {
    const char* cardSize;
    const char* node;
    const char* storedField; // field 21 after OK
    int cardWidth;           // of the reloaded back picture
};

void PrintTo(const BackCase& c, std::ostream* os) { *os << c.cardSize << " " << c.node; }

class OkBackTest : public OptionsDialogTest, public ::testing::WithParamInterface<BackCase> {};

TEST_P(OkBackTest, StoresTheChosenBackExceptSmallCardsKeepTheirOnlyOne) {
    const BackCase& c = GetParam();
    setField(128, 1, c.cardSize);
    EXPECT_TRUE(runAndOk([&](Dialog& dialog) { selectNode(dialog, "trvCardBack", c.node); }));
    EXPECT_EQ(key("Back_Card"), "14"); // the file keeps the choice
    EXPECT_EQ(field(21, 3), c.storedField);
    Bitmap expected;
    ASSERT_TRUE(expected.load(scratch_.string() + "/Images/D" + c.cardSize + c.storedField + ".bmp"));
    EXPECT_EQ(sharedObjects.CardBackImage, expected);
    EXPECT_EQ(mainWindow.CardWidth, c.cardWidth);
}

INSTANTIATE_TEST_SUITE_P(Sizes, OkBackTest,
                         ::testing::Values(BackCase{"B", "Roses", "014", 71},
                                           BackCase{"M", "Roses", "006", 59},
                                           BackCase{"L", "Roses", "006", 25}),
                         [](const auto& info) { return std::string(info.param.cardSize); });

TEST_F(OptionsDialogTest, OkWithAGroupSelectedKeepsTheBack) {
    EXPECT_TRUE(runAndOk([](Dialog& dialog) { selectNode(dialog, "trvCardBack", "Flowers"); }));
    EXPECT_EQ(field(21, 3), "011");
    EXPECT_EQ(key("Back_Card"), "11");
}

// ---- Cancel -----------------------------------------------------------------------------

struct CancelCase {
    const char* name;
    std::function<void(Dialog&)> close; // empty: the answer alone (Esc)
};

void PrintTo(const CancelCase& c, std::ostream* os) { *os << c.name; }

class CancelTest : public OptionsDialogTest, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(CancelTest, PutsTheSettingsBackAndRedrawsTheTableUnchanged) {
    setField(43, 4, "287");
    setField(47, 15, "0");
    fnPaintConfiguredBackground(sharedObjects.BackBuffer);
    const Bitmap tableBefore = sharedObjects.BackBuffer;
    std::vector<std::string> fieldsBefore;
    for (const auto& f : kStartFields)
        fieldsBefore.push_back(field(f.position, f.width));

    EXPECT_FALSE(run([&](Dialog& dialog) {
        selectNode(dialog, "trvBackGround", "Teal");
        selectNode(dialog, "trvCardBack", "Roses");
        for (const char* name : {"chkFadeBackground", "chkShowTime", "chkSoundsEnabled",
                                 "chkWinningAnimation", "chkTBLargeIcons"})
            checkBox(dialog, name).toggle();
        if (GetParam().close)
            GetParam().close(dialog);
    }, ModalResult::Cancel));

    for (std::size_t i = 0; i < std::size(kStartFields); ++i)
        EXPECT_EQ(field(kStartFields[i].position, kStartFields[i].width), fieldsBefore[i])
            << kStartFields[i].position;
    EXPECT_FALSE(std::filesystem::exists(scratch_ / "DATA" / "CFG.DAT"));
    EXPECT_EQ(sharedObjects.BackBuffer, tableBefore);
    EXPECT_EQ(std::count(presentationCalls.calls.begin(), presentationCalls.calls.end(),
                         "fnDrawTable(BackBuffer,0)"),
              1);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(platform::app::screenCursor(), platform::app::Cursor());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, CancelTest,
    ::testing::Values(CancelCase{"CancelButton",
                                 [](Dialog& d) { control<QPushButton>(d, "btnAnnulla").click(); }},
                      CancelCase{"CloseBox", [](Dialog& d) { d.close(); }},
                      CancelCase{"Escape", {}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Samples ------------------------------------------------------------------------------

TEST_F(OptionsDialogTest, ColourSampleFollowsTheFadeSwitchPictureSampleDoesNot) {
    const Color teal = 8421376;
    run([&](Dialog& dialog) {
        checkBox(dialog, "chkFadeBackground").setChecked(true);
        selectNode(dialog, "trvBackGround", "Teal");
        EXPECT_EQ(control<QLabel>(dialog, "lblBackGround").text().toStdString(), "Teal");
        QImage sample = shown(dialog, "imgSfondoEsempio");
        EXPECT_EQ(pixelOf(sample, 10, 0), teal);
        EXPECT_NE(pixelOf(sample, 10, sample.height() - 1), teal); // faded towards black

        checkBox(dialog, "chkFadeBackground").click();
        sample = shown(dialog, "imgSfondoEsempio");
        EXPECT_EQ(pixelOf(sample, 10, sample.height() - 1), teal);

        selectNode(dialog, "trvBackGround", "Metal gold");
        const QImage picture = shown(dialog, "imgSfondoEsempio");
        Bitmap b287;
        ASSERT_TRUE(b287.load(scratch_.string() + "/Images/B287.bmp"));
        EXPECT_EQ(pixelOf(picture, 3, 4), b287.pixel(3, 4));
        checkBox(dialog, "chkFadeBackground").click();
        EXPECT_EQ(shown(dialog, "imgSfondoEsempio"), picture);
    }, ModalResult::Cancel);
}

TEST_F(OptionsDialogTest, CardBackSampleIsALargeCardWhoseCornersShowTheBackground) {
    setField(128, 1, "L"); // the sample does not follow the table's card size
    setField(21, 3, "006");
    run([&](Dialog& dialog) {
        selectNode(dialog, "trvBackGround", "Navy");
        control<QTabWidget>(dialog, "TabbedNotebook1").setCurrentIndex(1);
        selectNode(dialog, "trvCardBack", "Roses");
        EXPECT_EQ(control<QLabel>(dialog, "lblDecks").text().toStdString(), "Roses");
        const QImage back = shown(dialog, "imgDorsoEsempio");
        const QImage beneath = shown(dialog, "imgSfondoEsempio2");
        ASSERT_EQ(back.size(), QSize(71, 96));
        Bitmap roses;
        ASSERT_TRUE(roses.load(scratch_.string() + "/Images/DB014.bmp"));
        EXPECT_EQ(pixelOf(back, 35, 48), roses.pixel(35, 48));
        const QPoint at = control<QLabel>(dialog, "imgDorsoEsempio").pos();
        for (const auto p : cornerPixels(71, 96))
            EXPECT_EQ(pixelOf(back, p.x, p.y), pixelOf(beneath, at.x() + p.x, at.y() + p.y));
        EXPECT_EQ(pixelOf(beneath, 0, 0), 8388608u); // the page shows the chosen colour
    }, ModalResult::Cancel);
    EXPECT_EQ(field(128), "L");
}

// ---- Pictures for reviewers -------------------------------------------------------------

TEST_F(OptionsDialogTest, SavesAPictureOfEachPage) {
    const std::filesystem::path out = std::getenv("ZV_TEST_OUTPUT_DIR");
    std::filesystem::create_directories(out);
    setField(21, 3, "014");
    setField(43, 4, "287");
    setField(47, 15, "0");
    const char* pages[] = {"general", "decks", "backgrounds", "sounds"};
    run([&](Dialog& dialog) {
        auto& notebook = control<QTabWidget>(dialog, "TabbedNotebook1");
        ASSERT_EQ(notebook.count(), 4);
        for (int i = 0; i < notebook.count(); ++i) {
            notebook.setCurrentIndex(i);
            const auto file = out / (std::string("options-dialog-") + pages[i] + ".png");
            ASSERT_TRUE(dialog.grab().save(QString::fromStdString(file.string())));
            QImage saved(QString::fromStdString(file.string()));
            EXPECT_EQ(saved.size(), dialog.size());
        }
    }, ModalResult::Cancel);
}

} // namespace
