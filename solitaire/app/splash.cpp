#include "solitaire/app/splash.h"

#include "solitaire/app/widgets.h"
#include "solitaire/engine/settings.h"

#include "platform/app/screen.h"
#include "platform/resources/resources.h"

namespace solitaire {
namespace {
constexpr int kWidth = 393, kHeight = 309, kFooterHeight = 46;
constexpr int kPictureWidth = 300, kPictureHeight = 185;

QLabel* footerLine(QWidget* parent, const char* text, int top) {
    auto* line = place<QLabel>(parent, "", 8, top, kWidth - 16, 16);
    line->setText(text);
    line->setStyleSheet("color: white; font-size: 8pt;");
    return line;
}

// The splash is on screen before the main window binds ZUV.RGF, so it opens the library
// itself for its one picture. Without the library the panel stays white; the main window
// then reports the missing file.
QPixmap programPicture() {
    namespace resources = platform::resources;
    const resources::LibraryHandle library = resources::loadLibrary(
        fnReadSettingsField(kProgramDirectoryPosition, kProgramDirectoryWidth) + "ZUV.RGF");
    const QPixmap picture = toPixmap(resources::loadBitmap(library, kProgramPictureName));
    resources::freeLibrary(library);
    return picture;
}
} // namespace

TfrmSplashForm::TfrmSplashForm() {
    setObjectName("frmSplashForm");
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setFixedSize(kWidth, kHeight);
    move((platform::app::screenWidth() - kWidth) / 2, (platform::app::screenHeight() - kHeight) / 2);
    place<QLabel>(this, "imgZevodadu", (kWidth - kPictureWidth) / 2,
                  (kHeight - kFooterHeight - kPictureHeight) / 2, kPictureWidth, kPictureHeight)
        ->setPixmap(programPicture());
    footerLine(this, "Patience games, version 3.70", kHeight - kFooterHeight + 6);
    footerLine(this, "Freeware", kHeight - kFooterHeight + 24);
}

void TfrmSplashForm::onPaint() {
    platform::gdi::Bitmap& canvas = frontBuffer();
    canvas.fillRect({0, 0, kWidth, kHeight - kFooterHeight}, 0xFFFFFF);
    canvas.fillRect({0, kHeight - kFooterHeight, kWidth, kHeight}, 0x000000);
}

} // namespace solitaire
