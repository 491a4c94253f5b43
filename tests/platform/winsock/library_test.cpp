#include "platform/winsock/library.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

namespace platform {
namespace {

std::filesystem::path BesideProgram(const std::string& name) {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / name;
}

TEST(Library, LoadFailuresSayWhy) {
    int error = 0;
    EXPECT_EQ(loadLibrary("no-such-library.dll", error), nullptr);
    EXPECT_EQ(error, ENOENT);

    const std::filesystem::path text = BesideProgram("not-a-library.dll");
    std::ofstream(text) << "plain text\n";
    error = 0;
    EXPECT_EQ(loadLibrary("not-a-library.dll", error), nullptr);
    EXPECT_EQ(error, ENOEXEC);
    std::filesystem::remove(text);
}

TEST(Library, MissingSymbolIsReported) {
    int error = 0;
    EXPECT_EQ(librarySymbol(nullptr, "anything", error), nullptr);
    EXPECT_EQ(error, ENOSYS);
}

} // namespace
} // namespace platform
