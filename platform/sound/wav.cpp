#include "platform/sound/wav.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace platform::sound {
namespace {

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
         std::uint32_t(b[at + 3]) << 24;
}
std::uint16_t le16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return std::uint16_t(b[at] | b[at + 1] << 8);
}
bool tagAt(const std::vector<std::uint8_t>& b, std::size_t at, const char* tag) {
  return at + 4 <= b.size() && std::equal(tag, tag + 4, b.begin() + std::ptrdiff_t(at));
}

}  // namespace

int WavData::lengthMs() const {
  const std::int64_t frameBytes = std::int64_t(channels) * (bitsPerSample / 8);
  if (frameBytes <= 0 || sampleRate <= 0) return 0;
  return int(std::int64_t(samples.size()) / frameBytes * 1000 / sampleRate);
}

std::optional<WavData> parseWav(const std::vector<std::uint8_t>& b) {
  if (b.size() < 12 || !tagAt(b, 0, "RIFF") || !tagAt(b, 8, "WAVE")) return std::nullopt;
  WavData wav;
  bool haveFormat = false;
  std::size_t at = 12;
  while (at + 8 <= b.size()) {
    const std::uint32_t size = le32(b, at + 4);
    const std::size_t body = at + 8;
    // A chunk that claims more than the file holds is cut to what is there (common in
    // truncated recordings); the data chunk then plays what it has.
    const std::size_t available = std::min<std::size_t>(size, b.size() - body);
    if (tagAt(b, at, "fmt ")) {
      if (available < 16) return std::nullopt;
      const std::uint16_t format = le16(b, body);
      wav.channels = le16(b, body + 2);
      wav.sampleRate = int(le32(b, body + 4));
      wav.bitsPerSample = le16(b, body + 14);
      if (format != 1 || wav.channels < 1 || wav.channels > 8 || wav.sampleRate < 1000 ||
          wav.sampleRate > 384000 || (wav.bitsPerSample != 8 && wav.bitsPerSample != 16))
        return std::nullopt;
      haveFormat = true;
    } else if (tagAt(b, at, "data")) {
      if (!haveFormat) return std::nullopt;
      const std::size_t frame = std::size_t(wav.channels) * std::size_t(wav.bitsPerSample / 8);
      wav.samples.assign(b.begin() + std::ptrdiff_t(body),
                         b.begin() + std::ptrdiff_t(body + available - available % frame));
      return wav;
    }
    at = body + available + (available & 1);  // chunks are padded to even sizes
  }
  return std::nullopt;
}

std::optional<WavData> readWav(const std::string& realPath) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(realPath, error)) return std::nullopt;
  std::ifstream in(realPath, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  return parseWav(bytes);
}

}  // namespace platform::sound
