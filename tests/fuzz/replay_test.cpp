// The normal build's run of one fuzz target: every input kept for it goes through the target's
// entry function: each input of a fault found once (its own test), then all seeds together.
// ZV_FUZZ_TARGET names the target (the tests' suite), ZV_FUZZ_SEEDS and ZV_FUZZ_REGRESSION
// its two folders.
#include "fuzz_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> filesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    if (fs::is_directory(folder))
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

void replay(const fs::path& file) {
    const std::string bytes = zvfuzz::readFile(file);
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

class FaultInput : public testing::TestWithParam<fs::path> {};

TEST_P(FaultInput, RunsCleanly) {
    replay(GetParam());
}

INSTANTIATE_TEST_SUITE_P(ZV_FUZZ_TARGET, FaultInput, testing::ValuesIn(filesIn(ZV_FUZZ_REGRESSION)),
                         [](const testing::TestParamInfo<fs::path>& info) {
                             std::string name = info.param.filename().string();
                             std::replace_if(
                                 name.begin(), name.end(),
                                 [](unsigned char c) { return !std::isalnum(c); }, '_');
                             return name;
                         });
// A target without faults found yet has no regression inputs.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(FaultInput);

TEST(ZV_FUZZ_TARGET, EverySeedRunsCleanly) {
    const std::vector<fs::path> seeds = filesIn(ZV_FUZZ_SEEDS);
    ASSERT_FALSE(seeds.empty()) << ZV_FUZZ_SEEDS;
    for (const fs::path& seed : seeds) {
        SCOPED_TRACE(seed.string());
        replay(seed);
    }
}

} // namespace
