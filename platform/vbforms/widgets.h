#pragma once
// The Qt side of the form runtime, for the forms of a program (never for its game logic):
// forms that load and unload, layout in twips, fonts, and the progress bar's widget.
#include "platform/vbforms/runtime.h"

#include <QFont>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>
#include <utility>

namespace platform::vbforms {

QFont toQFont(const Font& font);

// Places a control by a design rectangle in twips (left, top, width, height).
void place(QWidget* control, int left, int top, int width, int height);

// A label whose text needs more height at the platform's fonts than its design rectangle
// gives grows to that height, keeping its top edge, or its bottom edge where what lies below
// it must stay clear.
void growToText(QLabel& label, Qt::Edge keptEdge = Qt::TopEdge);

// Creates a control with its caption and font at a design rectangle in twips.
template <class W>
W* addControl(QWidget* parent, const QString& caption, const Font& font, int left, int top,
              int width, int height) {
    auto* control = new W(caption, parent);
    control->setFont(toQFont(font));
    place(control, left, top, width, height);
    return control;
}

// A top-level form. Load and unload go through its FormSlot; closing the window by its close
// box unloads it.
class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr);

    virtual void Form_Load() {}
    virtual void Form_Unload() {}

    // Sets the client area from a design size in twips.
    void setClientTwips(int width, int height);

    // A form not placed yet opens over the window the user is working in (see
    // platform::forms::openOverActiveWindow).
    void showModeless();
    // Shows the form application-modal and returns once it is hidden or unloaded (at once
    // under testing::setModalShowsReturnAtOnce).
    void showModal();

    // Set by the slot that loaded the form: what closing the window does.
    void setUnloadAction(std::function<void()> unload) { unload_ = std::move(unload); }

    // A box's keys: with a default button Enter clicks the button that has the focus, else
    // the default one; Esc clicks the cancel button. A form without them leaves the keys alone.
    void setDefaultButton(QPushButton* button) { defaultButton_ = button; }
    void setCancelButton(QPushButton* button) { cancelButton_ = button; }

signals:
    void hidden();

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<void()> unload_;
    QPointer<QPushButton> defaultButton_;
    QPointer<QPushButton> cancelButton_;
};

// Where a form lives while it is loaded: loading an unloaded form creates it and runs its
// Form_Load; unloading runs Form_Unload and removes it; unloading an unloaded form does
// nothing. The form is deleted once control returns to the event loop, so a form may unload
// itself from its own event handlers.
template <class F> class FormSlot {
public:
    // afterUnload runs once the form has been unloaded.
    explicit FormSlot(std::function<void()> afterUnload = {})
        : afterUnload_(std::move(afterUnload)) {}
    FormSlot(const FormSlot&) = delete;
    FormSlot& operator=(const FormSlot&) = delete;
    ~FormSlot() { delete form_.data(); }

    template <class... Args> F& load(Args&&... args) {
        if (!form_) {
            form_ = new F(std::forward<Args>(args)...);
            form_->setUnloadAction([this] { unload(); });
            form_->Form_Load();
        }
        return *form_;
    }
    void unload() {
        if (!form_)
            return;
        F* form = form_.data();
        form_ = nullptr;
        form->Form_Unload();
        form->setUnloadAction({});
        form->hide();
        form->deleteLater();
        if (afterUnload_)
            afterUnload_();
    }
    bool loaded() const { return !form_.isNull(); }
    F* get() const { return form_.data(); }
    F* operator->() const { return form_.data(); }

private:
    QPointer<F> form_;
    std::function<void()> afterUnload_;
};

// Shows a ProgressBar and repaints at once on every change, so a sweep that runs without
// yielding to the event loop is still seen step by step.
class ProgressBarView : public QProgressBar {
public:
    ProgressBarView(ProgressBar& bar, QWidget* parent);
    ~ProgressBarView() override;

private:
    ProgressBar& bar_;
};

} // namespace platform::vbforms
