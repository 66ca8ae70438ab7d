// Pieces of the window layer that need no threads: the timer list, key
// translation and the wire format.

#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>

#include "platform/win/keyboard.h"
#include "platform/win/timer_list.h"
#include "platform/win/wire.h"

namespace plat {
namespace {

HWND Window(uintptr_t n) { return reinterpret_cast<HWND>(n); }

TEST(TimerListTest, DueTicksComeOnePerTimerMostOverdueFirst) {
  TimerList timers;
  MessageFilter any;
  timers.Set(Window(1), 7, 1, 0);  // raised to 10 ms
  timers.Set(Window(2), 8, 25, 0);
  EXPECT_EQ(timers.NextDue(any), 10);
  MSG m{};
  EXPECT_FALSE(timers.TakeDue(9, any, true, &m));
  // At 57 both are late; window 1's tick (due 10) is older than window 2's (25).
  ASSERT_TRUE(timers.TakeDue(57, any, true, &m));
  EXPECT_EQ(m.hwnd, Window(1));
  EXPECT_EQ(m.message, WM_TIMER);
  EXPECT_EQ(m.wParam, 7u);
  ASSERT_TRUE(timers.TakeDue(57, any, true, &m));
  EXPECT_EQ(m.hwnd, Window(2));
  EXPECT_FALSE(timers.TakeDue(57, any, true, &m)) << "missed periods merged into one tick";
  EXPECT_EQ(timers.NextDue(any), 60) << "window 1 keeps its 10 ms phase";
  EXPECT_EQ(timers.NextDue(MessageFilter{Window(2)}), 75);
}

TEST(TimerListTest, LookingDoesNotTakeAndFiltersAreHonoured) {
  TimerList timers;
  timers.Set(Window(1), 1, 100, 0);
  MSG m{};
  ASSERT_TRUE(timers.TakeDue(100, MessageFilter{}, false, &m));
  ASSERT_TRUE(timers.TakeDue(100, MessageFilter{}, false, &m));
  EXPECT_FALSE(timers.TakeDue(100, MessageFilter{Window(2)}, true, &m));
  EXPECT_FALSE(timers.TakeDue(100, MessageFilter{nullptr, WM_KEYDOWN, WM_CHAR}, true, &m));
  EXPECT_EQ(timers.NextDue(MessageFilter{nullptr, WM_KEYDOWN, WM_CHAR}), kNoDeadline);
  EXPECT_TRUE(timers.TakeDue(100, MessageFilter{Window(1), WM_TIMER, WM_TIMER}, true, &m));
}

TEST(TimerListTest, ResetRestartsTheIntervalAndKillRemoves) {
  TimerList timers;
  timers.Set(Window(1), 1, 100, 0);
  timers.Set(Window(1), 1, 300, 50);
  EXPECT_EQ(timers.NextDue(MessageFilter{}), 350);
  timers.Set(Window(1), 2, 20, 50);
  EXPECT_TRUE(timers.Kill(Window(1), 2));
  EXPECT_FALSE(timers.Kill(Window(1), 2));
  timers.KillAll(Window(1));
  EXPECT_EQ(timers.NextDue(MessageFilter{}), kNoDeadline);
}

class KeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetKeyState(); }
  void TearDown() override { ResetKeyState(); }
  void Press(int key) { NoteKeyMessage(MSG{nullptr, WM_KEYDOWN, WPARAM(key), 0, 0, {}}); }
  void Release(int key) { NoteKeyMessage(MSG{nullptr, WM_KEYUP, WPARAM(key), 0, 0, {}}); }
};

TEST_F(KeyboardTest, CharactersFollowShiftAndCapsLock) {
  EXPECT_EQ(CharacterForKey('A'), 'a');
  EXPECT_EQ(CharacterForKey('7'), '7');
  Press(VK_SHIFT);
  EXPECT_EQ(CharacterForKey('A'), 'A');
  EXPECT_EQ(CharacterForKey('1'), '!');
  EXPECT_EQ(CharacterForKey('0'), ')');
  Release(VK_SHIFT);
  Press(VK_CAPITAL);
  Release(VK_CAPITAL);
  EXPECT_EQ(CharacterForKey('Z'), 'Z');
  Press(VK_SHIFT);
  EXPECT_EQ(CharacterForKey('Z'), 'z');
  EXPECT_EQ(CharacterForKey('5'), '%') << "caps lock leaves digits alone";
}

TEST_F(KeyboardTest, ControlCharactersAndKeysWithoutCharacters) {
  EXPECT_EQ(CharacterForKey(VK_RETURN), 13);
  EXPECT_EQ(CharacterForKey(VK_ESCAPE), 27);
  EXPECT_EQ(CharacterForKey(VK_BACK), 8);
  EXPECT_EQ(CharacterForKey(VK_SPACE), ' ');
  EXPECT_EQ(CharacterForKey(VK_NUMPAD0 + 4), '4');
  for (int key : {37, 38, 39, 40, 113, VK_SHIFT, 0, 255}) EXPECT_EQ(CharacterForKey(key), 0) << key;
}

TEST_F(KeyboardTest, KeyStateDownBitAndToggle) {
  EXPECT_EQ(GetKeyState('X'), 0);
  Press('X');
  EXPECT_LT(GetKeyState('X'), 0);
  EXPECT_EQ(GetKeyState('X') & 1, 1);
  Press('X');  // auto-repeat: no second toggle
  Release('X');
  EXPECT_EQ(GetKeyState('X'), 1);
  Press('X');
  Release('X');
  EXPECT_EQ(GetKeyState('X'), 0);
  EXPECT_EQ(GetKeyState(-1), 0);
  EXPECT_EQ(GetKeyState(300), 0);
  NoteKeyMessage(MSG{nullptr, WM_KEYDOWN, 0x1234, 0, 0, {}});  // out of range: ignored
}

std::vector<uint8_t> Encode(const WireHeader& header, size_t extra = 0) {
  std::vector<uint8_t> bytes(sizeof header + extra, 0xAB);
  std::memcpy(bytes.data(), &header, sizeof header);
  return bytes;
}

WireHeader Valid(WireKind kind, uint32_t message, uint32_t dataSize = 0) {
  return WireHeader{kWireMagic, static_cast<uint16_t>(kind), 0, 9, message, 1, 2, dataSize, 0};
}

TEST(WireTest, DecodeAcceptsWellFormedFrames) {
  auto post = Encode(Valid(WireKind::kPost, WM_USER));
  auto frame = DecodeFrame(post);
  ASSERT_TRUE(frame) << frame.error().Text();
  EXPECT_EQ(frame->header.sequence, 9u);
  EXPECT_TRUE(frame->data.empty());
  auto copy = Encode(Valid(WireKind::kSend, WM_COPYDATA, 3), 3);
  frame = DecodeFrame(copy);
  ASSERT_TRUE(frame) << frame.error().Text();
  EXPECT_EQ(frame->data, (std::vector<uint8_t>{0xAB, 0xAB, 0xAB}));
}

TEST(WireTest, DecodeRejectsMalformedFramesNamingTheField) {
  auto good = Encode(Valid(WireKind::kSend, WM_USER));
  WireHeader badMagic = Valid(WireKind::kSend, WM_USER);
  badMagic.magic ^= 1;
  WireHeader badKind = Valid(WireKind::kSend, WM_USER);
  badKind.kind = 4;
  WireHeader zeroKind = Valid(WireKind::kSend, WM_USER);
  zeroKind.kind = 0;
  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
    std::size_t offset;
  } cases[] = {
      {"short", std::vector<uint8_t>(good.begin(), good.end() - 1), 0},
      {"empty", {}, 0},
      {"bad magic", Encode(badMagic), 0},
      {"bad kind", Encode(badKind), 4},
      {"zero kind", Encode(zeroKind), 4},
      {"size mismatch", Encode(Valid(WireKind::kSend, WM_COPYDATA, 4), 3), 32},
      {"data on a plain send", Encode(Valid(WireKind::kSend, WM_USER, 2), 2), 32},
      {"posted WM_COPYDATA", Encode(Valid(WireKind::kPost, WM_COPYDATA)), 12},
      {"oversized", Encode(Valid(WireKind::kSend, WM_COPYDATA, kMaxCopyData + 1), kMaxCopyData + 1), 0},
  };
  for (const auto& c : cases) {
    const auto frame = DecodeFrame(c.bytes);
    ASSERT_FALSE(frame) << c.what;
    EXPECT_EQ(frame.error().offset, c.offset) << c.what << ": " << frame.error().Text();
  }
}

TEST(WireTest, FramesCrossASocketWholeAndEndIsReported) {
  int pair[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_SEQPACKET, 0, pair), 0);
  WireFrame frame;
  EXPECT_EQ(ReceiveFrame(pair[1], &frame), WireStatus::kWouldBlock);
  std::vector<uint8_t> data(kMaxCopyData, 0x5A);
  ASSERT_EQ(SendFrame(pair[0], Valid(WireKind::kSend, WM_COPYDATA, kMaxCopyData), data.data(), true),
            WireStatus::kOk);
  ASSERT_EQ(ReceiveFrame(pair[1], &frame), WireStatus::kOk);
  EXPECT_EQ(frame.data, data);
  const char junk[] = "junk";
  ASSERT_EQ(send(pair[0], junk, sizeof junk, 0), ssize_t(sizeof junk));
  EXPECT_EQ(ReceiveFrame(pair[1], &frame), WireStatus::kBad);
  close(pair[0]);
  EXPECT_EQ(ReceiveFrame(pair[1], &frame), WireStatus::kClosed);
  EXPECT_EQ(SendFrame(pair[1], Valid(WireKind::kPost, WM_USER), nullptr, true),
            WireStatus::kClosed);
  close(pair[1]);
}

}  // namespace
}  // namespace plat
