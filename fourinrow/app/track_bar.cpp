#include "fourinrow/app/track_bar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

namespace fourinrow::app {

TrackBar::TrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setTickPosition(QSlider::TicksBelow);
    setTickInterval(1);
    setSingleStep(1);
    setPageStep(1);
}

void TrackBar::setSelection(int start, int end) {
    selectionStart_ = start;
    selectionEnd_ = end;
    update();
}

void TrackBar::paintEvent(QPaintEvent* event) {
    QSlider::paintEvent(event);
    if (selectionEnd_ <= selectionStart_ || maximum() <= minimum())
        return;
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const int span = groove.width() - handle.width();
    const auto xOf = [&](int value) {
        return groove.left() + handle.width() / 2 +
               QStyle::sliderPositionFromValue(minimum(), maximum(), value, span);
    };
    // A band just under the groove, apart from the style's own groove filling.
    QPainter painter(this);
    painter.fillRect(QRect(QPoint(xOf(selectionStart_), groove.bottom() + 1),
                           QPoint(xOf(selectionEnd_), groove.bottom() + 3)),
                     palette().highlight());
}

} // namespace fourinrow::app
