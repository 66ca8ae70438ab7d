#pragma once
// A private folder for one test under the system's temporary folder, removed
// with everything in it at the end of its scope; and whole-file reads and
// writes for what tests put there.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace testsupport {

class ScratchDir {
 public:
  // Makes a new, empty folder named tovsim-<tag>-XXXXXX. Keep `tag` short:
  // sockets made below a runtime folder must fit a socket's path.
  explicit ScratchDir(std::string_view tag = "test");
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return path_; }
  // A path inside the folder.
  std::string operator/(std::string_view name) const;
  // Writes `bytes` to `name` inside the folder, making the folders on the
  // way; the file's path.
  std::string Write(std::string_view name, std::string_view bytes) const;
  // The bytes of `name` inside the folder; empty when it cannot be read.
  std::string Read(std::string_view name) const;

 private:
  std::string path_;
};

// The bytes of the file at `path`; empty when it cannot be read.
std::string ReadFile(const std::string& path);

// Writes `bytes` to `path`, making the folders on the way; false on failure.
bool WriteFile(const std::string& path, std::string_view bytes);
bool WriteFile(const std::string& path, std::span<const uint8_t> bytes);

}  // namespace testsupport
