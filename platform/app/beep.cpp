#include "platform/app/beep.h"

#include <QApplication>

#include <stdexcept>

namespace platform::app {
namespace {
BeepRecorder* recorder = nullptr;
}

void beep(BeepKind kind) {
    if (recorder) {
        recorder->beeps_.push_back(kind);
        return;
    }
    // Qt has one warning sound for every kind.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::beep();
}

BeepRecorder::BeepRecorder() {
    if (recorder)
        throw std::logic_error("BeepRecorder: a recorder is already installed");
    recorder = this;
}

BeepRecorder::~BeepRecorder() { recorder = nullptr; }

} // namespace platform::app
