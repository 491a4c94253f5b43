#include "platform/forms/form.h"

#include "platform/app/screen.h"
#include "platform/gdi/qimage.h"

#include <QPainter>

#include <stdexcept>

namespace platform::forms {
namespace detail {

ShiftState shiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    ShiftState state;
    const auto add = [&](bool on, ShiftFlag flag) {
        if (on)
            state.flags |= flag;
    };
    add(modifiers & Qt::ShiftModifier, Shift);
    add(modifiers & Qt::AltModifier, Alt);
    add(modifiers & Qt::ControlModifier, Ctrl);
    add(buttons & Qt::LeftButton, LeftHeld);
    add(buttons & Qt::RightButton, RightHeld);
    add(buttons & Qt::MiddleButton, MiddleHeld);
    return state;
}

bool mouseButtonOf(Qt::MouseButton qtButton, MouseButton& button) {
    switch (qtButton) {
    case Qt::LeftButton:
        button = MouseButton::Left;
        return true;
    case Qt::RightButton:
        button = MouseButton::Right;
        return true;
    case Qt::MiddleButton:
        button = MouseButton::Middle;
        return true;
    default:
        return false;
    }
}

void paintFrontBuffer(QWidget& widget, const gdi::Bitmap& frontBuffer, const QRect& area) {
    QPainter painter(&widget);
    // The painter works in the program's pixels; on a high-density screen Qt magnifies them.
    painter.drawImage(area, gdi::qImage(frontBuffer), area);
}

char typedCharacter(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.size() != 1 || text[0].unicode() > 0xFF)
        return 0;
    return static_cast<char>(text[0].unicode());
}

} // namespace detail

namespace {
Dialog::Script* dialogScript = nullptr;
}

ModalResult Dialog::showModal() {
    result_ = ModalResult::None;
    app::hideStayOnTopWindows();
    placeOnScreen();
    if (dialogScript) {
        show();
        ++dialogScript->shown_;
        const ModalResult answer = dialogScript->answer_(*this);
        hide();
        return answer;
    }
    {
        const app::NestedLoop loop;
        exec();
    }
    return result_ == ModalResult::None ? ModalResult::Cancel : result_;
}

void Dialog::closeWith(ModalResult result) {
    result_ = result;
    done(result == ModalResult::Cancel ? QDialog::Rejected : QDialog::Accepted);
}

// The frame, once the window has been shown; the client area before.
void Dialog::placeOnScreen() {
    if (!centredOnScreen_)
        return;
    const QSize frame = frameGeometry().size();
    move((app::screenWidth() - frame.width()) / 2, (app::screenHeight() - frame.height()) / 2);
}

void Dialog::reject() {
    if (!cancelButton_) {
        close();
        return;
    }
    if (cancelButton_->isVisible() && cancelButton_->isEnabled())
        cancelButton_->click();
}

Dialog::Script::Script(std::function<ModalResult(Dialog&)> answer) : answer_(std::move(answer)) {
    if (dialogScript)
        throw std::logic_error("Dialog::Script: a script is already installed");
    dialogScript = this;
}

Dialog::Script::~Script() { dialogScript = nullptr; }

} // namespace platform::forms
