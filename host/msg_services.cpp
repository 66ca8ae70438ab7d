// The services beside the message ring: timers on the host window, the key
// state, sleeping, the date and time, and the pseudo-random numbers. Time
// comes from the platform clock, so the virtual clock drives all of them.

#include <atomic>
#include <ctime>

#include "host/host_main.h"
#include "host/host_reset.h"
#include "host/msg.h"
#include "platform/sys/clock.h"
#include "platform/win/win.h"

namespace {

// The generator of the C standard's example implementation: a 32-bit
// linear congruence whose bits 16 to 30 are the result.
std::atomic<uint32_t> randomState{1};

bool IsKeyDownMessage(const Message& message) { return message.type == MsgKeyDown; }

int CurrentSecond() {
  DateTime now;
  GetDateTime(&now);
  return now.second;
}

}  // namespace

int StartTimer(uint32_t id, uint32_t milliseconds) {
  plat::HWND window = FindHostWindow();
  if (!window) return 0;
  return plat::SetTimer(window, id, milliseconds) != 0 ? 1 : 0;
}

void StopTimer(uint32_t id) {
  if (plat::HWND window = FindHostWindow()) plat::KillTimer(window, id);
}

int IsKeyDown(int32_t virtualKey) { return plat::GetKeyState(virtualKey) < 0 ? 1 : 0; }

void DelayMs(uint32_t milliseconds) { plat::Sleep(milliseconds); }

void WaitKeyOrSeconds(uint32_t seconds) {
  int remembered = CurrentSecond();
  uint32_t changes = 0;
  for (;;) {
    int second = CurrentSecond();
    if (second != remembered) {
      remembered = second;
      ++changes;
    }
    bool lastMessage = changes >= seconds;
    Message message;
    if (!GetMsg(&message)) return;
    if (IsKeyDownMessage(message) || lastMessage) return;
  }
}

void GetDateTime(DateTime* out) {
  time_t now = plat::CalendarTime();
  struct tm local {};
  localtime_r(&now, &local);
  out->second = uint8_t(local.tm_sec);
  out->minute = uint8_t(local.tm_min);
  out->hour = uint8_t(local.tm_hour);
  out->day = uint8_t(local.tm_mday);
  out->month = uint8_t(local.tm_mon);
  out->weekday = uint8_t(local.tm_wday);
  out->dayOfYear = uint16_t(local.tm_yday);
  out->year = uint16_t(local.tm_year);
}

void SeedRandom(uint32_t seed) { randomState = seed; }

int32_t Random() {
  uint32_t state = randomState.load();
  uint32_t next;
  do {
    next = state * 1103515245u + 12345u;
  } while (!randomState.compare_exchange_weak(state, next));
  return int32_t((next / 65536u) % 32768u);
}

static const bool resetRegistered = RegisterHostReset([] { randomState = 1; });
