#include "noughts/sound.h"

namespace noughts {

using platform::vbforms::MMControl;
using platform::vbforms::ProgressBar;

void openandplay(MMControl& control, const std::string& file) {
    control.put(MMControl::notify, false);
    control.put(MMControl::wait, true);
    control.put(MMControl::shareable, false);
    control.put(MMControl::deviceType, std::string("WaveAudio"));
    control.put(MMControl::fileName, file);
    control.put(MMControl::command, std::string("Open"));
    control.put(MMControl::command, std::string("Play"));
}

void playsound(MMControl& control, const std::string& file) {
    control.put(MMControl::command, std::string("Close"));
    openandplay(control, file);
}

void playbuttonsound(MMControl& MMControl1) {
    playsound(MMControl1, sounds::button);
}

void playmenubuttonsound(MMControl& MMControl1) {
    playsound(MMControl1, sounds::menubutton);
}

void progresssweep(ProgressBar& bar) {
    bar.put(ProgressBar::minimum, 0.0f);
    bar.put(ProgressBar::maximum, 200.0f);
    bar.put(ProgressBar::value, bar.get(ProgressBar::minimum));
    for (int i = 0; i <= 200; ++i)
        bar.put(ProgressBar::value, static_cast<float>(i));
    bar.put(ProgressBar::value, bar.get(ProgressBar::minimum));
}

} // namespace noughts
