// Replays the inputs kept for one fuzz target through the target's own entry
// function, built here without libFuzzer: its seeds (fuzz/corpus/<target>)
// and the inputs fuzzing found harmful (tests/fuzz_regressions/<target>).
// The entry traps or aborts when an invariant breaks; the sanitizer build
// also reports any read outside the input. The folders are read when the
// test runs, so a file added to one is replayed at once.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/scratch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<std::string> FilesIn(const char* folder) {
  std::vector<std::string> files;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    if (entry.is_regular_file()) files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

void Replay(const std::string& path) {
  // Named first: a crash ends the process before any test report.
  std::printf("replaying %s\n", path.c_str());
  std::fflush(stdout);
  const std::string bytes = testsupport::ReadFile(path);
  // A buffer of exactly the input's size, so that a read past it is caught.
  const std::vector<std::uint8_t> input(bytes.begin(), bytes.end());
  EXPECT_EQ(LLVMFuzzerTestOneInput(input.data(), input.size()), 0) << path;
}

TEST(FuzzReplayTest, EverySeedPassesTheTarget) {
  const std::vector<std::string> seeds = FilesIn(FUZZ_SEEDS);
  EXPECT_FALSE(seeds.empty()) << "no seeds in " << FUZZ_SEEDS;
  for (const std::string& path : seeds) Replay(path);
}

TEST(FuzzReplayTest, EveryInputFoundByFuzzingPassesTheTarget) {
  for (const std::string& path : FilesIn(FUZZ_FOUND)) Replay(path);
}

}  // namespace
