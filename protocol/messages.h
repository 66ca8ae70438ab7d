#pragma once
// Every window message that passes between the simulator's programs (see
// windows.h for who is who). "=>" is sent: the sender waits until the
// receiver's window procedure has returned and gets its answer. "=|" is
// posted: queued for the receiver, no answer.
//
// From the host:
//   host => viewer  kLcdRepaintMessage (1126)  wParam, lParam 0. The shared
//                   block holds new pixels; the viewer copies them before it
//                   answers (1 copied, 0 when the block is missing or short).
//                   The block: 32-bit pixels (blue, green, red, unused), rows
//                   top to bottom, byteSize / height bytes each.
//   host => viewer  WM_COPYDATA (74)  dwData kScreenModeCopyData (1), data a
//                   ScreenModeRecord: the mode changed; takes effect with the
//                   block of the next repaint. Answer 1 taken, 0 refused.
//   host => player  WM_COPYDATA (74)  dwData kSoundCopyData (0), data a
//                   SoundRecord: one sound command. Answer 1 done, 0 refused.
//   host => viewer, host => player  WM_CLOSE (16): close; the program ends.
//   host =| tool    kToolReplyMessage  wParam the question (kHostAskIdle,
//                   kHostAskAdvance), lParam its result.
//
// From the viewer, its user's input (also what simctl and a replay send in
// its place; see drive/input_commands.h):
//   viewer =| host  WM_KEYDOWN (256), WM_KEYUP (257)  wParam the virtual-key
//                   code, lParam the key data (repeat count, scan code,
//                   extended, previous state, transition).
//   viewer =| host  kHostCharMessage (1128)  one typed character: wParam its
//                   GB2312 code (the byte, or lead << 8 | trail), lParam the
//                   key data of the key that typed it (1 when none).
//   viewer =| host  WM_LBUTTONDOWN (513), WM_LBUTTONDBLCLK (515)  wParam
//                   MK_LBUTTON (1); WM_LBUTTONUP (514) wParam 0; lParam
//                   x | y << 16 in screen pixels.
//   viewer =| host  kHostMarkMessage  wParam, lParam 0: F9, mark this moment
//                   of a recording (named mark-1, mark-2, ...); ignored when
//                   the host does not record.
//   tool => host    WM_COPYDATA (74)  dwData kHostMarkCopyData, data the
//                   mark's name (a plain file name without ".png"). Answer 1
//                   taken, 0 when the host does not record or the name is bad.
//   viewer =| host  WM_CLOSE (16): the user closed the screen; the host
//                   closes, and the companions with it.
//   viewer =| tool  kToolReplyMessage  wParam kLcdAskFrameAfter, lParam the
//                   frame count reached.
//
// From a tool (simctl, tests, benchmarks), to look inside the programs:
//   tool => host    kHostAskIdle  wParam the tool's pid. Answer 1 taken; the
//                   result (1) is posted to the tool's reply window once every
//                   thread of the host waits with nothing due.
//   tool => host    kHostAskAdvance  wParam the tool's pid, lParam
//                   milliseconds. Virtual clock only (else answered 0): time
//                   runs that far and is held there; the result is posted once
//                   all is idle (1, or 0 when that took over a minute).
//   tool => viewer  kLcdQueryFrameSize  answer: PackFrameSize of the frame
//                   shown, 0 before the first one.
//   tool => viewer  kLcdQueryFrameCount  answer: frames copied so far.
//   tool => viewer  kLcdAskFrameAfter  wParam the tool's pid, lParam a frame
//                   count. Answer 1; once more frames than that were copied
//                   (at once when they are) the count is posted to the tool.
//   tool => viewer  WM_COPYDATA (74)  dwData kLcdSaveFrameCopyData, data a
//                   file path (bytes, no NUL needed). Answer 1 when the frame
//                   shown was written there as PNG, else 0.
//   tool => player  kSndQueryChannel  wParam a channel. Answer a
//                   SndChannelAnswer, -1 for a bad channel.
//   tool => player  kSndWriteState  answer 1 when the state of every channel
//                   was written to "snd-state" in the instance folder.
//
// Within the player:
//   player =| player  kSndFinished  wParam the channel whose sound ended, all
//                   ones for the music stream (from the audio thread).

#include <cstdint>

#include "platform/win/types.h"

inline constexpr plat::UINT kLcdRepaintMessage = 1126;
inline constexpr plat::UINT kHostCharMessage = 1128;

// WM_COPYDATA kinds (dwData).
inline constexpr std::uintptr_t kSoundCopyData = 0;
inline constexpr std::uintptr_t kScreenModeCopyData = 1;
inline constexpr std::uintptr_t kLcdSaveFrameCopyData = 0x4C53;  // "LS"
inline constexpr std::uintptr_t kHostMarkCopyData = 0x484D;      // "HM"

inline constexpr plat::UINT kHostAskIdle = plat::WM_USER + 0x100;
inline constexpr plat::UINT kHostAskAdvance = plat::WM_USER + 0x101;
inline constexpr plat::UINT kToolReplyMessage = plat::WM_USER + 0x102;
inline constexpr plat::UINT kHostMarkMessage = plat::WM_USER + 0x103;

inline constexpr plat::UINT kLcdQueryFrameSize = plat::WM_USER + 0x300;
inline constexpr plat::UINT kLcdQueryFrameCount = plat::WM_USER + 0x301;
inline constexpr plat::UINT kLcdAskFrameAfter = plat::WM_USER + 0x302;

inline constexpr plat::UINT kSndQueryChannel = plat::WM_USER + 0x310;
inline constexpr plat::UINT kSndWriteState = plat::WM_USER + 0x311;
inline constexpr plat::UINT kSndFinished = plat::WM_USER + 0x320;

// Each window tells its messages apart by number.
namespace protocol_check {
constexpr plat::UINT kNumbers[] = {kLcdRepaintMessage, kHostCharMessage,   kHostAskIdle,
                                   kHostAskAdvance,    kToolReplyMessage,  kLcdQueryFrameSize,
                                   kLcdQueryFrameCount, kLcdAskFrameAfter, kSndQueryChannel,
                                   kSndWriteState,     kSndFinished,       plat::WM_COPYDATA,
                                   plat::WM_CLOSE,     plat::WM_KEYDOWN,   plat::WM_KEYUP,
                                   plat::WM_LBUTTONDOWN, plat::WM_LBUTTONUP,
                                   plat::WM_LBUTTONDBLCLK, kHostMarkMessage};
constexpr bool AllDistinct() {
  for (plat::UINT a : kNumbers) {
    int same = 0;
    for (plat::UINT b : kNumbers) same += a == b;
    if (same != 1) return false;
  }
  return true;
}
static_assert(AllDistinct());
}  // namespace protocol_check
