// gridlet: noughts and crosses. Starts on its start-up screen; looks for its sounds in the
// sounds folder of the current directory.
#include "noughts/program.h"
#include "platform/app/application.h"

int main(int argc, char** argv) {
    platform::app::Application application(argc, argv);
    platform::app::setApplicationTitle(noughts::appTitle);
    noughts::Program program;
    program.start();
    return application.run();
}
