#include "sound/sound_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace snd {

namespace {

// A standard MIDI file starts "MThd"; a RIFF MIDI file is "RIFF", size, "RMID".
bool LooksLikeMidi(const unsigned char* head, std::size_t size) {
  if (size >= 4 && std::memcmp(head, "MThd", 4) == 0) return true;
  return size >= 12 && std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "RMID", 4) == 0;
}

}  // namespace

codec::Result<SoundKind> ProbeSoundFile(const std::string& posixPath) {
  const auto fail = [&posixPath](std::string why) {
    return codec::Error{std::nullopt, std::move(why), posixPath};
  };
  struct stat info {};
  if (stat(posixPath.c_str(), &info) != 0) return fail(std::strerror(errno));
  if (!S_ISREG(info.st_mode)) return fail("not a regular file");
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(posixPath.c_str(), "rb"),
                                                       &std::fclose);
  if (!file) return fail(std::strerror(errno));
  unsigned char head[12] = {};
  std::size_t got = std::fread(head, 1, sizeof head, file.get());
  if (got == 0) return fail(std::ferror(file.get()) ? "read error" : "empty file");
  return LooksLikeMidi(head, got) ? SoundKind::Music : SoundKind::Chunk;
}

}  // namespace snd
