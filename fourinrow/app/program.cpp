#include "fourinrow/app/program.h"

#include "fourinrow/app/dialogs.h"
#include "fourinrow/app/main_window.h"
#include "fourinrow/app/test_control.h"
#include "platform/app/application.h"
#include "platform/app/messagebox.h"

namespace fourinrow::app {

Kolvan32Program::Kolvan32Program() {
    main_ = std::make_unique<TfKolvan32>();
    options_ = std::make_unique<TfOptions>(*main_);
    about_ = std::make_unique<TfAbout>(main_->Game());
    advanced_ = std::make_unique<TFAdvanced>(main_->Game(), *options_);
    network_ = std::make_unique<TfNetwork>();
    options_->SetEditor(*advanced_);
    main_->AttachDialogs(*options_, *about_, *network_);
}

Kolvan32Program::~Kolvan32Program() {
    network_.reset();
    advanced_.reset();
    about_.reset();
    options_.reset();
    main_.reset();
}

int RunKolvan32(int argc, char** argv) {
    platform::app::Application application(argc, argv);
    platform::app::setApplicationTitle("Kolvan 32");
    Kolvan32Program program;
    program.Main().show();
    const std::unique_ptr<TestControl> control = TestControl::FromEnvironment(program.Main());
    return application.run();
}

} // namespace fourinrow::app
