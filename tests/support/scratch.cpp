#include "tests/support/scratch.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace testsupport {

namespace fs = std::filesystem;

ScratchDir::ScratchDir(std::string_view tag) {
  std::string pattern =
      (fs::temp_directory_path() / ("tovsim-" + std::string(tag) + "-XXXXXX")).string();
  if (mkdtemp(pattern.data())) path_ = pattern;
  EXPECT_FALSE(path_.empty()) << "cannot make a folder like " << pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  if (!path_.empty()) fs::remove_all(path_, ignored);
}

std::string ScratchDir::operator/(std::string_view name) const {
  return (fs::path(path_) / name).string();
}

std::string ScratchDir::Write(std::string_view name, std::string_view bytes) const {
  const std::string path = *this / name;
  EXPECT_TRUE(WriteFile(path, bytes)) << path;
  return path;
}

std::string ScratchDir::Read(std::string_view name) const { return ReadFile(*this / name); }

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool WriteFile(const std::string& path, std::string_view bytes) {
  std::error_code ignored;
  fs::create_directories(fs::path(path).parent_path(), ignored);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  return bool(out.flush());
}

bool WriteFile(const std::string& path, std::span<const uint8_t> bytes) {
  return WriteFile(path,
                   std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace testsupport
