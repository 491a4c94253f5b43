#include "platform/app/random.h"

#include <chrono>
#include <random>

namespace platform::app {
namespace {

std::mt19937& generator() {
    static std::mt19937 engine{5489u};
    return engine;
}

} // namespace

int random(int n) {
    if (n <= 0)
        return 0;
    // Scale a 32-bit draw instead of using a distribution, so a seed gives the same sequence
    // on every standard library.
    const std::uint64_t draw = generator()();
    return static_cast<int>((draw * static_cast<std::uint64_t>(n)) >> 32);
}

double randomUnit() { return static_cast<double>(generator()()) / 4294967296.0; }

void randomize() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    setRandomSeed(static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
}

void setRandomSeed(std::uint32_t seed) { generator().seed(seed); }

} // namespace platform::app
