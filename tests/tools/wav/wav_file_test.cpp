// The sound tools' WAV files are what the platform's sound module reads back.
#include "wav_file.h"

#include "platform/sound/sound.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

TEST(WavFileTest, ASecondOfSamplesReadsBackAsASecondOfSound) {
    const fs::path file =
        fs::temp_directory_path() / ("zv-wav-" + std::to_string(::getpid()) + ".wav");
    for (const auto& [samples, rate, ms] :
         {std::tuple{22050, 22050, 1000}, {2205, 22050, 100}, {4410, 44100, 100}}) {
        const std::vector<std::int16_t> wave(static_cast<std::size_t>(samples), 1000);
        ASSERT_TRUE(zv::wav::writeMonoPcm16(file, wave, rate));
        EXPECT_EQ(fs::file_size(file), 44u + 2u * static_cast<unsigned>(samples));
        EXPECT_EQ(platform::sound::lengthMs(file.string()), ms) << samples << " at " << rate;
    }
    fs::remove(file);
}

TEST(WavFileTest, SamplesAreLittleEndianAfterTheHeader) {
    const std::vector<char> bytes = zv::wav::monoPcm16({0x1234, -2}, 8000);
    ASSERT_EQ(bytes.size(), 48u);
    EXPECT_EQ(std::string(bytes.data(), 4), "RIFF");
    EXPECT_EQ(std::string(bytes.data() + 36, 4), "data");
    EXPECT_EQ(static_cast<unsigned char>(bytes[44]), 0x34);
    EXPECT_EQ(static_cast<unsigned char>(bytes[45]), 0x12);
    EXPECT_EQ(static_cast<unsigned char>(bytes[46]), 0xFE);
    EXPECT_EQ(static_cast<unsigned char>(bytes[47]), 0xFF);
}

TEST(WavFileTest, AFileThatCannotBeWrittenIsReported) {
    EXPECT_FALSE(zv::wav::writeMonoPcm16("/nonexistent-folder/x.wav", {1, 2, 3}, 22050));
}

} // namespace
