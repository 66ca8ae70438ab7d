#pragma once
// Window messages between processes: the one place that says what travels.
//
// Every window owns a SOCK_SEQPACKET Unix socket in the instance folder (see
// endpoint.h). A thread that addresses a window of another process keeps one
// connection to it and writes frames; one packet is one frame, so a frame is
// never split or merged. Frames:
//
//   Post   =|  client -> window. Queued for the window's thread; no answer.
//   Send   =>  client -> window. Handed to the window procedure on the
//              window's own thread; answered by exactly one Reply on the
//              same connection. The client handles messages sent to its own
//              windows while it waits, so two processes sending to each
//              other do not deadlock: replies nest like calls.
//   Reply  <=  window -> client. The LRESULT of the Send with the same
//              sequence number.
//
// WM_COPYDATA (Send only) carries dwData in `lParam` and cbData bytes after
// the header; the receiver passes a COPYDATASTRUCT pointing at its copy.
// Other pointer-carrying messages are not translated: their parameters
// arrive as plain numbers. A peer that breaks these rules is disconnected.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "codec/result.h"

namespace plat {

enum class WireKind : uint16_t { kPost = 1, kSend = 2, kReply = 3 };

// Byte offsets: magic 0, kind 4, flags 6, sequence 8, message 12, wParam 16,
// lParam 24, dataSize 32, reserved 36; then dataSize bytes. Host byte order:
// both ends run on the same machine.
struct WireHeader {
  uint32_t magic;
  uint16_t kind;
  uint16_t flags;
  uint32_t sequence;
  uint32_t message;
  uint64_t wParam;
  uint64_t lParam;  // a Reply's result; WM_COPYDATA's dwData
  uint32_t dataSize;
  uint32_t reserved;
};
static_assert(sizeof(WireHeader) == 40);

inline constexpr uint32_t kWireMagic = 0x4D575654;  // "TVWM"
inline constexpr uint32_t kMaxCopyData = 64 * 1024;
inline constexpr size_t kMaxFrameSize = sizeof(WireHeader) + kMaxCopyData;

struct WireFrame {
  WireHeader header{};
  std::vector<uint8_t> data;
};

// Checks a received packet and copies it; refuses anything malformed:
// short, oversized, bad magic or kind, data where none belongs.
codec::Result<WireFrame> DecodeFrame(std::span<const uint8_t> bytes);

enum class WireStatus { kOk, kWouldBlock, kClosed, kBad };

// Writes one frame. With `wait` false a full socket gives kWouldBlock.
WireStatus SendFrame(int fd, const WireHeader& header, const void* data, bool wait);

// Reads one frame without blocking: kOk, kWouldBlock when none is there,
// kClosed at end of stream or error, kBad for a malformed frame.
WireStatus ReceiveFrame(int fd, WireFrame* out);

}  // namespace plat
