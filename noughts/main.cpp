// gridlet: noughts and crosses. Starts on its start-up screen; looks for its sounds in the
// sounds folder of the current directory.
#include "noughts/program.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    noughts::Program program;
    program.start();
    return QApplication::exec();
}
