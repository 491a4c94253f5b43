// WAV files as the sound module reads them for every sound the programs play. Any file is
// either refused (silence, length -1) or gives whole sample frames of a supported format.
#include "fuzz_support.h"

#include "platform/sound/sound.h"
#include "platform/sound/wav.h"

using namespace platform::sound;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path path = zvfuzz::scratchFolder() / "SOUND.WAV";
    zvfuzz::writeFile(path, std::string_view(reinterpret_cast<const char*>(data), size));

    const std::optional<WavData> wav = readWav(path.string());
    const int length = lengthMs(path.string());
    if (wav) {
        ZV_FUZZ_CHECK(wav->channels >= 1 && wav->channels <= 8, "channels");
        ZV_FUZZ_CHECK(wav->bitsPerSample == 8 || wav->bitsPerSample == 16, "bits");
        ZV_FUZZ_CHECK(wav->sampleRate >= 1000, "rate");
        const std::size_t frame =
            static_cast<std::size_t>(wav->channels) * static_cast<std::size_t>(wav->bitsPerSample / 8);
        ZV_FUZZ_CHECK(wav->samples.size() % frame == 0, "a part frame");
        ZV_FUZZ_CHECK(wav->samples.size() <= size, "more samples than bytes");
        ZV_FUZZ_CHECK(length == wav->lengthMs() && length >= 0, "length");
    } else {
        ZV_FUZZ_CHECK(length == -1, "length of a refused file");
    }
    // The programs play sounds by name, without ".wav" too; a recorder stands for the device.
    const Recorder recorder;
    ZV_FUZZ_CHECK(play((path.parent_path() / "sound").string(), Mode::Sync) == wav.has_value(),
                  "play");
    return 0;
}
