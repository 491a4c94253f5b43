#include "platform/vbforms/runtime.h"

#include "platform/vbforms/internal.h"

#include <QCoreApplication>
#include <QSoundEffect>
#include <QUrl>
#include <array>
#include <stdexcept>

namespace platform::vbforms {

namespace {

testing::RecordedSounds* recordedSounds = nullptr;

bool sameText(const std::string& a, const std::string& b) {
    return detail::toQt(a).compare(detail::toQt(b), Qt::CaseInsensitive) == 0;
}

} // namespace

struct MMControl::Impl {
    std::string deviceType;
    std::string fileName;
    std::array<bool, 3> switches{};
    std::optional<std::filesystem::path> openFile;
    std::unique_ptr<QSoundEffect> effect;

    void open() {
        close();
        if (sameText(deviceType, "WaveAudio"))
            openFile = detail::findFile(fileName);
    }
    void play() {
        if (!openFile || recordedSounds || !QCoreApplication::instance())
            return;
        if (!effect) {
            effect = std::make_unique<QSoundEffect>();
            effect->setSource(QUrl::fromLocalFile(QString::fromStdString(openFile->string())));
        }
        effect->stop();
        effect->play(); // plays on once loaded; the call does not wait for the sound
    }
    void close() {
        effect.reset();
        openFile.reset();
    }
};

MMControl::MMControl(std::string name) : name_(std::move(name)), impl_(std::make_unique<Impl>()) {}
MMControl::~MMControl() = default;

bool MMControl::isOpen() const { return impl_->openFile.has_value(); }

void MMControl::put(int dispid, const Value& value) {
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
    case switch1:
    case switch2:
    case switch3:
        if (const auto* b = std::get_if<bool>(&value)) {
            impl_->switches[static_cast<std::size_t>(dispid - switch1)] = *b;
            return;
        }
        throw std::invalid_argument("multimedia control: the value must be a Boolean");
    case command:
        break;
    default:
        throw std::invalid_argument("multimedia control: unknown dispatch identifier");
    }
    const std::string& name = text();
    if (sameText(name, "Open"))
        impl_->open();
    else if (sameText(name, "Play"))
        impl_->play();
    else if (sameText(name, "Close"))
        impl_->close();
    else
        throw std::invalid_argument("multimedia control: unknown command " + name);
    if (recordedSounds)
        recordedSounds->commands.push_back({name_, name, impl_->fileName, isOpen()});
}

namespace testing {

RecordedSounds::RecordedSounds() { recordedSounds = this; }
RecordedSounds::~RecordedSounds() { recordedSounds = nullptr; }

std::vector<std::string> RecordedSounds::played() const {
    std::vector<std::string> files;
    for (const SoundCommand& c : commands)
        if (c.open && sameText(c.command, "Play"))
            files.push_back(c.file);
    return files;
}

} // namespace testing

} // namespace platform::vbforms
