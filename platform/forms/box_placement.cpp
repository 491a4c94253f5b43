#include "platform/forms/box_placement.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QLayout>
#include <QWidget>
#include <QWindow>

namespace platform::forms {
namespace {

// Title bars draw their text in a bold face about the size of the program's own font, beside
// an icon and up to three buttons, with some space round each.
constexpr int kTitleBarButtonsRoom = 120;

QWidget* workingWindow(const QWidget& box) {
    for (QWidget* candidate : {QApplication::activeModalWidget(), QApplication::activeWindow()})
        if (candidate && candidate->window() != &box && candidate->isVisible())
            return candidate->window();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != &box && window->isVisible() && window->windowType() == Qt::Window)
            return window;
    return nullptr;
}

} // namespace

void openOverActiveWindow(QWidget& box) {
    QWidget* owner = workingWindow(box);
    if (!owner)
        return;
    if (qobject_cast<QDialog*>(&box)) {
        box.winId();
        box.windowHandle()->setTransientParent(owner->windowHandle());
        return;
    }
    if (box.testAttribute(Qt::WA_Moved))
        return;
    const QRect over = owner->frameGeometry();
    box.move(over.center() - QPoint(box.frameGeometry().width() / 2,
                                    box.frameGeometry().height() / 2));
}

void fitTitle(QWidget& box) {
    auto* buttons = box.findChild<QDialogButtonBox*>();
    if (!buttons || !box.layout())
        return;
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    const int needed =
        QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarButtonsRoom;
    // Qt sizes the box to its contents as it shows it, and again later; its row of buttons
    // spans it, so the box is at least as wide as that row may be.
    const QMargins margins = box.layout()->contentsMargins();
    buttons->setMinimumWidth(needed - margins.left() - margins.right());
}

} // namespace platform::forms
