#pragma once
// The sound tools' output format: 16-bit mono PCM WAV, little-endian, a 44-byte header.

#include <cstdint>
#include <filesystem>
#include <vector>

namespace zv::wav {

std::vector<char> monoPcm16(const std::vector<std::int16_t>& samples, int sampleRate);

// Writes the file whole; false when it cannot be written.
bool writeMonoPcm16(const std::filesystem::path& file, const std::vector<std::int16_t>& samples,
                    int sampleRate);

} // namespace zv::wav
