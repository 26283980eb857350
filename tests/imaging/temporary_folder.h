#pragma once
// A fresh, empty folder for each test, removed with everything in it when the test ends.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

namespace kestrova::testing {

class TemporaryFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrova-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string file(const std::string& name) const { return (folder_ / name).string(); }

  std::filesystem::path folder_;
};

}  // namespace kestrova::testing
