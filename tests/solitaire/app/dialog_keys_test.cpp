// Every dialog of the program in its own modal loop, worked by keys through its window as the
// window system delivers them: Enter answers as the default button, Esc as Cancel (or as the
// only button), and the dialog's own handlers do what a click does.

#include "program_fixture.h"

#include "solitaire/app/options_dialog.h"
#include "solitaire/app/preferences.h"
#include "tests/platform/keys_when_shown.h"

#include <QTreeWidget>

#include <string>
#include <vector>

namespace solitaire::testing {
namespace {

using platform::forms::Dialog;

using zvtest::KeysWhenShown;

class ProgramDialogKeysTest : public ProgramTest {
protected:
    void SetUp() override {
        start();
        script_.reset(); // the dialogs run their own loops from now on
    }
    static void select(QTreeWidget& tree, const char* caption) {
        tree.setFocus();
        tree.setCurrentItem(
            tree.findItems(caption, Qt::MatchExactly | Qt::MatchRecursive).front());
    }
    std::string selectedGameName() const {
        return fnReadSettingsField(kGameNamePosition, kGameNameWidth);
    }
    std::vector<std::string> openedLinks() const {
        std::vector<std::string> targets;
        for (const auto& request : links_.requests())
            targets.push_back(request.target);
        return targets;
    }
};

TEST_F(ProgramDialogKeysTest, ChooserStartsTheGameOnEnterAndLeavesOnEsc) {
    {
        const KeysWhenShown<TfrmOpenGame> esc({Qt::Key_Escape}, [this](TfrmOpenGame& chooser) {
            select(*chooser.trvGames, "FreeCell");
        });
        main_->OpenGame();
        ASSERT_TRUE(esc.pressed());
    }
    EXPECT_FALSE(main_->gameChooser()->isVisible());
    EXPECT_FALSE(mainWindow.GameRunning) << "Esc chooses nothing";
    {
        // The tree keeps its own keys: Down moves on to the next game, and Enter takes it.
        const KeysWhenShown<TfrmOpenGame> enter({Qt::Key_Down, Qt::Key_Return},
                                                [this](TfrmOpenGame& chooser) {
                                                    select(*chooser.trvGames, "Forty Thieves");
                                                });
        main_->OpenGame();
        ASSERT_TRUE(enter.pressed());
    }
    EXPECT_EQ(selectedGameName(), "Forty and Eight");
    EXPECT_TRUE(mainWindow.GameRunning);
}

TEST_F(ProgramDialogKeysTest, CustomizeStoresOnEnterAndPutsBackOnEsc) {
    const std::string before = fnReadSettingsField(47, 15);
    const std::string stored =
        folder_.preferences().readString("Preference", "Background_Fixed_Col", "(none)");
    const auto chooseTeal = [this](Dialog& dialog) {
        select(*dialog.findChild<QTreeWidget*>("trvBackGround"), "Teal");
    };
    {
        const KeysWhenShown<Dialog> esc({Qt::Key_Escape}, chooseTeal);
        main_->Customize();
        ASSERT_TRUE(esc.pressed());
    }
    EXPECT_EQ(fnReadSettingsField(47, 15), before) << "Esc cancels";
    EXPECT_EQ(folder_.preferences().readString("Preference", "Background_Fixed_Col", "(none)"),
              stored);
    {
        const KeysWhenShown<Dialog> enter({Qt::Key_Return}, chooseTeal);
        main_->Customize();
        ASSERT_TRUE(enter.pressed());
    }
    EXPECT_EQ(folder_.preferences().readInteger("Preference", "Background_Fixed_Col", 0), 8421376)
        << "Enter is OK";
}

TEST_F(ProgramDialogKeysTest, NewsletterBoxesGoOnOnEnterAndLeaveOnEsc) {
    {
        const KeysWhenShown<TfrmNews> esc({Qt::Key_Escape});
        main_->Newsletter();
        ASSERT_TRUE(esc.pressed());
    }
    EXPECT_TRUE(openedLinks().empty());
    {
        // Enter on the invitation opens the sign-up box, where Esc leaves without a mail.
        const KeysWhenShown<TfrmNews> invitation({Qt::Key_Return});
        const KeysWhenShown<TfrmNews2> signUp({Qt::Key_Escape});
        main_->Newsletter();
        ASSERT_TRUE(invitation.pressed());
        ASSERT_TRUE(signUp.pressed());
    }
    EXPECT_TRUE(openedLinks().empty());
    {
        const KeysWhenShown<TfrmNews> invitation({Qt::Key_Return});
        const KeysWhenShown<TfrmNews2> signUp({Qt::Key_Return}, [](TfrmNews2& box) {
            box.edtWhere->setFocus();
            box.edtWhere->setText("abc");
        });
        main_->Newsletter();
        ASSERT_TRUE(signUp.pressed());
    }
    ASSERT_EQ(openedLinks().size(), 1u) << "Enter in the field sends the mail";
    EXPECT_NE(openedLinks().front().find("?subject=News (abc)"), std::string::npos);
}

// Boxes with one button answer both keys with it.
TEST_F(ProgramDialogKeysTest, AboutAndAdviceCloseOnEnterAndOnEsc) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        {
            const KeysWhenShown<TfrmAbout> about({key});
            main_->About();
            ASSERT_TRUE(about.pressed());
        }
        {
            const KeysWhenShown<TfrmMsgAdvice> advice({key}, [](TfrmMsgAdvice& box) {
                box.chkNotDisplay->setFocus();
            });
            ShowAdvice(main_, "text", "Screen_Under_256_Colors", 0);
            ASSERT_TRUE(advice.pressed());
        }
    }
}

} // namespace
} // namespace solitaire::testing
