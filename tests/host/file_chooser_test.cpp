// The file chooser: its list, the movement rules, and whole runs on the
// screen driven by queued keys.

#include "host/file_chooser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <tuple>

#include "host/canvas.h"
#include "host/msg.h"
#include "host/text.h"
#include "platform/sys/msgbox.h"
#include "tests/support/host_screen.h"

namespace {

using testsupport::kBlack;
using testsupport::kWhite;
using testsupport::Pixels;
using testsupport::ScreenTest;
using testsupport::Snapshot;
using testsupport::WriteFile;

void QueueKeys(std::initializer_list<uint32_t> keys) {
  for (uint32_t key : keys) QueueMessage(MsgKeyDown, key, 0);
}

FileListPosition Move(FileListPosition p, uint32_t key, int32_t count, int times) {
  for (int i = 0; i < times; ++i) MoveFileSelection(&p, key, count);
  return p;
}

// From {selected, top}, `times` presses of a key in a list of `count` names.
TEST(FileSelectionTest, ArrowsAndPagesMoveWithinTheListAndScrollItIntoView) {
  struct Case {
    FileListPosition from;
    uint32_t key;
    int32_t count, times;
    FileListPosition to;
  } cases[] = {
      // Arrows stop at the first and the last name.
      {{1, 0}, kKeyUp, 3, 1, {1, 0}}, {{1, 0}, kKeyDown, 3, 5, {3, 0}}, {{3, 0}, kKeyUp, 3, 2, {1, 0}},
      // Down scrolls so that "[END]" shows under the last name, on the page's
      // last line when the last name is selected; up scrolls back.
      {{1, 0}, kKeyDown, 20, 13, {14, 0}}, {{1, 0}, kKeyDown, 20, 14, {15, 1}},
      {{1, 0}, kKeyDown, 20, 19, {20, 7}}, {{20, 7}, kKeyUp, 20, 13, {7, 7}},
      {{20, 7}, kKeyUp, 20, 14, {6, 6}},
      // Pages move by fifteen; past the end, the last name with its page shown;
      // a page starting above the list, the first name.
      {{1, 0}, kKeyPageDown, 40, 1, {15, 15}}, {{1, 0}, kKeyPageDown, 40, 2, {30, 30}},
      {{1, 0}, kKeyPageDown, 40, 3, {40, 30}}, {{1, 0}, kKeyPageDown, 10, 1, {10, 0}},
      {{30, 30}, kKeyPageUp, 40, 1, {15, 15}}, {{20, 3}, kKeyPageUp, 40, 1, {5, 0}},
      {{16, 10}, kKeyPageUp, 40, 1, {1, 0}}, {{5, 2}, kKeyPageUp, 40, 1, {1, 0}},
  };
  for (const Case& c : cases) {
    const FileListPosition p = Move(c.from, c.key, c.count, c.times);
    EXPECT_EQ(std::tuple(p.selected, p.top), std::tuple(c.to.selected, c.to.top))
        << "key " << c.key << " x" << c.times << " from " << c.from.selected << " of " << c.count;
  }
}

TEST(FileSelectionTest, AnyKeySequenceKeepsTheSelectionOnAVisibleName) {
  std::mt19937 random(20261205);
  const uint32_t keys[] = {kKeyUp, kKeyDown, kKeyPageUp, kKeyPageDown, kKeyLeft};
  for (int32_t count = 1; count <= 50; ++count) {
    FileListPosition p{1, 0};
    for (int step = 0; step < 300; ++step) {
      MoveFileSelection(&p, keys[random() % 5], count);
      ASSERT_GE(p.selected, 1);
      ASSERT_LE(p.selected, count);
      ASSERT_GE(p.top, 0);
      ASSERT_LE(p.top, p.selected);
      ASSERT_LE(p.selected - p.top, p.selected == count ? 13 : 14);
    }
  }
}

class FileChooserTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    MsgVctInit();
    MsgRingOpen();
    std::filesystem::create_directories(env.RootPath("Save/sub"));
    strcpy(out, "untouched");
  }
  // Whether the pixel at the screen's right edge on `line` is inverted.
  static bool LineMarked(int line) {
    return GetPixelColor(319, int16_t(line * 16 + 8), nullptr) == kBlack;
  }

  // Lines (16 pixels each) that hold any non-white pixel left of x 100.
  static int LinesWithText() {
    int lines = 0;
    for (int line = 0; line < 15; ++line) {
      lines += std::ranges::any_of(Pixels(nullptr, 0, 16 * line, 100, 16),
                                   [](uint32_t pixel) { return pixel != kWhite; });
    }
    return lines;
  }

  char out[1024];
};

TEST_F(FileChooserTest, ListsStartTheNamesAndEnd) {
  for (const char* name : {"b.sav", "a.sav", "c.sav", "d.txt"})
    WriteFile(env.RootPath("Save/") + name, "x");
  int32_t count = 0;
  FileEntry* list = MakeFileList("..\\Save\\*.sav", &count);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(count, 3);
  EXPECT_STREQ(list[0], "[START]");
  EXPECT_STREQ(list[1], "a.sav");
  EXPECT_STREQ(list[2], "b.sav");
  EXPECT_STREQ(list[3], "c.sav");
  EXPECT_STREQ(list[4], "[END]");
  std::free(list);
  EXPECT_EQ(MakeFileList("..\\Save\\*.none", &count), nullptr);
  EXPECT_EQ(count, 0);
}

TEST_F(FileChooserTest, WithoutMatchesEnterLeavesTheResultAndTheMessageShows) {
  QueueKeys({kKeyDown, kKeyEnter});
  FileChooser("..\\Save\\", "sav", out);
  EXPECT_STREQ(out, "untouched");

  Canvas* expected = CanvasCreate();
  CanvasClear(expected);
  DrawText(0, 0, "No such files, or error path!", expected);
  EXPECT_TRUE(Snapshot() == Pixels(expected, 0, 0, 320, 240));
  CanvasFree(expected);
  EXPECT_GT(LinesWithText(), 0);
}

TEST_F(FileChooserTest, EnterChoosesTheMarkedNameAndArrowsStayInTheList) {
  for (const char* name : {"a.sav", "b.sav", "c.sav"}) WriteFile(env.RootPath("Save/") + name, "x");
  QueueKeys({kKeyUp, kKeyDown, kKeyDown, kKeyDown, kKeyDown, kKeyUp, kKeyEnter});
  FileChooser("..\\Save\\", "sav", out);
  EXPECT_STREQ(out, "..\\Save\\b.sav");
  // "[START]", three names and "[END]"; the bar on the second name.
  EXPECT_EQ(LinesWithText(), 5);
  EXPECT_FALSE(LineMarked(1));
  EXPECT_TRUE(LineMarked(2));
  EXPECT_FALSE(LineMarked(3));
  EXPECT_EQ(MsgPendingCount(), 0);
}

TEST_F(FileChooserTest, EscapeAndF2LeaveTheResultUntouched) {
  WriteFile(env.RootPath("Save/a.sav"), "x");
  QueueKeys({kKeyDown, kKeyEscape});
  FileChooser("..\\Save\\", "sav", out);
  EXPECT_STREQ(out, "untouched");

  QueueKeys({kKeyF2});
  FileChooser("..\\Save\\", "sav", out);
  EXPECT_STREQ(out, "untouched");
  // F2 stays pending for the caller's own loop.
  Message pending;
  ASSERT_EQ(GetMsg(&pending), 1);
  EXPECT_EQ(pending.wParam, kKeyF2);
}

TEST_F(FileChooserTest, TheTreeDescendsIntoFoldersUntilAFileIsChosen) {
  WriteFile(env.RootPath("Save/sub/x.sav"), "x");
  WriteFile(env.RootPath("Save/top.txt"), "x");
  // ".", "..", "sub", "top.txt"; then inside sub: ".", "..", "x.sav".
  QueueKeys({kKeyDown, kKeyDown, kKeyEnter, kKeyDown, kKeyDown, kKeyEnter});
  EXPECT_EQ(FileChooserTree("..\\Save\\", out), 0);
  EXPECT_STREQ(out, "..\\Save\\sub\\x.sav");
}

TEST_F(FileChooserTest, TheTreeGivesAFileChosenFirstAndNothingWhenLeft) {
  WriteFile(env.RootPath("Save/top.txt"), "x");
  QueueKeys({kKeyDown, kKeyDown, kKeyDown, kKeyEnter});
  FileChooserTree("..\\Save\\", out);
  EXPECT_STREQ(out, "..\\Save\\top.txt");

  QueueKeys({kKeyDown, kKeyDown, kKeyEnter, kKeyEscape});
  FileChooserTree("..\\Save\\", out);
  EXPECT_STREQ(out, "");
}

}  // namespace
