#include "platform/app/messagebox.h"
#include "platform/forms/help_context.h"
#include "tests/platform/forms/text_fit.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace platform::app;

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override { setApplicationTitle("Brindlewood"); }
    void TearDown() override { setApplicationTitle({}); }
    ScriptedMessageBoxes boxes;
};

TEST_F(MessageBoxTest, ScriptedAnswersAreTakenInOrderAndEveryBoxIsRecorded) {
    boxes.answer(Answer::No);
    boxes.answer(Answer::Cancel);
    EXPECT_EQ(messageBox("Play again?", "Noughts and Crosses", Buttons::YesNo), Answer::No);
    EXPECT_EQ(messageBox("Save?", {}, Buttons::YesNoCancel, Icon::Warning), Answer::Cancel);
    ASSERT_EQ(boxes.shown().size(), 2u);
    const ShownMessageBox& first = boxes.shown()[0];
    EXPECT_EQ(first.text, "Play again?");
    EXPECT_EQ(first.caption, "Noughts and Crosses");
    EXPECT_EQ(first.buttons, Buttons::YesNo);
    EXPECT_EQ(first.icon, Icon::None);
    EXPECT_EQ(first.answer, Answer::No);
    EXPECT_EQ(boxes.shown()[1].caption, "Brindlewood");
    EXPECT_EQ(boxes.shown()[1].icon, Icon::Warning);
    EXPECT_EQ(boxes.pendingAnswers(), 0u);
}

TEST_F(MessageBoxTest, UnscriptedBoxesTakeTheirDefaultButton) {
    const struct {
        Buttons buttons;
        Answer expected;
    } cases[] = {{Buttons::Ok, Answer::Ok},
                 {Buttons::OkCancel, Answer::Ok},
                 {Buttons::YesNo, Answer::Yes},
                 {Buttons::YesNoCancel, Answer::Yes}};
    for (const auto& c : cases)
        EXPECT_EQ(messageBox("?", {}, c.buttons), c.expected);
}

TEST_F(MessageBoxTest, ConfirmIsTrueOnlyForYes) {
    boxes.answer(Answer::Yes);
    boxes.answer(Answer::No);
    EXPECT_TRUE(confirm("Quit this game?"));
    EXPECT_FALSE(confirm("Quit this game?", "Zevodadu"));
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[0].buttons, Buttons::YesNo);
    EXPECT_EQ(boxes.shown()[0].icon, Icon::Question);
    EXPECT_EQ(boxes.shown()[0].caption, "Brindlewood");
    EXPECT_EQ(boxes.shown()[1].caption, "Zevodadu");
}

TEST_F(MessageBoxTest, ShowInformationIsAnOkBoxWithTheInformationIcon) {
    showInformation("Error creating temp file.");
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Error creating temp file.");
    EXPECT_EQ(boxes.shown()[0].buttons, Buttons::Ok);
    EXPECT_EQ(boxes.shown()[0].icon, Icon::Information);
    EXPECT_EQ(boxes.shown()[0].caption, "Brindlewood");
}

TEST_F(MessageBoxTest, EightBitTextPassesUnchanged) {
    showInformation("Caf\xe9 \xa9");
    EXPECT_EQ(boxes.shown().at(0).text, "Caf\xe9 \xa9");
}

TEST_F(MessageBoxTest, TheHelpContextIsRecorded) {
    messageBox("Open the page?", {}, Buttons::OkCancel, Icon::Information, 4021);
    showInformation("Done.");
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[0].helpContext, 4021);
    EXPECT_EQ(boxes.shown()[1].helpContext, 0);
}

// A real box in its own modal loop: F1 there asks the help handler for the box's topic, a
// box without a context asks nothing.
TEST(ShownMessageBoxTest, F1AsksTheHelpForTheBoxsContext) {
    std::vector<int> asked;
    platform::forms::setHelpHandler([&asked](int context) { asked.push_back(context); });
    auto pressF1ThenCancel = [] {
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            QWidget* focused = box->focusWidget() ? box->focusWidget() : box;
            QTest::keyClick(focused, Qt::Key_F1);
            box->button(QMessageBox::Cancel)->click();
        });
    };
    pressF1ThenCancel();
    EXPECT_EQ(messageBox("Open the page?", "t", Buttons::OkCancel, Icon::Information, 4021),
              Answer::Cancel);
    EXPECT_EQ(asked, std::vector<int>{4021});
    pressF1ThenCancel();
    EXPECT_EQ(messageBox("No topic", "t", Buttons::OkCancel), Answer::Cancel);
    EXPECT_EQ(asked, std::vector<int>{4021});
    platform::forms::setHelpHandler({});
}

// Real boxes with the long texts the programs show: every text shows whole, a long path
// (which has no space to break at) too.
TEST(ShownMessageBoxTest, LongTextsShowWhole) {
    const std::string folder = "/home/a-player-with-a-long-name/games/patience/" +
                               std::string(120, 'x') + "/Zevodadu/";
    struct Box {
        std::string text;
        Buttons buttons;
        Icon icon;
    };
    const Box boxes[] = {
        {"Cannot find images file:\n" + folder + "ZUV.RGF\nSome program components cannot be "
         "shown correctly.\nCopy the file into the directory that above is specified\nor "
         "reinstall the program.",
         Buttons::Ok, Icon::Error},
        {"Quit this game?", Buttons::OkCancel, Icon::Question},
        {"Unable to establish connection", Buttons::Ok, Icon::Warning},
    };
    for (const Box& shown : boxes) {
        std::vector<std::string> faults{"not walked"};
        QTimer::singleShot(0, [&faults] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
            faults = textfit::layoutFaults(*box);
            box->defaultButton()->click();
        });
        messageBox(shown.text, "Brindlewood", shown.buttons, shown.icon);
        EXPECT_TRUE(faults.empty()) << shown.text << "\n" << ::testing::PrintToString(faults);
    }
}
