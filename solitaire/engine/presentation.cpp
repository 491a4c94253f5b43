#include "solitaire/engine/presentation.h"

#include <stdexcept>

namespace solitaire {

MainWindowState mainWindow;

namespace {
Presentation* installed = nullptr;
}

void setPresentation(Presentation* presentation) {
    installed = presentation;
}

Presentation& presentation() {
    if (!installed)
        throw std::logic_error("the engine drew or played before the main window existed");
    return *installed;
}

} // namespace solitaire
