#pragma once
// Windows and modal dialogs as the programs use them. Program code only (it names Qt types);
// the solitaire engine never includes this.
//
// Drawing "on the window" goes into the front buffer, a bitmap the size of the client area;
// present() shows it at once with a synchronous repaint. Qt's own paint requests (exposure,
// update()) first call onPaint(), where a program redraws the front buffer, and then show it.
// The front buffer is in the program's pixels and is shown magnified by the screen's device
// pixel ratio, so what is read back from it is exactly what was drawn.

#include "platform/app/application.h"
#include "platform/app/cursor_registry.h"
#include "platform/gdi/bitmap.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPaintEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QShowEvent>
#include <QWidget>
#include <QtMath>

#include <functional>
#include <string>

namespace platform::forms {

enum class MouseButton { Left, Right, Middle };

// Keys and buttons held during an input event; Double marks the press of a double click.
enum ShiftFlag : unsigned {
    Shift = 1,
    Alt = 2,
    Ctrl = 4,
    LeftHeld = 8,
    RightHeld = 16,
    MiddleHeld = 32,
    Double = 64,
};

struct ShiftState {
    unsigned flags = 0;
    bool has(ShiftFlag flag) const { return (flags & flag) != 0; }
    bool operator==(const ShiftState&) const = default;
};

// The mapping of Qt input to the handlers below, shared by every kind of form.
namespace detail {
ShiftState shiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
bool mouseButtonOf(Qt::MouseButton qtButton, MouseButton& button);
void paintFrontBuffer(QWidget& widget, const gdi::Bitmap& frontBuffer, const QRect& area);
// Latin-1 character typed, or 0 when the key produced none.
char typedCharacter(const QKeyEvent& event);
} // namespace detail

template <class QtBase>
class Form : public QtBase {
public:
    explicit Form(QWidget* parent = nullptr) : QtBase(parent) {
        QtBase::setMouseTracking(true); // moves without a button held reach onMouseMove
        QtBase::setAttribute(Qt::WA_OpaquePaintEvent);
        QtBase::setFocusPolicy(Qt::StrongFocus);
    }

    // The client area's pixels; resized with the window, keeping what fits. Also right for
    // a hidden window, whose resize events Qt holds back until it is shown.
    gdi::Bitmap& frontBuffer() {
        fitFrontBuffer();
        return frontBuffer_;
    }
    const gdi::Bitmap& frontBuffer() const {
        fitFrontBuffer();
        return frontBuffer_;
    }

    // Shows what was drawn into the front buffer now, without calling onPaint: all of it, or
    // only the area that changed.
    void present() { present(frontBuffer().rect()); }
    void present(const gdi::Rect& area) {
        presenting_ = true;
        QtBase::repaint(area.left, area.top, area.width(), area.height());
        presenting_ = false;
    }

    // Frame (outer) and client geometry in screen pixels.
    int frameLeft() const { return QtBase::frameGeometry().x(); }
    int frameTop() const { return QtBase::frameGeometry().y(); }
    int frameWidth() const { return QtBase::frameGeometry().width(); }
    int frameHeight() const { return QtBase::frameGeometry().height(); }
    // The frame's width and height are known only once the window system has framed the
    // shown window, which may come after the show: until then the client takes the whole
    // size, and it is made smaller by the frame as soon as the frame is known. A window shown
    // maximized gets its size when it is first restored.
    void setFrameGeometry(int left, int top, int width, int height) {
        QtBase::move(left, top);
        pendingFrameSize_ = QSize(width, height);
        pendingClientSize_ = QSize();
        sizeWhileMaximized_ = QSize();
        fitPendingFrameSize();
    }
    int clientWidth() const { return QtBase::width(); }
    int clientHeight() const { return QtBase::height(); }
    void setClientSize(int width, int height) { QtBase::resize(width, height); }

    // The cursor shown over this window while no screen cursor is set.
    void setWindowCursor(const app::Cursor& cursor) { QtBase::setCursor(app::qtCursor(cursor)); }

protected:
    // Handlers for programs to override; coordinates are client pixels.
    virtual void onMouseDown(MouseButton, ShiftState, int /*x*/, int /*y*/) {}
    virtual void onMouseMove(ShiftState, int /*x*/, int /*y*/) {}
    virtual void onMouseUp(MouseButton, ShiftState, int /*x*/, int /*y*/) {}
    // A left double click: arrives before the onMouseDown flagged Double.
    virtual void onDoubleClick() {}
    // Qt::Key codes.
    virtual void onKeyDown(int /*key*/, ShiftState) {}
    virtual void onKeyUp(int /*key*/, ShiftState) {}
    virtual void onKeyPress(char /*character*/) {}
    virtual void onPaint() {}
    virtual void onResize() {}
    // False keeps the window open; onClose runs when it does close.
    virtual bool onCloseQuery() { return true; }
    virtual void onClose() {}
    // A window that is deleted when it closes, closed while a nested wait or modal loop runs
    // (see app::NestedLoop): the code below that loop may still use it, so the whole close
    // (query, onClose, deletion) comes once the loops have returned. This is called now.
    virtual void onCloseDeferred() {}

    void paintEvent(QPaintEvent* event) override {
        if (!presenting_)
            app::runGuarded([&] { onPaint(); });
        detail::paintFrontBuffer(*this, frontBuffer(), event->rect());
    }
    void resizeEvent(QResizeEvent* event) override {
        fitFrontBuffer();
        QtBase::resizeEvent(event);
        fitPendingFrameSize();
        app::runGuarded([&] { onResize(); });
    }
    void moveEvent(QMoveEvent* event) override {
        QtBase::moveEvent(event);
        fitPendingFrameSize();
    }
    void showEvent(QShowEvent* event) override {
        QtBase::showEvent(event);
        fitPendingFrameSize();
    }
    void mousePressEvent(QMouseEvent* event) override {
        MouseButton button;
        if (detail::mouseButtonOf(event->button(), button))
            app::runGuarded([&] { onMouseDown(button, shiftOf(*event), x(*event), y(*event)); });
    }
    // Qt replaces the second press of a double click by this event.
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        MouseButton button;
        if (!detail::mouseButtonOf(event->button(), button))
            return;
        if (button == MouseButton::Left)
            app::runGuarded([&] { onDoubleClick(); });
        ShiftState shift = shiftOf(*event);
        shift.flags |= Double;
        app::runGuarded([&] { onMouseDown(button, shift, x(*event), y(*event)); });
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        app::runGuarded([&] { onMouseMove(shiftOf(*event), x(*event), y(*event)); });
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        MouseButton button;
        if (detail::mouseButtonOf(event->button(), button))
            app::runGuarded([&] { onMouseUp(button, shiftOf(*event), x(*event), y(*event)); });
    }
    // The program's handlers first, then the window's own keys: in a dialog Enter clicks the
    // default button and Esc cancels (see Dialog).
    void keyPressEvent(QKeyEvent* event) override {
        app::runGuarded([&] {
            onKeyDown(event->key(), detail::shiftStateOf(event->modifiers(), {}));
            if (const char typed = detail::typedCharacter(*event))
                onKeyPress(typed);
        });
        QtBase::keyPressEvent(event);
    }
    void keyReleaseEvent(QKeyEvent* event) override {
        app::runGuarded(
            [&] { onKeyUp(event->key(), detail::shiftStateOf(event->modifiers(), {})); });
    }
    // A close query that fails keeps the window open.
    void closeEvent(QCloseEvent* event) override {
        if (QtBase::testAttribute(Qt::WA_DeleteOnClose) && app::insideNestedLoop()) {
            event->ignore();
            app::runGuarded([&] { onCloseDeferred(); });
            app::closeWhenUnwound(*this);
            return;
        }
        bool canClose = false;
        app::runGuarded([&] { canClose = onCloseQuery(); });
        if (!canClose) {
            event->ignore();
            return;
        }
        app::runGuarded([&] { onClose(); });
        event->accept();
    }

private:
    static ShiftState shiftOf(const QMouseEvent& event) {
        return detail::shiftStateOf(event.modifiers(), event.buttons());
    }
    static int x(const QMouseEvent& event) { return qFloor(event.position().x()); }
    static int y(const QMouseEvent& event) { return qFloor(event.position().y()); }

    void fitFrontBuffer() const { frontBuffer_.resize(QtBase::width(), QtBase::height()); }

    // The frame seen in a geometry event of a maximized window, or in its state change, is
    // not the frame it has when restored, and the first event after the restore may still
    // carry the maximized size. A size that anyone else set meanwhile stands.
    void fitPendingFrameSize() {
        if (pendingFrameSize_.isEmpty())
            return;
        if (QtBase::windowState() &
            (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) {
            sizeWhileMaximized_ = QtBase::size();
            return;
        }
        if (QtBase::size() == sizeWhileMaximized_)
            return;
        if (pendingClientSize_.isValid() && QtBase::size() != pendingClientSize_) {
            pendingFrameSize_ = QSize();
            return;
        }
        const QSize border = QtBase::frameGeometry().size() - QtBase::size();
        pendingClientSize_ = pendingFrameSize_ - border;
        if (!border.isNull())
            pendingFrameSize_ = QSize(); // applied once: later sizes are the user's
        QtBase::resize(pendingClientSize_);
    }

    mutable gdi::Bitmap frontBuffer_;
    QSize pendingFrameSize_;   // a frame size waiting for the frame to be known
    QSize pendingClientSize_;  // the client size given for it meanwhile
    QSize sizeWhileMaximized_; // the last client size seen while maximized meanwhile
    bool presenting_ = false;
};

class Window : public Form<QWidget> {
public:
    explicit Window(QWidget* parent = nullptr) : Form<QWidget>(parent) {}
};

enum class ModalResult { None, Ok, Cancel, Yes, No, Abort, Retry, Ignore };

// Enter clicks the default button (QPushButton::setDefault; an auto-default button that has
// the focus takes its place), Esc the cancel button: the dialog's own handlers run as for a
// click.
class Dialog : public Form<QDialog> {
public:
    explicit Dialog(QWidget* parent = nullptr) : Form<QDialog>(parent) {}

    // Runs the dialog modally until closeWith() or the window is closed (Cancel).
    ModalResult showModal();
    // Ends showModal with this result.
    void closeWith(ModalResult result);

    // Each showing opens centred on the screen instead of over the owner window.
    void setCentredOnScreen(bool centred) { centredOnScreen_ = centred; }

    // The button Esc clicks. Without one Esc closes the dialog as its close box does; while
    // it is hidden or disabled Esc does nothing.
    void setCancelButton(QAbstractButton* button) { cancelButton_ = button; }
    // What Esc does (QDialog's name for it).
    void reject() override;

    // While alive, showModal does not wait for the user: it shows the dialog, calls the
    // script with it (the script may work its controls) and returns the script's answer.
    // Every dialog shown meanwhile is counted. Not nestable.
    class Script {
    public:
        explicit Script(std::function<ModalResult(Dialog&)> answer);
        ~Script();
        Script(const Script&) = delete;
        Script& operator=(const Script&) = delete;
        int shownCount() const { return shown_; }

    private:
        friend class Dialog;
        std::function<ModalResult(Dialog&)> answer_;
        int shown_ = 0;
    };

private:
    void placeOnScreen();

    ModalResult result_ = ModalResult::None;
    QPointer<QAbstractButton> cancelButton_;
    bool centredOnScreen_ = false;
};

} // namespace platform::forms
