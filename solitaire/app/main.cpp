#include "solitaire/app/program.h"

#include "platform/app/application.h"

int main(int argc, char** argv) {
    platform::app::Application application(argc, argv);
    return solitaire::RunProgram(application);
}
