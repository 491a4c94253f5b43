#include "platform/vbforms/runtime.h"

#include "platform/app/clock.h"
#include "platform/app/random.h"
#include "platform/files/paths.h"

#include <cmath>
#include <filesystem>

namespace platform::vbforms {

int twipsToPixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / twipsPerPixel));
}

int pointsToPixels(double points) {
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

// ---- random source ----

namespace {
testing::ScriptedRnd* scriptedRnd = nullptr;
} // namespace

void Randomize() {
    // A draw carries the running state into the new seed, so the same clock reading twice in
    // a row does not start the same sequence twice.
    const auto carry = static_cast<std::uint32_t>(platform::app::randomUnit() * 4294967296.0);
    platform::app::setRandomSeed(carry ^ (platform::app::tickCount() * 2654435769u));
}

float Rnd() {
    if (scriptedRnd && !scriptedRnd->values.empty()) {
        const float value = scriptedRnd->values.front();
        scriptedRnd->values.pop_front();
        return value;
    }
    // Rounding to single precision must not reach 1.
    const auto value = static_cast<float>(platform::app::randomUnit());
    return value < 1.0f ? value : std::nextafter(1.0f, 0.0f);
}

namespace testing {
ScriptedRnd::ScriptedRnd(std::deque<float> values) : values(std::move(values)) {
    scriptedRnd = this;
}
ScriptedRnd::~ScriptedRnd() {
    scriptedRnd = nullptr;
}
} // namespace testing

// ---- files ----

bool FileExists(const std::string& path) {
    const std::string real = platform::files::resolvePath(path);
    const bool hidden = std::filesystem::path(real).filename().string().starts_with('.');
    return !hidden && platform::files::fileExists(real);
}

} // namespace platform::vbforms
