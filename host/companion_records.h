#pragma once
// What passes between the host and its two companion programs, the LCD viewer
// and the sound player. Every message here is sent (=> the sender waits until
// the receiver's window procedure has returned); none is posted.
//
//   host => viewer  1126              the shared block holds new pixels: repaint
//   host => viewer  WM_COPYDATA (74)  dwData 1, ScreenModeRecord: the mode changed
//   host => viewer  WM_CLOSE (16)     close
//   host => player  WM_COPYDATA (74)  dwData 0, SoundRecord: one sound command
//   host => player  WM_CLOSE (16)     close
//
// The records are little-endian and packed; both programs read them with
// these structs.

#include <cstdint>

inline constexpr char kLcdClass[] = "LcdClass";
inline constexpr char kLcdTitle[] = "TovLcd";
inline constexpr char kSndClass[] = "SndClass";
inline constexpr char kSndTitle[] = "TovSnd";

inline constexpr char kLcdProgram[] = "..\\Lcd\\Lcd.exe";
inline constexpr char kSndProgram[] = "..\\Snd\\Snd.exe";

// The viewer's repaint message and the host window's forwarded character.
inline constexpr unsigned kLcdRepaintMessage = 1126;
inline constexpr unsigned kForwardedCharMessage = 1128;

inline constexpr std::uintptr_t kScreenModeCopyData = 1;
inline constexpr std::uintptr_t kSoundCopyData = 0;

// The screen's eight fields in Canvas order. dc, bitmap, window and pixels
// are addresses inside the host; only their low 32 bits travel, and they mean
// nothing to the viewer.
//   0 width  4 height  8 bitsPerPixel  12 byteSize  16 dc  20 bitmap  24 window  28 pixels
#pragma pack(push, 1)
struct ScreenModeRecord {
  std::int32_t width;
  std::int32_t height;
  std::int32_t bitsPerPixel;
  std::uint32_t byteSize;
  std::uint32_t dc;
  std::uint32_t bitmap;
  std::uint32_t window;
  std::uint32_t pixels;
};
#pragma pack(pop)
static_assert(sizeof(ScreenModeRecord) == 32);

inline constexpr int kSoundPathSize = 256;

// One sound command.
//   0 op  4 channel  8 loops  12 path (256 bytes, NUL-terminated, zero-padded)
// op 0 plays the file in path; other ops act on the channel and carry no path.
#pragma pack(push, 1)
struct SoundRecord {
  std::int32_t op;
  std::int32_t channel;
  std::int32_t loops;
  char path[kSoundPathSize];
};
#pragma pack(pop)
static_assert(sizeof(SoundRecord) == 268);

// What tools (simctl, the end-to-end tests) ask the host window. Each is sent
// and answered 1 when taken (0 when refused); the real answer comes later,
// posted to the asker's reply window (class kToolReplyClass, title
// "simctl.<pid>", found by the pid in wParam) as kToolReplyMessage with
// wParam = the question's message and lParam = the result.
//
//   tool => host  kHostAskIdle     wParam pid   answer posted once every
//                                              thread of the host waits with
//                                              nothing due (lParam 1)
//   tool => host  kHostAskAdvance  wParam pid, lParam milliseconds: virtual
//                                  clock only (else answered 0); time runs
//                                  that far and is held there, then the
//                                  answer is posted once all is idle (lParam
//                                  1, 0 when that took over a minute)
//   host =| tool  kToolReplyMessage
inline constexpr unsigned kHostAskIdle = 0x0400 + 0x100;
inline constexpr unsigned kHostAskAdvance = 0x0400 + 0x101;
inline constexpr unsigned kToolReplyMessage = 0x0400 + 0x102;
inline constexpr char kToolReplyClass[] = "SimctlClass";
