// An idle simulator does not run at all: once the Desktop waits for input,
// no thread of the host, the viewer or the sound player is scheduled.

#include <gtest/gtest.h>
#include <time.h>

#include "tests/e2e/sim_run.h"
#include "tests/e2e/thread_activity.h"

namespace e2e {
namespace {

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

TEST(IdleCpuTest, IdleDesktopAndCompanionsStaySilent) {
  SimRun run;
  ASSERT_TRUE(run.StartCompanions());
  ASSERT_TRUE(run.StartHostIdle());
  const std::vector<pid_t> pids{run.HostPid(), run.viewer().pid(), run.player().pid()};

  const std::optional<ActivitySample> before = AwaitQuiet(pids, 10000);
  ASSERT_TRUE(before) << "the threads did not all fall asleep";
  ASSERT_EQ(before->cpuTicks.size(), pids.size());
  // Not a wait for something to happen: everything sleeps already. This is
  // the length of real time over which we watch that nothing wakes up.
  const timespec window{0, 300'000'000};
  nanosleep(&window, nullptr);
  const ActivitySample after = SampleActivity(pids);

  EXPECT_EQ(Lines(DescribeActivity(*before, after)), "");
}

}  // namespace
}  // namespace e2e
