// A recorded run, driven with simctl as a user drives the viewer, replayed
// headless: the replay's frames are the screens saved at the marks during
// the recording, byte for byte.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/sim_run.h"
#include "tests/support/scratch.h"

namespace e2e {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  }
  return lines;
}

// The command of a recorded line, without its time.
std::string Command(const std::string& line) { return line.substr(line.find(' ') + 1); }

TEST(RecordReplayTest, AReplayOfARecordingShowsTheMarkedScreens) {
  testsupport::ScratchDir files("record");
  const std::string script = files / "run.replay";
  SimRun run;
  ASSERT_TRUE(run.StartHostIdle(
      {"--app", "testapp", "--record", script, "--frames", files / "recorded"}));
  const std::vector<std::vector<std::string>> steps = {
      {"key", "Z"},  {"type", "ok"}, {"click", "10", "20"}, {"dblclick", "30", "40"},
      {"mark", "m1"}, {"key", "X"},  {"keyup", "X"},        {"mark", "m2"}};
  for (const std::vector<std::string>& step : steps) {
    ASSERT_TRUE(run.Drive(step)) << step[0];
  }
  // Escape ends the application, and with it the recording.
  ASSERT_EQ(run.Simctl({"key", "Escape"}).exitCode, 0);
  EXPECT_EQ(run.WaitHost(), 0) << run.HostStderr();

  const std::vector<std::string> lines = Lines(files.Read("run.replay"));
  ASSERT_GE(lines.size(), 12u) << files.Read("run.replay");
  std::vector<std::string> commands;
  for (const std::string& line : lines) commands.push_back(Command(line));
  for (const char* expected : {"key z", "type o", "type k", "post 513 1 0x0014000A",
                               "post 515 1 0x0028001E", "frame m1.png", "keyup x",
                               "frame m2.png"}) {
    EXPECT_NE(std::find(commands.begin(), commands.end(), expected), commands.end())
        << expected << "\n" << files.Read("run.replay");
  }
  // The run ended with the input that ended it.
  EXPECT_EQ(commands.back(), "key escape");
  // Times never go back.
  for (std::size_t i = 1; i < lines.size(); ++i) {
    EXPECT_LE(std::stoll(lines[i - 1]), std::stoll(lines[i])) << lines[i];
  }

  const RunResult replay = testsupport::RunToEnd(
      {run.root() + "/bin/tovsim", "--app", "testapp", "--replay", script, "--frames",
       files / "replayed"});
  ASSERT_EQ(replay.exitCode, 0) << replay.err;
  for (const char* frame : {"recorded/m1.png", "recorded/m2.png"}) {
    const std::string recorded = files.Read(frame);
    ASSERT_FALSE(recorded.empty()) << frame;
    // Compared whole, without printing the bytes.
    EXPECT_TRUE(files.Read(std::string("replayed/") + (frame + 9)) == recorded) << frame;
  }
}

// A bad mark is refused; without a recording there is nothing to mark.
TEST(RecordReplayTest, MarksNeedARecordingAndAPlainName) {
  testsupport::ScratchDir files("record");
  {
    SimRun run;
    ASSERT_TRUE(run.StartHostIdle({"--app", "testapp", "--record", files / "a.replay"}));
    EXPECT_EQ(run.Simctl({"mark", "ok"}).exitCode, 0);
    EXPECT_EQ(run.Simctl({"mark", "ok"}).exitCode, 1);  // taken
    EXPECT_EQ(run.Simctl({"mark", "../up"}).exitCode, 1);
    EXPECT_EQ(run.Simctl({"mark", "two words"}).exitCode, 1);
    ASSERT_EQ(run.Simctl({"key", "Escape"}).exitCode, 0);
    EXPECT_EQ(run.WaitHost(), 0) << run.HostStderr();
  }
  SimRun plain;
  ASSERT_TRUE(plain.StartHostIdle({"--app", "testapp"}));
  EXPECT_EQ(plain.Simctl({"mark", "ok"}).exitCode, 1);
}

}  // namespace
}  // namespace e2e
