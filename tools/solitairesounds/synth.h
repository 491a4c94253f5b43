#pragma once
// A small synthesiser for short event sounds: each sound is a list of parts (a tone sliding
// between two pitches, or filtered noise) placed on a time line and mixed. Noise comes from a
// fixed generator, so the output is the same on every run.

#include <cstdint>
#include <string>
#include <vector>

namespace zv::sounds {

inline constexpr int kSampleRate = 22050;

enum class Wave { Sine, Square, Triangle, Noise };

struct Part {
    Wave wave = Wave::Sine;
    double startMs = 0;
    double lengthMs = 100;
    double fromHz = 440; // for noise: the low-pass cut-off at the start
    double toHz = 440;   // and at the end
    double volume = 0.5; // 0..1
    double attackMs = 5;
    // The level falls exponentially to 1/e over this time after the attack; 0: it stays.
    double decayMs = 0;
};

struct Recipe {
    std::string fileName;
    std::vector<Part> parts;
};

// The mixed samples of a recipe, clipped to 16 bits.
std::vector<std::int16_t> render(const Recipe& recipe);

// Every sound the program plays.
const std::vector<Recipe>& solitaireRecipes();

} // namespace zv::sounds
