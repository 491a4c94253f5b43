#include "platform/vbforms/widgets.h"

#include "platform/app/application.h"
#include "platform/forms/box_placement.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <cmath>

namespace platform::vbforms {

QFont toQFont(const Font& font) {
    // Missing designer fonts fall back to families of the same kind and about the same width
    // (metric-compatible ones first), so texts fit the designed layouts.
    const bool serif = font.name == "Times New Roman";
    QFont qfont;
    qfont.setFamilies(serif ? QStringList{QString::fromLatin1(font.name.c_str()),
                                          "Liberation Serif", "Tinos", "DejaVu Serif Condensed"}
                            : QStringList{QString::fromLatin1(font.name.c_str()), "Liberation Sans",
                                          "Arimo", "DejaVu Sans Condensed"});
    qfont.setStyleHint(serif ? QFont::Serif : QFont::SansSerif);
    qfont.setPixelSize(pointsToPixels(font.points));
    return qfont;
}

void place(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                         twipsToPixels(height));
}

void growToText(QLabel& label, Qt::Edge keptEdge) {
    const int needed =
        label.wordWrap() ? label.heightForWidth(label.width()) : label.sizeHint().height();
    const int growth = needed - label.height();
    if (growth <= 0)
        return;
    const int top = keptEdge == Qt::BottomEdge ? label.y() - growth : label.y();
    label.setGeometry(label.x(), top, label.width(), needed);
}

Form::Form(QWidget* parent) : QWidget(parent, Qt::Window) {}

void Form::setClientTwips(int width, int height) {
    setFixedSize(twipsToPixels(width), twipsToPixels(height));
}

void Form::showModeless() {
    if (!isVisible())
        platform::forms::openOverActiveWindow(*this);
    show();
    raise();
    activateWindow();
}

void Form::showModal() {
    if (isVisible() && !isModal())
        hide(); // modality can only change while hidden
    setWindowModality(Qt::ApplicationModal);
    platform::app::hideStayOnTopWindows();
    showModeless();
    if (testing::modalShowsReturnAtOnce())
        return;
    QEventLoop loop;
    connect(this, &Form::hidden, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    if (isVisible())
        loop.exec();
}

void Form::closeEvent(QCloseEvent* event) {
    if (unload_) {
        event->ignore(); // the slot hides and deletes the form itself
        auto unload = unload_;
        unload();
        return;
    }
    QWidget::closeEvent(event);
}

void Form::keyPressEvent(QKeyEvent* event) {
    const bool plain = event->modifiers() == Qt::NoModifier ||
                       (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter);
    QPushButton* button = nullptr;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        defaultButton_) {
        button = qobject_cast<QPushButton*>(focusWidget());
        if (!button)
            button = defaultButton_;
    } else if (plain && event->key() == Qt::Key_Escape) {
        button = cancelButton_;
    }
    if (!button) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (button->isVisible() && button->isEnabled())
        button->click();
}

void Form::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit hidden();
}

ProgressBarView::ProgressBarView(ProgressBar& bar, QWidget* parent)
    : QProgressBar(parent), bar_(bar) {
    setTextVisible(false);
    const auto show = [this] {
        const auto whole = [](float v) { return static_cast<int>(std::lround(v)); };
        setRange(whole(bar_.get(ProgressBar::minimum)), whole(bar_.get(ProgressBar::maximum)));
        setValue(whole(bar_.get(ProgressBar::value)));
        if (isVisible())
            repaint();
    };
    bar_.setView(show);
    show();
}

ProgressBarView::~ProgressBarView() {
    bar_.setView({});
}

} // namespace platform::vbforms
