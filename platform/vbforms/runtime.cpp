#include "platform/vbforms/runtime.h"

#include "platform/vbforms/internal.h"

#include <chrono>
#include <cmath>

namespace platform::vbforms {

int twipsToPixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / twipsPerPixel));
}

int pointsToPixels(double points) { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }

// ---- random source ----

namespace {

std::uint64_t randomState = 0x853c49e6748fea9bULL;
testing::ScriptedRnd* scriptedRnd = nullptr;

std::uint64_t mix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

std::uint64_t clockTicks() {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace

void Randomize() { randomState = mix(randomState ^ (clockTicks() * 0x9e3779b97f4a7c15ULL)); }

float Rnd() {
    if (scriptedRnd && !scriptedRnd->values.empty()) {
        const float value = scriptedRnd->values.front();
        scriptedRnd->values.pop_front();
        return value;
    }
    randomState += 0x9e3779b97f4a7c15ULL;
    // 24 bits fill a float's mantissa exactly, so the value never rounds up to 1.
    return static_cast<float>(mix(randomState) >> 40) / static_cast<float>(1 << 24);
}

namespace testing {
ScriptedRnd::ScriptedRnd(std::deque<float> values) : values(std::move(values)) {
    scriptedRnd = this;
}
ScriptedRnd::~ScriptedRnd() { scriptedRnd = nullptr; }
} // namespace testing

// ---- files ----

namespace detail {

std::optional<std::filesystem::path> findFile(const std::string& path) {
    namespace fs = std::filesystem;
    std::string native = path;
    for (char& c : native)
        if (c == '\\')
            c = '/';
    const auto lower = [](std::string s) {
        for (char& c : s)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    const fs::path wanted(native);
    fs::path found = wanted.is_absolute() ? wanted.root_path() : fs::path(".");
    std::error_code error;
    for (const fs::path& part : wanted.relative_path()) {
        const std::string name = part.string();
        if (name.empty() || name == ".")
            continue;
        if (name == "..") {
            found /= part;
            continue;
        }
        std::optional<fs::path> match;
        for (const auto& entry : fs::directory_iterator(found, error)) {
            if (lower(entry.path().filename().string()) == lower(name)) {
                match = entry.path();
                break;
            }
        }
        if (!match)
            return std::nullopt;
        found = *match;
    }
    const bool hidden = found.filename().string().starts_with('.');
    if (hidden || !fs::is_regular_file(found, error))
        return std::nullopt;
    return found;
}

} // namespace detail

bool FileExists(const std::string& path) { return detail::findFile(path).has_value(); }

} // namespace platform::vbforms
