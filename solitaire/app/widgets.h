#pragma once
// Small Qt helpers the program's windows share: controls placed at fixed pixel positions as
// the forms were laid out, and a label that acts on a click.

#include "platform/app/application.h"
#include "platform/app/qtstring.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/color.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

#include <functional>
#include <string>

namespace solitaire {

// A child control named as the form names it, at (left, top) with the given size.
template <class Control>
Control* place(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* control = new Control(parent);
    control->setObjectName(name);
    control->setGeometry(left, top, width, height);
    return control;
}

// Blue underlined text with the hand cursor; onClick runs guarded.
class LinkLabel : public QLabel {
public:
    LinkLabel(QWidget* parent, const std::string& caption) : QLabel(platform::toQString(caption), parent) {
        setStyleSheet("color: blue; text-decoration: underline;");
        setCursor(Qt::PointingHandCursor);
    }
    std::function<void()> onClick;
    void click() {
        if (onClick)
            platform::app::runGuarded(onClick);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            click();
    }
};

QPixmap toPixmap(const platform::gdi::Bitmap& bitmap);

// Small pictures (tree icons, the advice pictures) show the window behind their pixels of
// this colour (0x00BBGGRR).
inline constexpr platform::gdi::Color kPictureMaskColour = 0x000080;
QPixmap toMaskedPixmap(const platform::gdi::Bitmap& bitmap);

// The resource library's picture of that name; a null pixmap when it holds none.
QPixmap resourcePixmap(const std::string& name);

// The same, showing what lies behind its pixels of kPictureMaskColour.
QPixmap maskedResourcePixmap(const std::string& name);

} // namespace solitaire
