#include "solitaire/app/splash.h"

#include "solitaire/app/links.h"
#include "solitaire/app/widgets.h"

#include "platform/app/screen.h"
#include "platform/gdi/drawing.h"

namespace solitaire {
namespace {
constexpr int kWidth = 393, kHeight = 309, kFooterHeight = 46;

QLabel* footerLine(QWidget* parent, const char* text, int top) {
    auto* line = place<QLabel>(parent, "", 8, top, kWidth - 16, 16);
    line->setText(text);
    line->setStyleSheet("color: white; font-size: 8pt;");
    return line;
}
} // namespace

TfrmSplashForm::TfrmSplashForm() {
    setObjectName("frmSplashForm");
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setFixedSize(kWidth, kHeight);
    move((platform::app::screenWidth() - kWidth) / 2, (platform::app::screenHeight() - kHeight) / 2);
    auto* title = place<QLabel>(this, "imgZevodadu", 0, 100, kWidth, 60);
    title->setText(kProgramTitle);
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet("color: white; font-size: 28pt; font-weight: bold;");
    footerLine(this, "Patience games, version 3.70", kHeight - kFooterHeight + 6);
    footerLine(this, "Freeware", kHeight - kFooterHeight + 24);
}

void TfrmSplashForm::onPaint() {
    namespace gdi = platform::gdi;
    gdi::Bitmap& canvas = frontBuffer();
    canvas.fillRect({0, 0, kWidth, kHeight - kFooterHeight}, 0xFFFFFF);
    gdi::gradientFill(canvas, {30, 30, kWidth - 30, kHeight - kFooterHeight - 30}, 0x008000,
                      0x002000);
    canvas.fillRect({0, kHeight - kFooterHeight, kWidth, kHeight}, 0x000000);
}

} // namespace solitaire
