#include "host/snd.h"

#include <cstring>

#include "host/companion.h"
#include "protocol/messages.h"
#include "protocol/records.h"

namespace {

constexpr int32_t kPlayFile = 0;
constexpr int32_t kLastChannel = 8;
constexpr int32_t kLoopForever = -1;

}  // namespace

void PlaySoundCmd(int32_t op, int32_t channel, int32_t loops, const char* path) {
  if (channel < 0 || channel > kLastChannel || loops < kLoopForever) return;
  SoundSend(op, channel, loops, path);
}

int SoundSend(int32_t op, int32_t channel, int32_t loops, const char* path) {
  SoundRecord record{};
  record.op = op;
  record.channel = channel;
  record.loops = loops;
  if (path && op == kPlayFile) {
    // At most 255 bytes of text; the rest of the field stays zero.
    std::strncpy(record.path, path, kSoundPathSize - 1);
  }
  plat::COPYDATASTRUCT descriptor{kSoundCopyData, sizeof record, &record};
  return SndSend(plat::WM_COPYDATA, 0, reinterpret_cast<plat::LPARAM>(&descriptor));
}
