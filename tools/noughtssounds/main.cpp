// Writes gridlet's seven sounds as 16-bit mono PCM WAV files into the folder given:
//   noughtssounds <folder>
// Every sound is a sum of short decaying tones with fixed parameters, so the output is the
// same byte for byte on every run.
#include "wav_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int sampleRate = 22050;

struct Tone {
    double start;     // seconds from the beginning of the sound
    double length;    // seconds
    double frequency; // Hz
    double volume;    // 0..1
    double decay;     // how fast the tone dies away (1/seconds)
    bool bright;      // adds odd harmonics for a harder, clickier tone
};

struct Sound {
    std::string name;
    double length;
    std::vector<Tone> tones;
};

// Each sound fits its event: a rising greeting at start-up, short ticks for clicks, a falling
// pair for a draw and a rising fanfare for a win.
const std::vector<Sound>& recipes() {
    static const std::vector<Sound> sounds = {
        {"startup",
         0.9,
         {{0.00, 0.30, 523.25, 0.45, 6, false},
          {0.15, 0.30, 659.25, 0.45, 6, false},
          {0.30, 0.30, 783.99, 0.45, 6, false},
          {0.45, 0.45, 1046.50, 0.50, 5, false}}},
        {"main", 0.5, {{0.00, 0.20, 392.00, 0.45, 9, false}, {0.18, 0.32, 587.33, 0.50, 7, false}}},
        {"about",
         0.45,
         {{0.00, 0.45, 880.00, 0.40, 8, false}, {0.00, 0.45, 1318.51, 0.20, 10, false}}},
        {"button", 0.06, {{0.00, 0.06, 1500.00, 0.50, 70, true}}},
        {"menubutton", 0.09, {{0.00, 0.09, 700.00, 0.50, 45, true}}},
        {"draw", 0.6, {{0.00, 0.28, 440.00, 0.45, 6, false}, {0.28, 0.32, 349.23, 0.45, 6, false}}},
        {"win",
         1.0,
         {{0.00, 0.20, 523.25, 0.45, 8, false},
          {0.16, 0.20, 659.25, 0.45, 8, false},
          {0.32, 0.20, 783.99, 0.45, 8, false},
          {0.48, 0.52, 1046.50, 0.55, 4, false},
          {0.48, 0.52, 1318.51, 0.25, 4, false}}},
    };
    return sounds;
}

std::vector<std::int16_t> render(const Sound& sound) {
    const auto frames = static_cast<std::size_t>(sound.length * sampleRate);
    std::vector<double> mix(frames, 0.0);
    for (const Tone& tone : sound.tones) {
        const auto first = static_cast<std::size_t>(tone.start * sampleRate);
        const auto count = static_cast<std::size_t>(tone.length * sampleRate);
        for (std::size_t i = 0; i < count && first + i < frames; ++i) {
            const double t = static_cast<double>(i) / sampleRate;
            const double phase = 2 * std::numbers::pi * tone.frequency * t;
            double wave = std::sin(phase);
            if (tone.bright)
                wave += std::sin(3 * phase) / 3 + std::sin(5 * phase) / 5;
            // A few milliseconds of fade-in and fade-out keep the edges free of clicks.
            const double edge = std::min({1.0, t / 0.004, (tone.length - t) / 0.004});
            mix[first + i] += tone.volume * wave * std::exp(-tone.decay * t) * edge;
        }
    }
    std::vector<std::int16_t> samples(frames);
    for (std::size_t i = 0; i < frames; ++i)
        samples[i] = static_cast<std::int16_t>(std::lround(std::clamp(mix[i], -1.0, 1.0) * 32000));
    return samples;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: noughtssounds <folder>\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (const Sound& sound : recipes()) {
        const auto file = folder / (sound.name + ".wav");
        if (!zv::wav::writeMonoPcm16(file, render(sound), sampleRate)) {
            std::cerr << "noughtssounds: cannot write " << file << "\n";
            return 1;
        }
    }
    return 0;
}
