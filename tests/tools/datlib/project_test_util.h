#pragma once
// Helpers for tests that build projects from files: a private folder per
// test, UTF-8 text from u8 literals, diagnostics as text.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "tools/datlib/diag.h"

namespace datlib::testing {

using Bytes = std::vector<std::uint8_t>;

// Plain literals are compiled to GB2312; sources are UTF-8.
inline std::string U8(std::u8string_view s) { return std::string(s.begin(), s.end()); }

inline std::string DiagText(const Diagnostics& diag) {
  std::string out;
  for (const Diagnostic& d : diag.Items()) out += Diagnostics::Format(d) + "\n";
  return out;
}

// A fresh folder named for the running test, removed afterwards.
class TempDir {
 public:
  TempDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("datlib_" + std::string(info->test_suite_name()) + "_" + info->name() + "_" +
             std::to_string(::getpid()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string Path(const std::string& rel = "") const { return (path_ / rel).string(); }

  void Write(const std::string& rel, std::string_view text) const {
    const auto p = path_ / rel;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
  }

  Bytes Read(const std::string& rel) const { return ReadPath((path_ / rel).string()); }

  static Bytes ReadPath(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }

 private:
  std::filesystem::path path_;
};

}  // namespace datlib::testing
