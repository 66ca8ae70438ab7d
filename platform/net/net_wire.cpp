#include "platform/net/net_wire.h"

#include <algorithm>
#include <optional>

#include "codec/bytes.h"

namespace plat::net {
namespace {

constexpr uint8_t kSearchKind = 1;
constexpr uint8_t kAnswerKind = 2;

using Bytes = std::vector<uint8_t>;
using Span = std::span<const uint8_t>;

void Append(Bytes& out, Span bytes) { out.insert(out.end(), bytes.begin(), bytes.end()); }

void AppendName(Bytes& out, const std::string& name) {
  const std::size_t length = std::min(name.size(), kMaxNameBytes);
  out.push_back(static_cast<uint8_t>(length));
  out.insert(out.end(), name.begin(), name.begin() + length);
}

// A frame: the length of kind and payload, then both.
Bytes Frame(FrameKind kind, Span payload) {
  Bytes out;
  codec::AppendLe<uint32_t>(out, static_cast<uint32_t>(1 + payload.size()));
  out.push_back(static_cast<uint8_t>(kind));
  Append(out, payload);
  return out;
}

// Magic and version at the start of a payload or datagram.
Bytes Stamp(uint8_t version = kVersion) {
  Bytes out(kMagic.begin(), kMagic.end());
  out.push_back(version);
  return out;
}

bool HasMagic(Span bytes) {
  return bytes.size() >= kMagic.size() && std::equal(kMagic.begin(), kMagic.end(), bytes.begin());
}

NetId IdAt(Span bytes, std::size_t at) {
  NetId id;
  std::copy_n(bytes.begin() + at, id.size(), id.begin());
  return id;
}

codec::Error SizeError(std::size_t size, std::size_t expected) {
  return codec::ErrorAt(0, std::to_string(size) + " bytes where " + std::to_string(expected) +
                               " belong");
}

// Magic, our version and, at byte 5 of a datagram, its kind.
std::optional<codec::Error> CheckStamp(Span bytes, std::size_t minimum) {
  if (bytes.size() < minimum) return SizeError(bytes.size(), minimum);
  if (!HasMagic(bytes)) return codec::ErrorAt(0, "bad magic");
  if (bytes[4] != kVersion) return codec::ErrorAt(4, "version " + std::to_string(bytes[4]));
  return std::nullopt;
}

// The name behind its length byte at `at`, which must end the input.
codec::Result<std::string> NameAt(Span bytes, std::size_t at) {
  const std::size_t length = bytes[at];
  if (length > kMaxNameBytes) return codec::ErrorAt(at, "name of " + std::to_string(length) + " bytes");
  if (bytes.size() != at + 1 + length) return SizeError(bytes.size(), at + 1 + length);
  return std::string(bytes.begin() + at + 1, bytes.end());
}

}  // namespace

Bytes EncodeHello(const NetId& application, uint8_t version) {
  Bytes payload = Stamp(version);
  Append(payload, application);
  return Frame(FrameKind::kHello, payload);
}

Bytes EncodeWelcome(const Welcome& welcome) {
  Bytes payload = Stamp();
  Append(payload, welcome.instance);
  AppendName(payload, welcome.name);
  return Frame(FrameKind::kWelcome, payload);
}

Bytes EncodeRefuse(RefuseReason reason) {
  const uint8_t payload[] = {static_cast<uint8_t>(reason)};
  return Frame(FrameKind::kRefuse, payload);
}

Bytes EncodeData(Span block) { return Frame(FrameKind::kData, block); }

Bytes EncodeSearch(const NetId& application) {
  Bytes out = Stamp();
  out.push_back(kSearchKind);
  Append(out, application);
  return out;
}

Bytes EncodeAnswer(const SearchAnswer& answer) {
  Bytes out = Stamp();
  out.push_back(kAnswerKind);
  Append(out, answer.application);
  Append(out, answer.instance);
  codec::AppendLe<uint16_t>(out, answer.port);
  AppendName(out, answer.name);
  return out;
}

codec::Result<Hello> DecodeHello(Span payload) {
  constexpr std::size_t kVersionAt = 4;
  if (payload.size() <= kVersionAt) return SizeError(payload.size(), kHelloBytes);
  if (!HasMagic(payload)) return codec::ErrorAt(0, "bad magic");
  Hello hello;
  hello.version = payload[kVersionAt];
  // Another version may say more or less; it is refused, not dropped.
  if (hello.version != kVersion) return hello;
  if (payload.size() != kHelloBytes) return SizeError(payload.size(), kHelloBytes);
  hello.application = IdAt(payload, 5);
  return hello;
}

codec::Result<Welcome> DecodeWelcome(Span payload) {
  if (auto error = CheckStamp(payload, kWelcomeFixedBytes)) return *error;
  auto name = NameAt(payload, kWelcomeFixedBytes - 1);
  if (!name) return name.error();
  return Welcome{IdAt(payload, 5), std::move(*name)};
}

codec::Result<RefuseReason> DecodeRefuse(Span payload) {
  if (payload.size() != kRefuseBytes) return SizeError(payload.size(), kRefuseBytes);
  const uint8_t reason = payload[0];
  if (reason < static_cast<uint8_t>(RefuseReason::kOtherApplication) ||
      reason > static_cast<uint8_t>(RefuseReason::kFull)) {
    return codec::ErrorAt(0, "unknown reason " + std::to_string(reason));
  }
  return static_cast<RefuseReason>(reason);
}

codec::Result<NetId> DecodeSearch(Span datagram) {
  if (auto error = CheckStamp(datagram, kSearchBytes)) return *error;
  if (datagram.size() != kSearchBytes) return SizeError(datagram.size(), kSearchBytes);
  if (datagram[5] != kSearchKind) return codec::ErrorAt(5, "not a search");
  return IdAt(datagram, 6);
}

codec::Result<SearchAnswer> DecodeAnswer(Span datagram) {
  if (auto error = CheckStamp(datagram, kAnswerFixedBytes)) return *error;
  if (datagram[5] != kAnswerKind) return codec::ErrorAt(5, "not an answer");
  auto name = NameAt(datagram, kAnswerFixedBytes - 1);
  if (!name) return name.error();
  return SearchAnswer{IdAt(datagram, 6), IdAt(datagram, 22), codec::LoadLe<uint16_t>(&datagram[38]),
                      std::move(*name)};
}

const char* FrameViolation(Reader reader, bool handshakeDone, FrameKind kind, std::size_t size) {
  switch (kind) {
    case FrameKind::kHello:
      if (reader != Reader::kHost) return "a hello at the joiner";
      return handshakeDone ? "a second hello" : nullptr;
    case FrameKind::kWelcome:
    case FrameKind::kRefuse:
      if (reader != Reader::kJoiner) return "a welcome or refuse from a client";
      return handshakeDone ? "a second welcome or refuse" : nullptr;
    case FrameKind::kData:
      if (!handshakeDone) return "data before the handshake";
      return size == 0 ? "an empty data frame" : nullptr;
  }
  return "an unknown kind";
}

}  // namespace plat::net
