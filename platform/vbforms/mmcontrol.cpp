#include "platform/vbforms/runtime.h"

#include "platform/app/qtstring.h"
#include "platform/files/paths.h"
#include "platform/sound/sound.h"

#include <array>
#include <stdexcept>

namespace platform::vbforms {

namespace {

testing::RecordedCommands* recordedCommands = nullptr;
// The channel is shared: only the control that played last may stop it.
const MMControl* lastToPlay = nullptr;

bool sameText(const std::string& a, const std::string& b) {
    return toQString(a).compare(toQString(b), Qt::CaseInsensitive) == 0;
}

} // namespace

struct MMControl::Impl {
    std::string deviceType;
    std::string fileName;
    std::array<bool, 3> switches{}; // notify, wait, shareable
    bool open = false;
};

MMControl::MMControl(std::string name) : name_(std::move(name)), impl_(std::make_unique<Impl>()) {}

MMControl::~MMControl() {
    if (lastToPlay == this)
        lastToPlay = nullptr;
}

bool MMControl::isOpen() const {
    return impl_->open;
}

void MMControl::put(int dispid, const Value& value) {
    if (recordedCommands)
        recordedCommands->puts.push_back({name_, dispid, value});
    const auto text = [&]() -> const std::string& {
        if (const auto* s = std::get_if<std::string>(&value))
            return *s;
        throw std::invalid_argument("multimedia control: the value must be a text");
    };
    switch (dispid) {
    case deviceType:
        impl_->deviceType = text();
        return;
    case fileName:
        impl_->fileName = text();
        return;
    case notify:
    case wait:
    case shareable:
        if (const auto* b = std::get_if<bool>(&value)) {
            impl_->switches[static_cast<std::size_t>(dispid - notify)] = *b;
            return;
        }
        throw std::invalid_argument("multimedia control: the value must be a Boolean");
    case command:
        break;
    default:
        throw std::invalid_argument("multimedia control: unknown dispatch identifier");
    }

    const std::string& name = text();
    if (!sameText(name, "Open") && !sameText(name, "Play") && !sameText(name, "Close"))
        throw std::invalid_argument("multimedia control: unknown command " + name);
    if (sameText(name, "Close") || sameText(name, "Open")) {
        if (lastToPlay == this) {
            platform::sound::stop();
            lastToPlay = nullptr;
        }
        impl_->open = false;
    }
    if (sameText(name, "Open") && sameText(impl_->deviceType, "WaveAudio") &&
        platform::files::fileExists(impl_->fileName))
        impl_->open = true;
    // Recorded before playing, so the log keeps the order even when the play waits.
    if (recordedCommands)
        recordedCommands->commands.push_back({name_, name, impl_->fileName, isOpen()});
    if (sameText(name, "Play") && impl_->open) {
        lastToPlay = this;
        const bool waits = impl_->switches[wait - notify];
        platform::sound::play(impl_->fileName,
                              waits ? platform::sound::Mode::Sync : platform::sound::Mode::Async);
    }
}

namespace testing {
RecordedCommands::RecordedCommands() {
    recordedCommands = this;
}
RecordedCommands::~RecordedCommands() {
    recordedCommands = nullptr;
}
} // namespace testing

} // namespace platform::vbforms
