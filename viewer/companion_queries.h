#pragma once
// Messages of our own that tools and tests send to the two companion
// programs to look inside them. The host never sends these; what the host
// sends is in host/companion_records.h. All are sent (=>, answered).
//
//   tool => viewer  kLcdQueryFrameSize     answer: width | height << 16 of the
//                                          frame shown, 0 before the first one
//   tool => viewer  kLcdQueryFrameCount    answer: frames copied so far
//   tool => viewer  WM_COPYDATA dwData kLcdSaveFrameCopyData, data: a file
//                   path (bytes, no NUL needed)  answer: 1 when the shown
//                   frame was written there as PNG, else 0
//   tool => viewer  kLcdAskFrameAfter      wParam the tool's pid, lParam a frame
//                                          count; answer 1, and once more frames
//                                          than that were copied (at once when
//                                          they are) kToolReplyMessage is posted
//                                          to the tool's reply window (see
//                                          host/companion_records.h): wParam
//                                          kLcdAskFrameAfter, lParam the count
//   tool => player  kSndQueryChannel       wParam channel; answer: a
//                                          SndChannelAnswer, -1 for a bad channel
//   tool => player  kSndWriteState         answer: 1 when the state of every
//                   channel was written to SndStateFile() (see sound/), else 0

#include <cstdint>

#include "platform/win/types.h"

inline constexpr plat::UINT kLcdQueryFrameSize = plat::WM_USER + 0x300;
inline constexpr plat::UINT kLcdQueryFrameCount = plat::WM_USER + 0x301;
inline constexpr plat::UINT kLcdAskFrameAfter = plat::WM_USER + 0x302;
inline constexpr std::uintptr_t kLcdSaveFrameCopyData = 0x4C53;  // "LS"

inline constexpr plat::UINT kSndQueryChannel = plat::WM_USER + 0x310;
inline constexpr plat::UINT kSndWriteState = plat::WM_USER + 0x311;

// kSndQueryChannel's answer.
enum SndChannelAnswer : plat::LRESULT {
  kSndChannelIdle = 0,
  kSndChannelPlaying = 1,
  kSndChannelPaused = 2,
};
