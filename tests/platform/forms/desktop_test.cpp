#include "platform/forms/desktop.h"
#include "platform/forms/filedialog.h"
#include "platform/forms/form.h"

#include <gtest/gtest.h>

#include <string>

using namespace platform::forms;

namespace {

TEST(DesktopTest, MinimizeRestoreAndRaiseActOnVisibleMainWindows) {
    Window main;
    main.setClientSize(100, 80);
    main.show();
    Window hidden; // never shown: left alone
    ASSERT_FALSE(applicationMinimized());

    minimizeApplication();
    EXPECT_TRUE(main.isMinimized());
    EXPECT_FALSE(hidden.isMinimized());
    EXPECT_TRUE(applicationMinimized());

    restoreApplication();
    EXPECT_FALSE(main.isMinimized());
    EXPECT_FALSE(applicationMinimized());
    bringApplicationToFront();
    EXPECT_TRUE(main.isVisible());
}

TEST(DesktopTest, NothingIsMinimizedWithoutWindows) {
    EXPECT_FALSE(applicationMinimized());
}

struct FilterCase {
    std::string programFilter;
    std::string qtFilter;
};

TEST(FileDialogTest, FiltersBecomeQtFilters) {
    const FilterCase cases[] = {
        {"Kolvan file (*.klv)|*.klv", "Kolvan file (*.klv) (*.klv)"},
        {"Text|*.txt;*.log|All|*.*", "Text (*.txt *.log);;All (*.*)"},
        {"Lonely", "Lonely ()"},
        {"", ""},
    };
    for (const FilterCase& c : cases)
        EXPECT_EQ(qtFileFilter(c.programFilter), c.qtFilter) << c.programFilter;
}

TEST(FileDialogTest, DefaultExtensionOnlyForNamesWithoutOne) {
    EXPECT_EQ(withDefaultExtension("game1", "klv"), "game1.klv");
    EXPECT_EQ(withDefaultExtension("/tmp/game1.klv", "klv"), "/tmp/game1.klv");
    EXPECT_EQ(withDefaultExtension("/tmp/a.b/game", "klv"), "/tmp/a.b/game.klv");
    EXPECT_EQ(withDefaultExtension("game.txt", "klv"), "game.txt");
    EXPECT_EQ(withDefaultExtension("game", ""), "game");
}

TEST(FileDialogTest, ScriptedAnswersAreRecordedAndRunOutAsCancel) {
    ScriptedFileDialogs script;
    script.answer("/tmp/saved");
    script.answer(std::nullopt);
    script.answer("/tmp/opened.klv");

    const FileDialogOptions save{"Kolvan file (*.klv)|*.klv", "game1", "klv", ""};
    EXPECT_EQ(saveFileDialog(save), "/tmp/saved.klv");
    EXPECT_EQ(saveFileDialog(save), std::nullopt);
    EXPECT_EQ(openFileDialog({"Kolvan files (*.klv)|*.klv", "", "", ""}), "/tmp/opened.klv");
    EXPECT_EQ(openFileDialog({}), std::nullopt);

    ASSERT_EQ(script.shown().size(), 4u);
    EXPECT_EQ(script.shown()[0].kind, FileDialogKind::Save);
    EXPECT_EQ(script.shown()[0].options.fileName, "game1");
    EXPECT_EQ(script.shown()[2].kind, FileDialogKind::Open);
    EXPECT_EQ(script.shown()[2].options.filter, "Kolvan files (*.klv)|*.klv");
}

} // namespace
