#include "platform/vbforms/runtime.h"

#include "platform/vbforms/internal.h"

#include <QInputDialog>
#include <QMessageBox>

namespace platform::vbforms {

namespace {
testing::ScriptedMsgBoxes* scriptedMsgBoxes = nullptr;
testing::ScriptedInputBoxes* scriptedInputBoxes = nullptr;
bool modalAtOnce = false;
} // namespace

Answer MsgBox(const std::string& text, Buttons buttons, const std::string& title) {
    if (scriptedMsgBoxes) {
        scriptedMsgBoxes->shown.push_back({text, title, buttons});
        if (scriptedMsgBoxes->answers.empty())
            return buttons == Buttons::ok ? Answer::ok : Answer::no;
        const Answer answer = scriptedMsgBoxes->answers.front();
        scriptedMsgBoxes->answers.pop_front();
        return answer;
    }
    QMessageBox box(QMessageBox::NoIcon, detail::toQt(title), detail::toQt(text),
                    buttons == Buttons::yesNo ? QMessageBox::Yes | QMessageBox::No
                                              : QMessageBox::Ok);
    const int pressed = box.exec();
    if (buttons == Buttons::ok)
        return Answer::ok;
    return pressed == QMessageBox::Yes ? Answer::yes : Answer::no;
}

std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                    const std::string& defaultText) {
    if (scriptedInputBoxes) {
        scriptedInputBoxes->shown.push_back({prompt, title});
        if (scriptedInputBoxes->answers.empty())
            return std::nullopt;
        auto answer = scriptedInputBoxes->answers.front();
        scriptedInputBoxes->answers.pop_front();
        return answer;
    }
    QInputDialog box;
    box.setWindowTitle(detail::toQt(title));
    box.setLabelText(detail::toQt(prompt));
    box.setTextValue(detail::toQt(defaultText));
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return detail::fromQt(box.textValue());
}

namespace testing {

ScriptedMsgBoxes::ScriptedMsgBoxes(std::deque<Answer> answers) : answers(std::move(answers)) {
    scriptedMsgBoxes = this;
}
ScriptedMsgBoxes::~ScriptedMsgBoxes() { scriptedMsgBoxes = nullptr; }

ScriptedInputBoxes::ScriptedInputBoxes(std::deque<std::optional<std::string>> answers)
    : answers(std::move(answers)) {
    scriptedInputBoxes = this;
}
ScriptedInputBoxes::~ScriptedInputBoxes() { scriptedInputBoxes = nullptr; }

void setModalShowsReturnAtOnce(bool atOnce) { modalAtOnce = atOnce; }
bool modalShowsReturnAtOnce() { return modalAtOnce; }

} // namespace testing

} // namespace platform::vbforms
