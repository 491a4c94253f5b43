#pragma once
// The solitaire program's sounds: files of the SOUNDS folder beside the program, on the one
// sound channel. Each routine plays only when the caller's flag is on and the master switch
// Sounds_Enabled is "Y"; names are used as the callers give them, with or without ".wav".

#include <string>

namespace solitaire {

// Settings fields of the sounds ("Y" = on).
inline constexpr int kSoundsEnabledPosition = 141;
inline constexpr int kShuffleSoundPosition = 149;
inline constexpr int kCardDownSoundPosition = 181;

// <program dir>SOUNDS\<name>
std::string fnSoundPath(const std::string& name);

void fnPlaySound(const std::string& name, bool enabled);     // returns at once
void fnPlaySoundSync(const std::string& name, bool enabled); // returns when it has finished
void fnPlaySoundLoop(const std::string& name, bool enabled); // repeats until stopped
void fnStopSound();

// At start-up: Sounds_Enabled of the preferences file (default "Y") into its settings field,
// then "Splash" when Sounds_Splash (default "Y") is "Y".
void fnStartupSound();

} // namespace solitaire
