#include "platform/vbforms/runtime.h"

#include "platform/app/application.h"
#include "platform/app/qtstring.h"
#include "platform/forms/box_placement.h"

#include <QInputDialog>

namespace platform::vbforms {

namespace {
testing::ScriptedInputBoxes* scriptedInputBoxes = nullptr;
bool modalAtOnce = false;
} // namespace

Answer MsgBox(const std::string& text, Buttons buttons, const std::string& title) {
    return platform::app::messageBox(text, title, buttons, platform::app::Icon::None);
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
    platform::app::hideStayOnTopWindows();
    QInputDialog box;
    box.setWindowTitle(toQString(title));
    box.setLabelText(toQString(prompt));
    box.setTextValue(toQString(defaultText));
    box.adjustSize(); // builds the box's controls, which Qt leaves until its size is asked
    platform::forms::fitTitle(box);
    platform::forms::openOverActiveWindow(box);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return fromQString(box.textValue());
}

namespace testing {

ScriptedInputBoxes::ScriptedInputBoxes(std::deque<std::optional<std::string>> answers)
    : answers(std::move(answers)) {
    scriptedInputBoxes = this;
}
ScriptedInputBoxes::~ScriptedInputBoxes() {
    scriptedInputBoxes = nullptr;
}

void setModalShowsReturnAtOnce(bool atOnce) {
    modalAtOnce = atOnce;
}
bool modalShowsReturnAtOnce() {
    return modalAtOnce;
}

} // namespace testing

} // namespace platform::vbforms
