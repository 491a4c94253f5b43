#pragma once
// Every sound is a WAV file played through a multimedia control with one fixed sequence of
// property settings; the progress bar's sweep is the short pause before a click is handled.
#include "platform/vbforms/runtime.h"

#include <string>

namespace noughts {

// Relative to the current directory, written as the program always wrote them.
namespace sounds {
inline const std::string startup = "sounds\\startup.WAV";
inline const std::string main = "sounds\\main.WAV";
inline const std::string about = "sounds\\about.WAV";
inline const std::string button = "sounds\\button.WAV";
inline const std::string menubutton = "sounds\\menubutton.WAV";
inline const std::string draw = "sounds\\draw.WAV";
inline const std::string win = "sounds\\win.wav";
} // namespace sounds

// Closes whatever the control has open (cutting off a sound still playing), then plays file.
void playsound(platform::vbforms::MMControl& control, const std::string& file);
// The same without the leading close, for a control that has played nothing yet.
void openandplay(platform::vbforms::MMControl& control, const std::string& file);

// The two click sounds, on the game window's player MMControl1.
void playbuttonsound(platform::vbforms::MMControl& MMControl1);
void playmenubuttonsound(platform::vbforms::MMControl& MMControl1);

// One sweep of the bar from empty to full and back, without yielding to the event loop.
void progresssweep(platform::vbforms::ProgressBar& bar);

} // namespace noughts
