#pragma once
// The window shown while the program starts: a picture panel over a black footer.

#include "platform/forms/form.h"

namespace solitaire {

class TfrmSplashForm : public platform::forms::Window {
public:
    TfrmSplashForm();

protected:
    void onPaint() override;
};

} // namespace solitaire
