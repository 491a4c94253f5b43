#include "noughts/splash.h"

#include "noughts/game.h"
#include "noughts/main_form.h"
#include "noughts/program.h"
#include "noughts/sound.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

namespace noughts {

using namespace platform::vbforms;

void paintBackdrop(QPainter& painter, const QRect& area) {
    QLinearGradient sky(area.topLeft(), area.bottomRight());
    sky.setColorAt(0, QColor(18, 42, 96));
    sky.setColorAt(1, QColor(70, 24, 78));
    painter.fillRect(area, sky);
    // A faint board of marks across the picture.
    painter.setRenderHint(QPainter::Antialiasing);
    const int step = 50;
    for (int y = 0; y * step < area.height(); ++y) {
        for (int x = 0; x * step < area.width(); ++x) {
            const QRectF cell(area.left() + x * step + 14, area.top() + y * step + 14, 22, 22);
            painter.setPen(QPen(QColor(255, 255, 255, 38), 4, Qt::SolidLine, Qt::RoundCap));
            if ((x + y) % 2 == 0) {
                painter.drawLine(cell.topLeft(), cell.bottomRight());
                painter.drawLine(cell.topRight(), cell.bottomLeft());
            } else {
                painter.drawEllipse(cell);
            }
        }
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
}

namespace {

struct SoundCheck {
    const char* path;
    const char* missing;
};
// The sounds the rest of the program plays, in the order they are reported.
constexpr SoundCheck soundChecks[] = {
    {"sounds\\about.wav", "The file 'about.wav' does not exist"},
    {"sounds\\button.wav", "The file 'button.wav' does not exist"},
    {"sounds\\draw.wav", "The file 'draw.wav' does not exist"},
    {"sounds\\main.wav", "The file 'main.wav' does not exist"},
    {"sounds\\menubutton.wav", "The file 'menubutton.wav' does not exist"},
    {"sounds\\win.wav", "The file 'win.wav' does not exist"},
};

} // namespace

Splash::Splash(Program& program) : program_(program) {
    setWindowTitle(QString::fromStdString(appTitle));
    setClientTwips(5985, 3720);
    info = new QLabel("Click anywhere to continue. . .", this);
    info->setFont(toQFont({"MS Sans Serif", 8.25}));
    info->setStyleSheet("color: white; background: transparent;");
    place(info, 120, 3360, 2655, 255);
}

void Splash::Form_Load() {
    openandplay(mmcontrol2_, sounds::startup);
    startupCheck_ = FileExists("sounds\\startup.wav") ? "file exists" : "no file";
}

void Splash::Form_Click() {
    info->setText("Initializing players. . .");
    info->setText("Checking sounds. . .");
    for (const SoundCheck& check : soundChecks)
        if (!FileExists(check.path))
            MsgBox(check.missing, Buttons::Ok, appTitle);
    info->setText("Initializing sounds. . .");
    program_.loadMain().showModeless();
    hide();
    program_.splash.unload();
}

void Splash::Form_Unload() {
    mmcontrol2_.put(MMControl::command, std::string("close"));
}

void Splash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintBackdrop(painter, rect());
    painter.setPen(Qt::white);
    painter.setFont(toQFont({"Times New Roman", 24}));
    painter.drawText(rect().adjusted(0, 0, 0, -40), Qt::AlignCenter, "Noughts and Crosses");
    painter.setFont(toQFont({"MS Sans Serif", 8.25}));
    painter.drawText(QPoint(2, painter.fontMetrics().ascent()), startupCheck_);
}

// A click on the prompt label reaches the window too: labels leave mouse events to it.
void Splash::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Form_Click();
}

} // namespace noughts
