#include "platform/app/messagebox.h"

#include <gtest/gtest.h>

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
