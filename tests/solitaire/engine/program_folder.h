#pragma once
// A fresh program directory for tests of the data files: created empty, entered into the
// settings record (field 501, and the preferences name of field 1), removed afterwards.

#include "solitaire/engine/settings.h"
#include "solitaire/engine/utils.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

namespace solitaire::testing {

class ProgramFolder : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "zv-" + std::string(test->test_suite_name()) + "-" + test->name() + "-" +
                           std::to_string(::getpid());
        std::ranges::replace(name, '/', '_'); // parameterised tests have "/" in their names
        root_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ / "DATA");
        settingsRecord.clear();
        fnWriteSettingsField(kProgramDirectoryPosition, kProgramDirectoryWidth, dir());
        fnWriteSettingsField(kPreferencesFilePosition, kPreferencesFileWidth, kPreferencesFileName);
    }

    void TearDown() override { std::filesystem::remove_all(root_); }

    // The program directory as the settings record holds it: with a trailing separator.
    std::string dir() const { return root_.string() + "/"; }
    std::filesystem::path path(const std::string& relative) const { return root_ / relative; }

    void writeFile(const std::string& relative, const std::string& content) const {
        std::ofstream(path(relative), std::ios::binary) << content;
    }
    std::string readFile(const std::string& relative) const {
        std::ifstream in(path(relative), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void writeLines(const std::string& relative, const StringList& lines) const {
        std::string content;
        for (const std::string& line : lines)
            content += line + "\r\n";
        writeFile(relative, content);
    }

private:
    std::filesystem::path root_;
};

} // namespace solitaire::testing
