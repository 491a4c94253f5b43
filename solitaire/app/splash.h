#pragma once
// The window shown while the program starts: a picture panel over a black footer.

#include "platform/forms/form.h"

namespace solitaire {

// The program's picture in the resource library: the splash shows it, and so does the game
// chooser while no game is selected.
inline constexpr const char* kProgramPictureName = "IMG_ZEVODADU";

class TfrmSplashForm : public platform::forms::Window {
public:
    TfrmSplashForm();

protected:
    void onPaint() override;
};

} // namespace solitaire
