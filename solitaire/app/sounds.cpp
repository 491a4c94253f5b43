#include "solitaire/app/sounds.h"

#include "solitaire/engine/settings.h"

#include "platform/files/ini.h"
#include "platform/sound/sound.h"

namespace solitaire {

namespace {

bool soundsEnabled() {
    return fnReadSettingsField(kSoundsEnabledPosition, 1) == "Y";
}

void playIf(const std::string& name, bool enabled, platform::sound::Mode mode) {
    if (enabled && soundsEnabled())
        platform::sound::play(fnSoundPath(name), mode);
}

} // namespace

std::string fnSoundPath(const std::string& name) {
    return fnReadSettingsField(kProgramDirectoryPosition, kProgramDirectoryWidth) + "SOUNDS\\" +
           name;
}

void fnPlaySound(const std::string& name, bool enabled) {
    playIf(name, enabled, platform::sound::Mode::Async);
}

void fnPlaySoundSync(const std::string& name, bool enabled) {
    playIf(name, enabled, platform::sound::Mode::Sync);
}

void fnPlaySoundLoop(const std::string& name, bool enabled) {
    playIf(name, enabled, platform::sound::Mode::Loop);
}

void fnStopSound() {
    if (soundsEnabled())
        platform::sound::stop();
}

void fnStartupSound() {
    const platform::files::IniFile preferences(
        fnReadSettingsField(kProgramDirectoryPosition, kProgramDirectoryWidth) +
        fnReadSettingsField(kPreferencesFilePosition, kPreferencesFileWidth));
    fnWriteSettingsField(kSoundsEnabledPosition, 1,
                         preferences.readString("Preference", "Sounds_Enabled", "Y"));
    fnPlaySound("Splash", preferences.readString("Preference", "Sounds_Splash", "Y") == "Y");
}

} // namespace solitaire
