#include "platform/shell/keystore.h"
#include "platform/shell/shell.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace fs = std::filesystem;
using namespace platform::shell;

class ShellFiles : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zv_shell_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(ShellFiles, KeysAreCreatedWithTheirParentsAndFoundInAnyCase) {
  ScopedKeyStoreFile store((dir_ / "keys").string());
  const std::string key = "HKEY_LOCAL_MACHINE\\Software\\Varnley\\Pellmoor_Fw";
  EXPECT_FALSE(keyExists(key));
  EXPECT_TRUE(createKey(key));
  EXPECT_TRUE(keyExists(key));
  EXPECT_TRUE(keyExists("hkey_local_machine\\SOFTWARE\\varnley\\pellmoor_fw\\"));
  EXPECT_TRUE(keyExists("HKEY_LOCAL_MACHINE\\Software"));
  EXPECT_FALSE(keyExists("HKEY_LOCAL_MACHINE\\Software\\Varnley\\Other"));
  EXPECT_FALSE(keyExists(""));
  EXPECT_FALSE(createKey("\\\\"));

  // Creating it again adds nothing.
  const auto size = fs::file_size(dir_ / "keys");
  EXPECT_TRUE(createKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Varnley\\Pellmoor_Fw"));
  EXPECT_EQ(fs::file_size(dir_ / "keys"), size);
}

TEST_F(ShellFiles, KeyStoreFolderIsMadeOnFirstWriteAndAWriteFailureIsReported) {
  {
    ScopedKeyStoreFile store((dir_ / "new" / "folder" / "keys").string());
    EXPECT_TRUE(createKey("HKEY_CURRENT_USER\\A"));
    EXPECT_TRUE(keyExists("HKEY_CURRENT_USER\\A"));
  }
  fs::create_directories(dir_ / "blocked");
  ScopedKeyStoreFile store((dir_ / "blocked").string());  // a folder where the file should be
  EXPECT_FALSE(createKey("HKEY_CURRENT_USER\\B"));
  EXPECT_FALSE(keyExists("HKEY_CURRENT_USER\\B"));
}

TEST_F(ShellFiles, RecorderTakesTheRequestsAndAnswersForTheDesktop) {
  OpenRecorder recorder(kNoAssociation);
  EXPECT_EQ(open("mailto:someone@example.org", "", "", 4), kNoAssociation);
  ASSERT_EQ(recorder.requests().size(), 1u);
  EXPECT_EQ(recorder.requests()[0].target, "mailto:someone@example.org");
  EXPECT_EQ(recorder.requests()[0].showCommand, 4);
}

TEST_F(ShellFiles, MissingFilesAreReportedWithoutAskingTheDesktop) {
  EXPECT_EQ(open("", "", "", 1), kFileNotFound);
  EXPECT_EQ(open("NoSuch.txt", "", dir_.string(), 1), kFileNotFound);
  EXPECT_EQ(open((dir_ / "NoSuch.txt").string(), "", "", 1), kFileNotFound);
}

TEST_F(ShellFiles, ExecutablesStartWithTheirParametersInTheirFolder) {
  const fs::path script = dir_ / "Write.sh";
  std::ofstream(script) << "#!/bin/sh\necho \"$1\" > \"$PWD/out.txt\"\n";
  fs::permissions(script, fs::perms::owner_all);
  // Found by another spelling of its name, relative to the folder.
  ASSERT_EQ(open("WRITE.SH", "hello", dir_.string(), 1), kOpened);
  for (int i = 0; i < 200 && !fs::exists(dir_ / "out.txt"); ++i) ::usleep(10000);
  std::ifstream in(dir_ / "out.txt");
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "hello");
}
