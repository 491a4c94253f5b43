// Every window and box of the program shows each of its texts whole, at the platform's font:
// the longest texts they show included (every game of the catalogue in the chooser, the
// clock and score at their widest).

#include "program_fixture.h"

#include "tests/platform/forms/text_fit.h"

#include "solitaire/app/splash.h"
#include "solitaire/engine/lifecycle.h"
#include "solitaire/engine/settings.h"

#include <QTabWidget>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <gmock/gmock.h>

namespace solitaire::testing {
namespace {

using platform::forms::Dialog;
using platform::forms::ModalResult;
using ::testing::IsEmpty;
using textfit::layoutFaults;

class TextFitTest : public ProgramTest {
protected:
    void SetUp() override {
        start();
        main_->showNormal();
        main_->resize(800, 600);
    }
    // Shows the dialog the command opens; `look` runs on each dialog while it is open.
    void whileShown(const std::function<void()>& command,
                    const std::function<ModalResult(Dialog&)>& look) {
        int looked = dialogsShown();
        answerDialogs(look);
        command();
        answerDialogs(cancel);
        EXPECT_GT(dialogsShown(), looked) << "no dialog was shown";
    }
};

TEST_F(TextFitTest, ToolBarsClockAndScoreShowTheirTextsWhole) {
    // The clock runs past nine hours; the score takes up to six characters.
    const std::pair<std::string, std::string> panels[] = {
        {fnClockText(0), "0"}, {fnClockText(99 * 3600 + 59 * 60 + 59), "-99999"},
        {fnClockText(10 * 3600), "999999"}};
    for (const bool large : {true, false})
        for (const bool flat : {true, false})
            for (const auto& [clock, score] : panels) {
                main_->SetToolbarLarge(large, false);
                main_->SetToolbarFlat(flat, false);
                mainWindow.ClockLabel = clock;
                mainWindow.ScoreLabel = score;
                main_->ShowWindowState();
                EXPECT_THAT(layoutFaults(*main_), IsEmpty())
                    << (large ? "large" : "small") << (flat ? " flat" : "") << " buttons, "
                    << clock << ", " << score;
            }
}

TEST_F(TextFitTest, ChooserShowsEveryGamesNameAndDescriptionWhole) {
    whileShown([this] { main_->OpenGame(); },
               [](Dialog& dialog) {
                   auto& open = dynamic_cast<TfrmOpenGame&>(dialog);
                   QTreeWidgetItem* group = open.trvGames->topLevelItem(0);
                   open.trvGames->setCurrentItem(group);
                   EXPECT_THAT(layoutFaults(open), IsEmpty()) << "no game selected";
                   EXPECT_GT(group->childCount(), 1);
                   for (int i = 0; i < group->childCount(); ++i) {
                       open.trvGames->setCurrentItem(group->child(i));
                       EXPECT_THAT(layoutFaults(open), IsEmpty())
                           << group->child(i)->text(0).toStdString();
                   }
                   return ModalResult::Cancel;
               });
}

TEST_F(TextFitTest, CustomizeShowsEveryPageAndChoiceWhole) {
    whileShown([this] { main_->Customize(); },
               [](Dialog& dialog) {
                   auto* pages = dialog.findChild<QTabWidget*>("TabbedNotebook1");
                   for (int page = 0; page < pages->count(); ++page) {
                       pages->setCurrentIndex(page);
                       const std::string pageName = pages->tabText(page).toStdString();
                       EXPECT_THAT(layoutFaults(dialog), IsEmpty()) << pageName;
                       // The caption above a tree names the chosen card back or background.
                       for (auto* tree : pages->widget(page)->findChildren<QTreeWidget*>())
                           for (QTreeWidgetItemIterator it(tree); *it; ++it) {
                               tree->setCurrentItem(*it);
                               EXPECT_THAT(layoutFaults(dialog), IsEmpty())
                                   << pageName << ", " << (*it)->text(0).toStdString();
                           }
                   }
                   return ModalResult::Cancel;
               });
}

TEST_F(TextFitTest, AboutBoxShowsItsTextsWhole) {
    whileShown([this] { main_->About(); },
               [](Dialog& dialog) {
                   EXPECT_THAT(layoutFaults(dialog), IsEmpty());
                   return ModalResult::Ok;
               });
}

TEST_F(TextFitTest, NewsletterBoxesShowTheirTextsWhole) {
    whileShown([this] { main_->Newsletter(); },
               [](Dialog& dialog) {
                   EXPECT_THAT(layoutFaults(dialog), IsEmpty())
                       << dialog.objectName().toStdString();
                   if (auto* invitation = dynamic_cast<TfrmNews*>(&dialog)) {
                       QTest::mouseClick(invitation->btnSend, Qt::LeftButton); // the sign-up
                       return ModalResult::Ok;
                   }
                   return ModalResult::Cancel;
               });
    // At start-up the invitation can be switched off with its check box.
    TfrmNews invitation(main_);
    whileShown([&] { invitation.showModal(); },
               [](Dialog& dialog) {
                   EXPECT_TRUE(dynamic_cast<TfrmNews&>(dialog).chkNotDisplay->isVisible());
                   EXPECT_THAT(layoutFaults(dialog), IsEmpty());
                   return ModalResult::Cancel;
               });
}

TEST_F(TextFitTest, SplashShowsItsTextsWhole) {
    TfrmSplashForm splash;
    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    EXPECT_THAT(layoutFaults(splash), IsEmpty());
}

// The advice that a display of 256 colours or fewer gets at start-up.
class LowColourTextFitTest : public ProgramTest {
protected:
    LowColourTextFitTest() : ProgramTest(kScreenWidth, kScreenHeight, 8) {}
};

TEST_F(LowColourTextFitTest, AdviceShowsItsTextsWhole) {
    bool advised = false;
    start([&](Dialog& dialog) {
        if (dynamic_cast<TfrmMsgAdvice*>(&dialog)) {
            advised = true;
            EXPECT_THAT(layoutFaults(dialog), IsEmpty());
        }
        return ModalResult::Cancel;
    });
    EXPECT_TRUE(advised);
}

} // namespace
} // namespace solitaire::testing
