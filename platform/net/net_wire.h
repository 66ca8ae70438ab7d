#pragma once
// The network game's wire format, the one place that says what travels
// between simulators. Numbers are little-endian; an id is 16 bytes in the
// order it is written ({1AD4CA3B-AC68-...} starts 1A D4 CA 3B AC 68).
//
// TCP: a stream of frames, each
//   0  u32  length L of what follows, 1 <= L <= kMaxFrameLength
//   4  u8   kind
//   5       payload, L - 1 bytes
// Kinds and their payloads (offsets within the payload):
//   1 hello    joiner -> host   0 magic "TVNG", 4 u8 version, 5 application id     21 bytes
//   2 welcome  host -> joiner   0 magic, 4 version, 5 instance id,
//                               21 u8 name length n (<= 127), 22 name              22 + n
//   3 refuse   host -> joiner   0 u8 reason (RefuseReason)                          1 byte
//   4 data     either way       the application's block                     1 to kMaxBlock
//
// UDP, on the same port number as the host's listener (offsets in the datagram):
//   search  0 magic, 4 version, 5 u8 kind 1, 6 application id                  22 bytes
//   answer  0 magic, 4 version, 5 u8 kind 2, 6 application id, 22 instance id,
//           38 u16 TCP port, 40 u8 name length n (<= 127), 41 name            41 + n
//
// Every decoder checks the exact size of what it reads; nothing here holds
// GB2312 text (the fuzz build compiles it with clang).

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "codec/result.h"

namespace plat::net {

using NetId = std::array<uint8_t, 16>;

// {1AD4CA3B-AC68-4D9B-9522-BE59CD485276}: the network games of this device.
inline constexpr NetId kApplicationId = {0x1A, 0xD4, 0xCA, 0x3B, 0xAC, 0x68, 0x4D, 0x9B,
                                         0x95, 0x22, 0xBE, 0x59, 0xCD, 0x48, 0x52, 0x76};
inline constexpr std::array<uint8_t, 4> kMagic = {'T', 'V', 'N', 'G'};
inline constexpr uint8_t kVersion = 1;

// The largest block an application sends, and a game name's longest form.
inline constexpr std::size_t kMaxBlock = 1024;
inline constexpr std::size_t kMaxNameBytes = 127;

inline constexpr std::size_t kLengthBytes = 4;
inline constexpr uint32_t kMaxFrameLength = 1 + kMaxBlock;
inline constexpr std::size_t kMaxFrameBytes = kLengthBytes + kMaxFrameLength;

// Payload and datagram sizes, from the offsets above.
inline constexpr std::size_t kIdBytes = sizeof(NetId);
inline constexpr std::size_t kHelloBytes = 4 + 1 + kIdBytes;
inline constexpr std::size_t kWelcomeFixedBytes = 4 + 1 + kIdBytes + 1;
inline constexpr std::size_t kRefuseBytes = 1;
inline constexpr std::size_t kSearchBytes = 4 + 1 + 1 + kIdBytes;
inline constexpr std::size_t kAnswerFixedBytes = 4 + 1 + 1 + kIdBytes + kIdBytes + 2 + 1;
static_assert(kIdBytes == 16);
static_assert(kHelloBytes == 21);
static_assert(kWelcomeFixedBytes == 22);
static_assert(kSearchBytes == 22);
static_assert(kAnswerFixedBytes == 41);
static_assert(kMaxFrameBytes == 1029);

enum class FrameKind : uint8_t { kHello = 1, kWelcome = 2, kRefuse = 3, kData = 4 };
enum class RefuseReason : uint8_t { kOtherApplication = 1, kBadVersion = 2, kFull = 3 };

// A hello as read; `application` is meaningful only for our own version
// (a joiner of another version is answered kBadVersion, whatever its size).
struct Hello {
  uint8_t version = kVersion;
  NetId application{};
};

struct Welcome {
  NetId instance{};
  std::string name;  // at most kMaxNameBytes bytes
};

struct SearchAnswer {
  NetId application{};
  NetId instance{};
  uint16_t port = 0;
  std::string name;  // at most kMaxNameBytes bytes
};

// Whole frames, length prefix included. A name longer than kMaxNameBytes is
// cut there; EncodeData takes 1 to kMaxBlock bytes (the caller checks).
std::vector<uint8_t> EncodeHello(const NetId& application, uint8_t version = kVersion);
std::vector<uint8_t> EncodeWelcome(const Welcome& welcome);
std::vector<uint8_t> EncodeRefuse(RefuseReason reason);
std::vector<uint8_t> EncodeData(std::span<const uint8_t> block);

// Datagrams.
std::vector<uint8_t> EncodeSearch(const NetId& application);
std::vector<uint8_t> EncodeAnswer(const SearchAnswer& answer);

// A frame's payload (or a datagram), checked for its exact size, the magic
// and the version (DecodeHello leaves the version to the caller).
codec::Result<Hello> DecodeHello(std::span<const uint8_t> payload);
codec::Result<Welcome> DecodeWelcome(std::span<const uint8_t> payload);
codec::Result<RefuseReason> DecodeRefuse(std::span<const uint8_t> payload);
codec::Result<NetId> DecodeSearch(std::span<const uint8_t> datagram);
codec::Result<SearchAnswer> DecodeAnswer(std::span<const uint8_t> datagram);

// Which end reads a frame, and how far its connection is.
enum class Reader { kHost, kJoiner };

// Null when `kind` with a payload of `size` bytes may arrive at `reader`
// at this point of the connection, else why not: data before the handshake,
// a second hello, a welcome or refuse at the host, an empty data frame...
const char* FrameViolation(Reader reader, bool handshakeDone, FrameKind kind, std::size_t size);

}  // namespace plat::net
