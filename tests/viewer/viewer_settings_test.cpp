// The viewer's settings file: the round trip a restart makes, what a damaged
// file gives, the atomic write, and the command line winning.

#include "viewer/viewer_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/scratch.h"
#include "viewer/viewer_options.h"

namespace lcd {
namespace {

using testsupport::ScratchDir;

TEST(ViewerSettingsTest, AChangedSettingSurvivesARestart) {
  ScratchDir dir("settings");
  // The folder is made on the way, as on a first run.
  const std::string path = SettingsPath(dir.path(), "/home/nobody");
  EXPECT_EQ(path, dir / "tovsim/viewer.ini");
  std::string warning;
  EXPECT_EQ(LoadViewerSettings(path, &warning), ViewerSettings{});
  EXPECT_EQ(warning, "");

  ViewerSettings changed;
  changed.scale = 5;
  changed.x = -40;
  changed.y = 200;
  changed.fullscreen = true;
  changed.shotsDir = "/tmp/shots with blanks";
  changed.gamepad = {{"y", "f2"}, {"start", "none"}};
  std::string error;
  ASSERT_TRUE(SaveViewerSettings(path, changed, &error)) << error;
  EXPECT_FALSE(std::filesystem::exists(path + ".new"));
  EXPECT_EQ(LoadViewerSettings(path, &warning), changed);
  EXPECT_EQ(warning, "");

  // Written again over the old file.
  changed.x.reset();
  changed.y.reset();
  changed.fullscreen = false;
  ASSERT_TRUE(SaveViewerSettings(path, changed, &error)) << error;
  EXPECT_EQ(LoadViewerSettings(path, &warning), changed);
}

TEST(ViewerSettingsTest, ADamagedFileGivesTheDefaultsAndAWarning) {
  ScratchDir dir("settings");
  const char* damaged[] = {
      "[window]\nscale = 99\n",           // out of range
      "[window]\nscale = two\n",          // not a number
      "[window]\nfullscreen = yes\n",     // only 0 or 1
      "[window]\nscale = 3\nthis is not ini\n",
      "[window\nscale = 3\n",             // a broken section
      "[window]\nzoom = 3\n",             // an unknown key
      "[gamepad]\ntrigger = enter\n",     // no such button
      "[gamepad]\na = warp\n",            // no such key
      "\x01\x02\xff\xfe garbage",
  };
  for (const char* text : damaged) {
    const std::string path = dir.Write("viewer.ini", text);
    std::string warning;
    EXPECT_EQ(LoadViewerSettings(path, &warning), ViewerSettings{}) << text;
    EXPECT_NE(warning.find(path), std::string::npos) << text;
    EXPECT_NE(warning.find("default"), std::string::npos) << warning;
  }
  // A folder where the file should be cannot be read.
  std::string warning;
  std::filesystem::create_directory(dir / "folder.ini");
  EXPECT_EQ(LoadViewerSettings(dir / "folder.ini", &warning), ViewerSettings{});
  EXPECT_NE(warning, "");
}

TEST(ViewerSettingsTest, AFileThatCannotBeWrittenIsReportedAndNothingLeftBehind) {
  ScratchDir dir("settings");
  ViewerSettings changed;
  changed.scale = 4;
  std::string error;
  // Its folder cannot be made: a file stands in the way.
  const std::string blocker = dir.Write("blocker", "x");
  EXPECT_FALSE(SaveViewerSettings(blocker + "/tovsim/viewer.ini", changed, &error));
  EXPECT_NE(error.find("blocker"), std::string::npos) << error;
  // The file cannot be replaced: a folder with something in it is there.
  dir.Write("viewer.ini/keep", "x");
  error.clear();
  EXPECT_FALSE(SaveViewerSettings(dir / "viewer.ini", changed, &error));
  EXPECT_NE(error, "");
  EXPECT_FALSE(std::filesystem::exists(dir / "viewer.ini.new"));
  EXPECT_EQ(dir.Read("viewer.ini/keep"), "x");
}

TEST(ViewerSettingsTest, TheCommandLineWinsForTheRun) {
  ViewerSettings file;
  file.scale = 2;
  file.shotsDir = "/from/file";
  file.fullscreen = true;
  ViewerOptions options;
  EXPECT_EQ(ApplyOptions(file, options), file);
  options.scale = 6;
  options.shotsDir = "/from/cli";
  const ViewerSettings run = ApplyOptions(file, options);
  EXPECT_EQ(run.scale, 6);
  EXPECT_EQ(run.shotsDir, "/from/cli");
  EXPECT_TRUE(run.fullscreen);
}

TEST(ViewerSettingsTest, ThePathFollowsXdgThenHome) {
  EXPECT_EQ(SettingsPath("/cfg", "/home/me"), "/cfg/tovsim/viewer.ini");
  EXPECT_EQ(SettingsPath("", "/home/me"), "/home/me/.config/tovsim/viewer.ini");
  EXPECT_EQ(SettingsPath("relative", "/home/me"), "/home/me/.config/tovsim/viewer.ini");
  EXPECT_EQ(SettingsPath("", ""), "");
}

}  // namespace
}  // namespace lcd
