#pragma once
// A fresh folder per test, removed afterwards.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/zv-files-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string path(const std::string& relative) const { return (dir_ / relative).string(); }

    void writeRaw(const std::string& relative, const std::string& content) const {
        std::filesystem::create_directories((dir_ / relative).parent_path());
        std::ofstream(dir_ / relative, std::ios::binary) << content;
    }

    std::string readRaw(const std::string& relative) const {
        std::ifstream in(dir_ / relative, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path dir_;
};
