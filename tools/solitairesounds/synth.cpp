#include "synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zv::sounds {

namespace {

// A fixed linear congruential generator: the same noise on every run and every machine.
class Noise {
public:
    double next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0;
    }

private:
    std::uint32_t state_ = 12345u;
};

double envelope(const Part& part, double t) {
    const double attack = part.attackMs / 1000.0;
    if (t < attack)
        return t / attack;
    const double level = part.decayMs > 0 ? std::exp(-(t - attack) / (part.decayMs / 1000.0)) : 1.0;
    // A short fade at the end keeps the cut from clicking.
    const double remaining = part.lengthMs / 1000.0 - t;
    return level * std::min(1.0, remaining / 0.004);
}

void mix(const Part& part, std::vector<double>& out) {
    const auto first = static_cast<std::size_t>(part.startMs * kSampleRate / 1000.0);
    const auto count = static_cast<std::size_t>(part.lengthMs * kSampleRate / 1000.0);
    if (out.size() < first + count)
        out.resize(first + count, 0.0);
    Noise noise;
    double phase = 0, filtered = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double progress = static_cast<double>(i) / static_cast<double>(count);
        const double hz = part.fromHz + (part.toHz - part.fromHz) * progress;
        double value = 0;
        switch (part.wave) {
        case Wave::Sine:
            value = std::sin(2 * std::numbers::pi * phase);
            break;
        case Wave::Square:
            value = phase < 0.5 ? 0.6 : -0.6;
            break;
        case Wave::Triangle:
            value = 4 * std::abs(phase - 0.5) - 1;
            break;
        case Wave::Noise: {
            // One-pole low-pass: the cut-off gives the noise its colour.
            const double alpha = 1 - std::exp(-2 * std::numbers::pi * hz / kSampleRate);
            filtered += alpha * (noise.next() - filtered);
            value = filtered * 2;
            break;
        }
        }
        phase += hz / kSampleRate;
        phase -= std::floor(phase);
        out[first + i] += value * part.volume * envelope(part, t);
    }
}

} // namespace

std::vector<std::int16_t> render(const Recipe& recipe) {
    std::vector<double> mixed;
    for (const Part& part : recipe.parts)
        mix(part, mixed);
    std::vector<std::int16_t> samples;
    samples.reserve(mixed.size());
    for (const double v : mixed)
        samples.push_back(static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767)));
    return samples;
}

const std::vector<Recipe>& solitaireRecipes() {
    using W = Wave;
    // A plucked note: quick attack, ringing decay.
    auto note = [](double start, double hz, double length, double volume = 0.35) {
        return Part{W::Sine, start, length, hz, hz, volume, 4, length / 3};
    };
    // A card's rustle: a short burst of coloured noise.
    auto rustle = [](double start, double length, double fromHz, double toHz, double volume) {
        return Part{W::Noise, start, length, fromHz, toHz, volume, 2, length / 3};
    };
    static const std::vector<Recipe> recipes = {
        {"Splash.wav",
         {note(0, 523.25, 500), note(120, 659.25, 500), note(240, 783.99, 500),
          note(360, 1046.5, 700, 0.4)}},
        {"About.wav", {note(0, 880, 600, 0.3), note(180, 1318.5, 700, 0.25)}},
        {"Won.wav",
         {note(0, 392, 250), note(150, 523.25, 250), note(300, 659.25, 250),
          Part{W::Triangle, 450, 900, 783.99, 783.99, 0.35, 10, 450},
          Part{W::Triangle, 450, 900, 1046.5, 1046.5, 0.2, 10, 450}}},
        {"New.wav",
         {rustle(0, 60, 3000, 5000, 0.5), rustle(70, 60, 3000, 5000, 0.5),
          rustle(140, 60, 3000, 5000, 0.5), note(220, 659.25, 200, 0.25)}},
        {"Shuffle.wav",
         {rustle(0, 45, 2500, 4500, 0.45), rustle(60, 45, 2500, 4500, 0.4),
          rustle(120, 45, 2500, 4500, 0.45), rustle(180, 45, 2500, 4500, 0.4)}},
        {"Face_up.wav", {rustle(0, 40, 6000, 3000, 0.5), note(20, 1760, 60, 0.15)}},
        {"card_down.wav", {rustle(0, 70, 1200, 400, 0.7)}},
        {"card_up.wav", {rustle(0, 50, 2500, 6000, 0.45)}},
        {"Redeal.wav", {rustle(0, 250, 1000, 6000, 0.45), rustle(250, 250, 6000, 1000, 0.45)}},
        {"Foundation.wav", {note(0, 1174.7, 220, 0.3), rustle(0, 30, 3000, 2000, 0.3)}},
        {"Autoplay.wav", {note(0, 987.77, 160, 0.25), note(90, 1318.5, 200, 0.25)}},
        {"Tableau.wav", {rustle(0, 45, 2000, 800, 0.55)}},
        {"Eddy.wav",
         {Part{W::Sine, 0, 400, 1200, 300, 0.3, 10, 200}, rustle(0, 400, 4000, 800, 0.25)}},
        {"Stock.wav", {rustle(0, 55, 4000, 2500, 0.5)}},
        {"Pairing.wav", {note(0, 659.25, 180, 0.3), note(110, 987.77, 240, 0.3)}},
    };
    return recipes;
}

} // namespace zv::sounds
