// The network wire format: every frame and datagram there and back, sizes,
// magic and versions checked, the connection rules, and the stream reader
// cutting frames wherever the stream is split.

#include "platform/net/net_wire.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/net/frame_reader.h"

namespace plat::net {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr NetId kOtherId = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2, 3, 4, 5, 6};

struct Frame {
  FrameKind kind;
  Bytes payload;
  bool operator==(const Frame&) const = default;
};

// Feeds `stream` in pieces of the given sizes (the last piece takes the
// rest) and collects the frames; `broken` tells whether the reader gave up.
std::vector<Frame> Cut(const Bytes& stream, const std::vector<std::size_t>& pieces, bool* broken) {
  FrameReader reader;
  std::vector<Frame> frames;
  std::size_t at = 0;
  *broken = false;
  for (std::size_t i = 0; at < stream.size() && !*broken; ++i) {
    std::size_t size = i < pieces.size() ? pieces[i] : stream.size() - at;
    std::span<const uint8_t> piece(stream.data() + at, std::min(size, stream.size() - at));
    at += piece.size();
    while (!piece.empty()) {
      const FrameReader::Fed fed = reader.Feed(piece);
      piece = piece.subspan(fed.used);
      if (fed.status == FrameReader::Status::kBroken) {
        *broken = true;
        break;
      }
      if (fed.status == FrameReader::Status::kFrame) {
        frames.push_back({reader.kind(), Bytes(reader.payload().begin(), reader.payload().end())});
      }
    }
  }
  return frames;
}

Bytes Payload(const Bytes& frame) { return Bytes(frame.begin() + 5, frame.end()); }

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

TEST(NetWireTest, FramesGoThereAndBack) {
  const Bytes hello = EncodeHello(kApplicationId);
  ASSERT_EQ(hello.size(), 4 + 1 + kHelloBytes);
  EXPECT_EQ(hello[0], 22);
  EXPECT_EQ(hello[4], uint8_t(FrameKind::kHello));
  auto readHello = DecodeHello(Payload(hello));
  ASSERT_TRUE(readHello);
  EXPECT_EQ(readHello->version, kVersion);
  EXPECT_EQ(readHello->application, kApplicationId);

  const std::string name(200, 'n');  // cut at 127 bytes
  const Bytes welcome = EncodeWelcome({kOtherId, name});
  auto readWelcome = DecodeWelcome(Payload(welcome));
  ASSERT_TRUE(readWelcome);
  EXPECT_EQ(readWelcome->instance, kOtherId);
  EXPECT_EQ(readWelcome->name, name.substr(0, kMaxNameBytes));

  for (RefuseReason reason : {RefuseReason::kOtherApplication, RefuseReason::kBadVersion, RefuseReason::kFull}) {
    auto read = DecodeRefuse(Payload(EncodeRefuse(reason)));
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, reason);
  }

  const Bytes block(kMaxBlock, 0xAB);
  const Bytes data = EncodeData(block);
  EXPECT_EQ(data.size(), kMaxFrameBytes);
  EXPECT_EQ(Payload(data), block);
}

TEST(NetWireTest, DatagramsGoThereAndBack) {
  const Bytes search = EncodeSearch(kApplicationId);
  ASSERT_EQ(search.size(), kSearchBytes);
  auto id = DecodeSearch(search);
  ASSERT_TRUE(id);
  EXPECT_EQ(*id, kApplicationId);

  const SearchAnswer answer{kApplicationId, kOtherId, 41730, "room"};
  const Bytes bytes = EncodeAnswer(answer);
  ASSERT_EQ(bytes.size(), kAnswerFixedBytes + 4);
  EXPECT_EQ(bytes[38], 41730 & 0xFF);
  EXPECT_EQ(bytes[39], 41730 >> 8);
  auto read = DecodeAnswer(bytes);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->application, kApplicationId);
  EXPECT_EQ(read->instance, kOtherId);
  EXPECT_EQ(read->port, 41730);
  EXPECT_EQ(read->name, "room");
}

TEST(NetWireTest, EveryDecoderRefusesTheWrongSizeMagicOrVersion) {
  const Bytes hello = Payload(EncodeHello(kApplicationId));
  const Bytes welcome = Payload(EncodeWelcome({kOtherId, "ab"}));
  const Bytes search = EncodeSearch(kApplicationId);
  const Bytes answer = EncodeAnswer({kApplicationId, kOtherId, 7, "ab"});
  struct Case {
    const char* what;
    Bytes bytes;
    bool (*decodes)(const Bytes&);
  };
  auto helloOk = [](const Bytes& b) { return bool(DecodeHello(b)); };
  auto welcomeOk = [](const Bytes& b) { return bool(DecodeWelcome(b)); };
  auto searchOk = [](const Bytes& b) { return bool(DecodeSearch(b)); };
  auto answerOk = [](const Bytes& b) { return bool(DecodeAnswer(b)); };
  auto refuseOk = [](const Bytes& b) { return bool(DecodeRefuse(b)); };
  auto with = [](Bytes b, std::size_t at, uint8_t value) {
    b[at] = value;
    return b;
  };
  auto cut = [](Bytes b, int by) {
    b.resize(b.size() - by);
    return b;
  };
  auto longer = [](Bytes b) {
    b.push_back(0);
    return b;
  };
  const std::vector<Case> cases = {
      {"hello short", cut(hello, 1), helloOk},
      {"hello long", longer(hello), helloOk},
      {"hello magic", with(hello, 0, 'X'), helloOk},
      {"hello stub", Bytes{'T', 'V', 'N'}, helloOk},
      {"welcome name past the end", with(welcome, 21, 3), welcomeOk},
      {"welcome name shorter", with(welcome, 21, 1), welcomeOk},
      {"welcome name of 128", with(welcome, 21, 128), welcomeOk},
      {"welcome version", with(welcome, 4, 2), welcomeOk},
      {"welcome short", Bytes(welcome.begin(), welcome.begin() + 21), welcomeOk},
      {"refuse reason 0", Bytes{0}, refuseOk},
      {"refuse reason 4", Bytes{4}, refuseOk},
      {"refuse two bytes", Bytes{1, 1}, refuseOk},
      {"search short", cut(search, 1), searchOk},
      {"search long", longer(search), searchOk},
      {"search kind", with(search, 5, 2), searchOk},
      {"search version", with(search, 4, 0), searchOk},
      {"answer kind", with(answer, 5, 1), answerOk},
      {"answer long", longer(answer), answerOk},
      {"answer short", cut(answer, 1), answerOk},
      {"answer magic", with(answer, 3, 'g'), answerOk},
      {"answer a search", search, answerOk},
  };
  for (const Case& c : cases) EXPECT_FALSE(c.decodes(c.bytes)) << c.what;
}

TEST(NetWireTest, AHelloOfAnotherVersionIsReadForItsRefusal) {
  Bytes payload = Payload(EncodeHello(kApplicationId, 2));
  payload.resize(7);  // another version may be any size
  auto hello = DecodeHello(payload);
  ASSERT_TRUE(hello);
  EXPECT_EQ(hello->version, 2);
}

TEST(NetWireTest, ConnectionRulesForEachEnd) {
  struct Case {
    Reader reader;
    bool handshakeDone;
    FrameKind kind;
    std::size_t size;
    bool allowed;
  };
  const Case cases[] = {
      {Reader::kHost, false, FrameKind::kHello, 21, true},
      {Reader::kHost, true, FrameKind::kHello, 21, false},     // a second hello
      {Reader::kHost, false, FrameKind::kData, 3, false},      // data before the handshake
      {Reader::kHost, true, FrameKind::kData, 3, true},
      {Reader::kHost, true, FrameKind::kData, 0, false},       // an empty block
      {Reader::kHost, false, FrameKind::kWelcome, 22, false},  // a welcome from a client
      {Reader::kHost, true, FrameKind::kRefuse, 1, false},     // a refuse from a client
      {Reader::kJoiner, false, FrameKind::kWelcome, 22, true},
      {Reader::kJoiner, false, FrameKind::kRefuse, 1, true},
      {Reader::kJoiner, true, FrameKind::kWelcome, 22, false},
      {Reader::kJoiner, false, FrameKind::kData, 3, false},
      {Reader::kJoiner, true, FrameKind::kData, 3, true},
      {Reader::kJoiner, false, FrameKind::kHello, 21, false},
      {Reader::kHost, true, FrameKind(9), 1, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FrameViolation(c.reader, c.handshakeDone, c.kind, c.size) == nullptr, c.allowed)
        << int(c.reader) << " " << c.handshakeDone << " kind " << int(c.kind);
  }
}

TEST(NetFrameReaderTest, AStreamSplitAnywhereGivesTheSameFrames) {
  const Bytes block(300, 0x5A);
  const Bytes stream = Join({EncodeHello(kApplicationId), EncodeData(Bytes{1}), EncodeData(block),
                             EncodeWelcome({kOtherId, "x"}), EncodeRefuse(RefuseReason::kFull)});
  const std::vector<Frame> expected = {{FrameKind::kHello, Payload(EncodeHello(kApplicationId))},
                                       {FrameKind::kData, Bytes{1}},
                                       {FrameKind::kData, block},
                                       {FrameKind::kWelcome, Payload(EncodeWelcome({kOtherId, "x"}))},
                                       {FrameKind::kRefuse, Bytes{3}}};
  bool broken = false;
  EXPECT_EQ(Cut(stream, {}, &broken), expected);
  for (std::size_t split = 1; split < stream.size(); ++split) {
    ASSERT_EQ(Cut(stream, {split}, &broken), expected) << "split at " << split;
    ASSERT_FALSE(broken);
  }
  std::vector<std::size_t> bytewise(stream.size(), 1);
  EXPECT_EQ(Cut(stream, bytewise, &broken), expected);
}

TEST(NetFrameReaderTest, ABadHeaderBreaksTheStreamAtItsLastByte) {
  struct Case {
    const char* what;
    Bytes stream;
    std::size_t brokenAfter;  // bytes taken when it broke
  };
  const Case cases[] = {
      {"length 0", {0, 0, 0, 0, 4, 1}, 4},
      {"length 0xFFFFFFFF", {0xFF, 0xFF, 0xFF, 0xFF, 4}, 4},
      {"length 1026", {0x02, 0x04, 0, 0, 4}, 4},
      {"unknown kind", {2, 0, 0, 0, 5, 1}, 5},
      {"kind 0", {2, 0, 0, 0, 0, 1}, 5},
  };
  for (const Case& c : cases) {
    FrameReader reader;
    const FrameReader::Fed fed = reader.Feed(c.stream);
    EXPECT_EQ(fed.status, FrameReader::Status::kBroken) << c.what;
    EXPECT_EQ(fed.used, c.brokenAfter) << c.what;
    EXPECT_FALSE(reader.error().empty()) << c.what;
    EXPECT_EQ(reader.Feed(EncodeData(Bytes{1})).status, FrameReader::Status::kBroken) << c.what;
  }
}

TEST(NetFrameReaderTest, HalfAFrameIsHeldUntilTheRestComes) {
  const Bytes frame = EncodeData(Bytes(10, 1));
  FrameReader reader;
  FrameReader::Fed fed = reader.Feed({frame.data(), 7});
  EXPECT_EQ(fed.status, FrameReader::Status::kPartial);
  EXPECT_TRUE(reader.Partial());
  fed = reader.Feed({frame.data() + 7, frame.size() - 7});
  EXPECT_EQ(fed.status, FrameReader::Status::kFrame);
  EXPECT_FALSE(reader.Partial());
  EXPECT_EQ(reader.payload().size(), 10u);
}

}  // namespace
}  // namespace plat::net
