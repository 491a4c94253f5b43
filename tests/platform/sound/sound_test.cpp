#include "platform/sound/sound.h"
#include "platform/sound/wav.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using platform::sound::Event;
using platform::sound::Mode;

namespace {

void put16(std::vector<std::uint8_t>& b, unsigned v) {
  b.push_back(std::uint8_t(v));
  b.push_back(std::uint8_t(v >> 8));
}
void put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16);
}
void putTag(std::vector<std::uint8_t>& b, const char* tag) {
  for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(tag[i]));
}

struct WavSpec {
  unsigned format = 1, channels = 1, rate = 8000, bits = 16;
  std::uint32_t dataBytes = 1600;      // 100 ms at 8 kHz mono 16 bit
  std::uint32_t claimedData = 0;       // 0: the real size
  bool extraChunkFirst = false;        // an odd-sized chunk before the format
};

std::vector<std::uint8_t> makeWav(const WavSpec& s) {
  std::vector<std::uint8_t> b;
  putTag(b, "RIFF");
  put32(b, 0);
  putTag(b, "WAVE");
  if (s.extraChunkFirst) {
    putTag(b, "LIST");
    put32(b, 3);
    putTag(b, "abc");  // three bytes and the pad byte
  }
  putTag(b, "fmt ");
  put32(b, 16);
  put16(b, s.format);
  put16(b, s.channels);
  put32(b, s.rate);
  put32(b, s.rate * s.channels * s.bits / 8);
  put16(b, s.channels * s.bits / 8);
  put16(b, s.bits);
  putTag(b, "data");
  put32(b, s.claimedData ? s.claimedData : s.dataBytes);
  for (std::uint32_t i = 0; i < s.dataBytes; ++i) b.push_back(std::uint8_t(i * 7));
  return b;
}

void writeFile(const fs::path& p, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                           std::streamsize(bytes.size()));
}

}  // namespace

struct WavCase {
  const char* name;
  WavSpec spec;
  bool valid;
  int lengthMs;
};

void PrintTo(const WavCase& c, std::ostream* os) { *os << c.name; }

class WavParse : public testing::TestWithParam<WavCase> {};

TEST_P(WavParse, ReadsPcmAndRefusesTheRest) {
  const WavCase& c = GetParam();
  const auto wav = platform::sound::parseWav(makeWav(c.spec));
  ASSERT_EQ(wav.has_value(), c.valid);
  if (c.valid) {
    EXPECT_EQ(wav->lengthMs(), c.lengthMs);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WavParse,
    testing::Values(WavCase{"mono16", {}, true, 100},
                    WavCase{"stereo8", {1, 2, 11025, 8, 22050}, true, 1000},
                    WavCase{"oddChunkBeforeFormat", {.extraChunkFirst = true}, true, 100},
                    // A data chunk that claims more than the file holds plays what is there.
                    WavCase{"truncatedData", {.dataBytes = 800, .claimedData = 100000}, true, 50},
                    WavCase{"compressed", {.format = 2}, false, 0},
                    WavCase{"twentyFourBit", {.bits = 24}, false, 0},
                    WavCase{"noChannels", {.channels = 0}, false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WavParse, RefusesWhatIsNoWav) {
  EXPECT_FALSE(platform::sound::parseWav({}).has_value());
  EXPECT_FALSE(platform::sound::parseWav({'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'V', 'I', ' '}));
  auto noData = makeWav({});
  noData.resize(36);  // header and format only
  EXPECT_FALSE(platform::sound::parseWav(noData).has_value());
}

class SoundFiles : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zv_sound_" + std::to_string(::getpid()));
    fs::create_directories(dir_ / "SOUNDS");
    writeFile(dir_ / "SOUNDS" / "Face_up.wav", makeWav({}));
    writeFile(dir_ / "SOUNDS" / "card_up.wav", makeWav({}));
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string path(const std::string& rest) const { return dir_.string() + "\\" + rest; }
  fs::path dir_;
};

TEST_F(SoundFiles, NamesResolveWithOrWithoutExtensionAndInAnyCase) {
  platform::sound::Recorder recorder;
  EXPECT_TRUE(platform::sound::play(path("SOUNDS\\Face_up"), Mode::Async));
  EXPECT_TRUE(platform::sound::play(path("sounds\\CARD_UP.WAV"), Mode::Sync));
  EXPECT_FALSE(platform::sound::play(path("SOUNDS\\Won"), Mode::Loop));
  platform::sound::stop();
  ASSERT_EQ(recorder.events().size(), 4u);
  EXPECT_TRUE(recorder.events()[0].found);
  EXPECT_TRUE(recorder.events()[1].found);
  EXPECT_EQ(recorder.events()[1].mode, Mode::Sync);
  EXPECT_FALSE(recorder.events()[2].found);
  EXPECT_EQ(recorder.events()[3].kind, Event::Kind::Stop);
  EXPECT_EQ(recorder.played(), (std::vector<std::string>{path("SOUNDS\\Face_up"),
                                                          path("sounds\\CARD_UP.WAV"),
                                                          path("SOUNDS\\Won")}));
  EXPECT_EQ(platform::sound::lengthMs(path("SOUNDS\\Face_up")), 100);
  EXPECT_EQ(platform::sound::lengthMs(path("SOUNDS\\Won")), -1);
}

TEST_F(SoundFiles, RecordersNestAndRestoreTheOuterOne) {
  platform::sound::Recorder outer;
  {
    platform::sound::Recorder inner;
    platform::sound::play(path("SOUNDS\\Face_up"), Mode::Async);
    EXPECT_EQ(inner.events().size(), 1u);
  }
  platform::sound::play(path("SOUNDS\\card_up"), Mode::Async);
  EXPECT_EQ(outer.played(), std::vector<std::string>{path("SOUNDS\\card_up")});
}

// Real output: whether or not the machine has an audio device, a synchronous sound returns
// within about its length and looping sounds stop on request.
TEST_F(SoundFiles, RealOutputNeverHangs) {
  int argc = 1;
  char arg0[] = "sound_test";
  char* argv[] = {arg0, nullptr};
  QCoreApplication app(argc, argv);
  using Clock = std::chrono::steady_clock;
  const auto begin = Clock::now();
  EXPECT_TRUE(platform::sound::play(path("SOUNDS\\Face_up"), Mode::Sync));
  EXPECT_LT(Clock::now() - begin, std::chrono::seconds(2));
  EXPECT_TRUE(platform::sound::play(path("SOUNDS\\card_up"), Mode::Loop));
  platform::sound::stop();
  EXPECT_FALSE(platform::sound::play(path("SOUNDS\\none"), Mode::Sync));
}
