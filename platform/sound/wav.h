#pragma once
// Reading of PCM WAV files into the pieces an audio output needs.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform::sound {

struct WavData {
  int channels = 0;
  int sampleRate = 0;
  int bitsPerSample = 0;  // 8 (unsigned) or 16 (signed little-endian)
  std::vector<std::uint8_t> samples;

  int lengthMs() const;
};

// Parses a RIFF/WAVE image; nullopt for anything but 8- or 16-bit PCM with sane fields.
std::optional<WavData> parseWav(const std::vector<std::uint8_t>& bytes);
std::optional<WavData> readWav(const std::string& realPath);

}  // namespace platform::sound
