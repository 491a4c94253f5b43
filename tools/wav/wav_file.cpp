#include "wav_file.h"

#include <fstream>

namespace zv::wav {

namespace {

void putLE(std::vector<char>& bytes, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void putTag(std::vector<char>& bytes, const char* tag) {
    bytes.insert(bytes.end(), tag, tag + 4);
}

} // namespace

std::vector<char> monoPcm16(const std::vector<std::int16_t>& samples, int sampleRate) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    const auto rate = static_cast<std::uint32_t>(sampleRate);
    std::vector<char> bytes;
    bytes.reserve(44 + dataBytes);
    putTag(bytes, "RIFF");
    putLE(bytes, 36 + dataBytes, 4);
    putTag(bytes, "WAVE");
    putTag(bytes, "fmt ");
    putLE(bytes, 16, 4); // format chunk size
    putLE(bytes, 1, 2);  // PCM
    putLE(bytes, 1, 2);  // mono
    putLE(bytes, rate, 4);
    putLE(bytes, rate * 2, 4); // bytes per second
    putLE(bytes, 2, 2);        // bytes per frame
    putLE(bytes, 16, 2);       // bits per sample
    putTag(bytes, "data");
    putLE(bytes, dataBytes, 4);
    for (const std::int16_t s : samples)
        putLE(bytes, static_cast<std::uint16_t>(s), 2);
    return bytes;
}

bool writeMonoPcm16(const std::filesystem::path& file, const std::vector<std::int16_t>& samples,
                    int sampleRate) {
    const std::vector<char> bytes = monoPcm16(samples, sampleRate);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace zv::wav
