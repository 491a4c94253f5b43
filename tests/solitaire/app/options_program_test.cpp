// The Customize command of the running program: every option changed and confirmed with OK
// is there again after the program is closed and started anew.
#include "program_fixture.h"

#include "solitaire/app/links.h"
#include "solitaire/app/options_dialog.h"
#include "solitaire/engine/game_definition.h"

#include "platform/files/paths.h"
#include "platform/shell/help.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTreeWidget>

#include <map>

namespace solitaire::testing {
namespace {

using platform::forms::Dialog;
using platform::forms::ModalResult;

constexpr const char* kSwitches[] = {"chkTBLargeIcons",     "chkTBFlatBtn",       "chkShowTime",
                                     "chkShowScore",        "chkWinningAnimation", "chkConfirmQuitGame",
                                     "chkConfirmOnExit",    "chkFadeBackground",  "chkSoundsEnabled"};

struct Shown {
    std::map<std::string, bool> switches;
    std::string back;
    std::string background;
};

bool isOptionsDialog(const Dialog& dialog) {
    return dialog.objectName() == "TfrmCustomize_Zevodadu";
}

std::string selectedCaption(Dialog& dialog, const char* tree) {
    const QTreeWidgetItem* item = dialog.findChild<QTreeWidget*>(tree)->currentItem();
    return item ? item->text(0).toStdString() : "";
}

Shown shownBy(Dialog& dialog) {
    Shown shown;
    for (const char* name : kSwitches)
        shown.switches[name] = dialog.findChild<QCheckBox*>(name)->isChecked();
    shown.back = selectedCaption(dialog, "trvCardBack");
    shown.background = selectedCaption(dialog, "trvBackGround");
    return shown;
}

void select(Dialog& dialog, const char* tree, const char* caption) {
    auto* view = dialog.findChild<QTreeWidget*>(tree);
    view->setCurrentItem(view->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive).front());
}

class OptionsProgramTest : public ProgramTest {
protected:
    // Runs the Customize command; the dialog gets `work` and then the answer.
    void customize(const std::function<ModalResult(Dialog&)>& work) {
        int shown = 0;
        answerDialogs([&](Dialog& dialog) {
            if (!isOptionsDialog(dialog))
                return ModalResult::Cancel;
            ++shown;
            return work(dialog);
        });
        ASSERT_TRUE(main_->mnuCustomize->isEnabled());
        main_->mnuCustomize->trigger();
        answerDialogs(cancel);
        ASSERT_EQ(shown, 1);
    }
    // A second run of the program in the same folder, with the globals a new process has.
    void restart() {
        close();
        ASSERT_TRUE(windowGone());
        gameDefinition.fill(0);
        engineScalars = EngineScalars{};
        mainWindow = MainWindowState{};
        start(chooseGame("Klondike"));
    }
};

TEST_F(OptionsProgramTest, EveryOptionChangedIsKeptAfterARestart) {
    start(chooseGame("Klondike"));
    Shown before, chosen;
    customize([&](Dialog& dialog) {
        before = shownBy(dialog);
        for (const char* name : kSwitches)
            dialog.findChild<QCheckBox*>(name)->toggle();
        select(dialog, "trvCardBack", "Roses");
        select(dialog, "trvBackGround", "Metal gold");
        chosen = shownBy(dialog);
        dialog.findChild<QPushButton*>("btnOK")->click();
        return ModalResult::Ok;
    });
    ASSERT_NE(before.back, "Roses");
    ASSERT_NE(before.background, "Metal gold");
    ASSERT_FALSE(before.switches["chkConfirmOnExit"]);
    // The window follows at once: the clock panel went with Show time.
    EXPECT_EQ(main_->pnlTempo->isVisible(), chosen.switches["chkShowTime"]);
    EXPECT_EQ(main_->pnlTB->isVisible(), chosen.switches["chkTBLargeIcons"]);

    restart();
    EXPECT_EQ(fnReadSettingsField(43, 4), "287");
    EXPECT_EQ(fnReadSettingsField(21, 3), "014");
    EXPECT_EQ(main_->pnlTB->isVisible(), chosen.switches["chkTBLargeIcons"]);
    Shown after;
    customize([&](Dialog& dialog) {
        after = shownBy(dialog);
        return ModalResult::Cancel;
    });
    for (const char* name : kSwitches) {
        EXPECT_NE(chosen.switches[name], before.switches[name]) << name;
        EXPECT_EQ(after.switches[name], chosen.switches[name]) << name;
    }
    EXPECT_EQ(after.back, "Roses");
    EXPECT_EQ(after.background, "Metal gold");
    // Closing asked first, as "Confirm on exit" had been turned on; nothing else was shown.
    ASSERT_EQ(boxes_.shown().size(), 1u);
    EXPECT_EQ(boxes_.shown()[0].text, "Exit Brindlewood?");
}

TEST_F(OptionsProgramTest, CancelLeavesTheFileAsItWas) {
    start(chooseGame("Klondike"));
    const platform::files::IniFile cfg = folder_.preferences();
    const auto keys = cfg.readSectionValues("Preference");
    customize([&](Dialog& dialog) {
        select(dialog, "trvBackGround", "Teal");
        dialog.findChild<QCheckBox*>("chkShowTime")->toggle();
        dialog.findChild<QPushButton*>("btnAnnulla")->click();
        return ModalResult::Cancel;
    });
    EXPECT_EQ(cfg.readSectionValues("Preference"), keys);
    EXPECT_TRUE(main_->pnlTempo->isVisible());
}

TEST_F(OptionsProgramTest, HelpButtonShowsTheDialogsPage) {
    start(chooseGame("Klondike"));
    customize([](Dialog& dialog) {
        dialog.findChild<QPushButton*>("btnAiuto")->click();
        return ModalResult::Cancel;
    });
    EXPECT_EQ(platform::shell::shownHelpPage(),
              platform::files::resolvePath(HelpPagePath(kOptionsHelpContext)));
    EXPECT_TRUE(fs::exists(platform::shell::shownHelpPage()));
    platform::shell::closeHelpWindow();
}

// The options command is offered while the card set is the player's own; the predefined set
// of narrow screens takes it away.
TEST_F(OptionsProgramTest, CommandFollowsTheWindowState) {
    start();
    EXPECT_TRUE(main_->mnuCustomize->isEnabled());
    mainWindow.CustomizeEnabled = false;
    main_->UpdateMainWindow();
    EXPECT_FALSE(main_->mnuCustomize->isEnabled());
    mainWindow.CustomizeEnabled = true;
    main_->UpdateMainWindow();
    EXPECT_TRUE(main_->mnuCustomize->isEnabled());
}

} // namespace
} // namespace solitaire::testing
