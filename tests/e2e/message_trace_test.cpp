// What reaches the application, read from the host's message trace: the
// forwarded character against a raw WM_CHAR, and F2 staying pending on the
// Desktop until the queue is cleared.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/message_trace.h"
#include "tests/e2e/sim_run.h"

namespace e2e {
namespace {

using ::testing::ElementsAre;
using ::testing::Field;
using ::testing::SizeIs;

constexpr uint32_t kKeyDown = 256;
constexpr uint32_t kChar = 258;
constexpr uint32_t kEscape = 27;
constexpr uint32_t kSpace = 32;
constexpr uint32_t kDown = 40;
constexpr uint32_t kF2 = 113;

auto Is(uint32_t type, uint32_t wParam) {
  return AllOf(Field(&TracedMessage::type, type), Field(&TracedMessage::wParam, wParam));
}

// F2 key-downs taken after the last Down (all of them before any Down).
size_t F2sAfterDown(const std::vector<TracedMessage>& trace) {
  const std::vector<size_t> down = FindAll(trace, kKeyDown, kDown);
  const size_t from = down.empty() ? 0 : down.back() + 1;
  return std::ranges::count_if(FindAll(trace, kKeyDown, kF2),
                               [from](size_t at) { return at >= from; });
}

class MessageTraceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(run_.StartHostIdle({}, {"TOVSIM_TRACE_MSG=1"}));
  }
  void Simctl(const std::vector<std::string>& args) {
    const RunResult result = run_.Simctl(args);
    ASSERT_EQ(result.exitCode, 0) << args[0] << ": " << result.err;
  }
  // Ends the Desktop with Escape and returns what the application took.
  std::vector<TracedMessage> TraceAfterEscape() {
    EXPECT_EQ(run_.Simctl({"key", "Escape"}).exitCode, 0);
    EXPECT_EQ(run_.WaitHost(), 1);
    return ParseTrace(run_.HostStderr());
  }

  SimRun run_;
};

TEST_F(MessageTraceTest, OnlyTheForwardedCharacterReachesTheApplication) {
  Simctl({"type", "A"});
  // A raw WM_CHAR is the window's own business; a raw key-down is queued,
  // which also shows that the posts before it were handled.
  Simctl({"post", "258", "65", "1"});
  Simctl({"post", "256", "32", "0x00390001"});
  const std::vector<TracedMessage> trace = TraceAfterEscape();
  EXPECT_THAT(trace, ElementsAre(TracedMessage{kChar, 'A', 1},
                                 TracedMessage{kKeyDown, kSpace, 0x00390001},
                                 Is(kKeyDown, kEscape)));
}

TEST_F(MessageTraceTest, F2RepeatsOnTheDesktopUntilEscapeEndsIt) {
  // No wait-idle while F2 is pending: the Desktop takes it again and again.
  // F2 goes back into the ring only after it was taken, so a key that comes
  // in between may pass it; each key is sent once the trace shows F2 again.
  Simctl({"key", "F2"});
  ASSERT_TRUE(run_.AwaitHostStderr(
      [](const std::string& text) { return F2sAfterDown(ParseTrace(text)) >= 2; }));
  Simctl({"key", "Down"});
  ASSERT_TRUE(run_.AwaitHostStderr([](const std::string& text) {
    const std::vector<TracedMessage> trace = ParseTrace(text);
    return !FindAll(trace, kKeyDown, kDown).empty() && F2sAfterDown(trace) >= 1;
  }));

  const std::vector<TracedMessage> trace = TraceAfterEscape();
  SCOPED_TRACE(RunLengths(trace));
  const std::vector<size_t> f2 = FindAll(trace, kKeyDown, kF2);
  const std::vector<size_t> down = FindAll(trace, kKeyDown, kDown);
  ASSERT_THAT(down, SizeIs(1));
  ASSERT_GE(f2.size(), 3u);
  EXPECT_LT(f2.front(), down[0]);
  EXPECT_GT(f2.back(), down[0]);
  // Escape is taken and ends the Desktop: nothing comes after it.
  ASSERT_FALSE(trace.empty());
  EXPECT_THAT(trace.back(), Is(kKeyDown, kEscape));
  EXPECT_THAT(FindAll(trace, kKeyDown, kEscape), SizeIs(1));
  EXPECT_EQ(f2.size() + 2, trace.size());
}

TEST(MessageTraceOffTest, NoTraceWithoutTheSwitch) {
  SimRun run;
  ASSERT_TRUE(run.StartHostIdle());
  ASSERT_EQ(run.Simctl({"key", "Escape"}).exitCode, 0);
  EXPECT_EQ(run.WaitHost(), 1);
  EXPECT_THAT(ParseTrace(run.HostStderr()), SizeIs(0));
}

}  // namespace
}  // namespace e2e
