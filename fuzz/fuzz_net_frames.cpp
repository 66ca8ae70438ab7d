// Bytes from a network peer: as a TCP stream, fed to the frame reader in
// pieces of a size the input picks, each frame checked as the host or the
// joiner would; and the same bytes as a search datagram and an answer. No
// crash, nothing held beyond one frame, and whatever decodes encodes back
// to the bytes it came from.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/net/frame_reader.h"
#include "platform/net/net_wire.h"

namespace {

using namespace plat::net;

void Check(bool holds) {
  if (!holds) std::abort();
}

// The frame as it came: length, kind, payload.
std::vector<uint8_t> Whole(FrameKind kind, std::span<const uint8_t> payload) {
  const uint32_t length = uint32_t(payload.size()) + 1;
  std::vector<uint8_t> frame(kLengthBytes + length);
  for (std::size_t i = 0; i < kLengthBytes; ++i) frame[i] = uint8_t(length >> (8 * i));
  frame[kLengthBytes] = uint8_t(kind);
  std::copy(payload.begin(), payload.end(), frame.begin() + kLengthBytes + 1);
  return frame;
}

void CheckFrame(Reader reader, bool& handshakeDone, FrameKind kind, std::span<const uint8_t> payload) {
  Check(payload.size() < kMaxFrameLength);
  if (FrameViolation(reader, handshakeDone, kind, payload.size()) != nullptr) return;
  switch (kind) {
    case FrameKind::kHello:
      if (auto hello = DecodeHello(payload); hello && hello->version == kVersion) {
        Check(EncodeHello(hello->application) == Whole(kind, payload));
      }
      handshakeDone = true;
      break;
    case FrameKind::kWelcome:
      if (auto welcome = DecodeWelcome(payload)) {
        Check(welcome->name.size() <= kMaxNameBytes);
        Check(EncodeWelcome(*welcome) == Whole(kind, payload));
      }
      handshakeDone = true;
      break;
    case FrameKind::kRefuse:
      if (auto reason = DecodeRefuse(payload)) Check(EncodeRefuse(*reason) == Whole(kind, payload));
      break;
    case FrameKind::kData:
      Check(!payload.empty() && payload.size() <= kMaxBlock);
      Check(EncodeData(payload) == Whole(kind, payload));
      break;
  }
}

void ReadStream(Reader reader, std::span<const uint8_t> bytes, std::size_t piece) {
  FrameReader frames;
  bool handshakeDone = false;
  while (!bytes.empty()) {
    const auto fed = frames.Feed(bytes.first(std::min(piece, bytes.size())));
    Check(fed.used <= piece);
    if (fed.status == FrameReader::Status::kBroken) return;
    if (fed.status == FrameReader::Status::kFrame) {
      CheckFrame(reader, handshakeDone, frames.kind(), frames.payload());
    } else {
      Check(fed.used > 0);
    }
    bytes = bytes.subspan(fed.used);
  }
}

void ReadDatagram(std::span<const uint8_t> bytes) {
  if (auto search = DecodeSearch(bytes)) Check(EncodeSearch(*search) == std::vector(bytes.begin(), bytes.end()));
  if (auto answer = DecodeAnswer(bytes)) {
    Check(answer->name.size() <= kMaxNameBytes);
    Check(EncodeAnswer(*answer) == std::vector(bytes.begin(), bytes.end()));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::size_t piece = std::size_t(data[0] % 64) + 1;
  const std::span<const uint8_t> rest(data + 1, size - 1);
  ReadStream(Reader::kHost, rest, piece);
  ReadStream(Reader::kJoiner, rest, piece);
  ReadDatagram(rest);
  return 0;
}
