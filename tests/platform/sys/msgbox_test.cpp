#include "platform/sys/msgbox.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "tests/support/scratch.h"

namespace plat {
namespace {

class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetHeadless(true);
    ClearRecordedMessageBoxes();
  }
};

TEST_F(MessageBoxTest, HeadlessBoxIsPrintedAndRecorded) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxA(nullptr, "Can not call Snd Proc!", nullptr, MB_OK), IDOK);
  EXPECT_EQ(MessageBoxA(nullptr, "内存不足", "提示", MB_ICONERROR), IDOK);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Error: Can not call Snd Proc!\n"
            "\xE6\x8F\x90\xE7\xA4\xBA: \xE5\x86\x85\xE5\xAD\x98\xE4\xB8\x8D\xE8\xB6\xB3\n");

  std::vector<RecordedMessageBox> shown = RecordedMessageBoxes();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, "Can not call Snd Proc!");
  EXPECT_EQ(shown[0].caption, "Error");
  EXPECT_EQ(shown[1].text, "内存不足") << "recorded as the GB2312 bytes passed";
  EXPECT_EQ(shown[1].caption, "提示");
  EXPECT_EQ(shown[1].type, MB_ICONERROR);

  ClearRecordedMessageBoxes();
  EXPECT_TRUE(RecordedMessageBoxes().empty());
}

TEST_F(MessageBoxTest, HeadlessBoxAnswersWithItsDefaultButton) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxA(nullptr, "q", "c", MB_YESNO), IDYES);
  EXPECT_EQ(MessageBoxA(nullptr, "q", "c", MB_YESNO | MB_DEFBUTTON2), IDNO);
  EXPECT_EQ(MessageBoxA(nullptr, "q", "c", MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
  EXPECT_EQ(MessageBoxA(nullptr, "q", "c", MB_OK | MB_DEFBUTTON3), IDOK) << "no third button";
  EXPECT_EQ(MessageBoxA(nullptr, nullptr, nullptr, 0xF), IDOK) << "unknown button set, no text";
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(RecordedMessageBoxes().size(), 5u);
  EXPECT_EQ(RecordedMessageBoxes().back().text, "");
}

TEST_F(MessageBoxTest, HeadlessCanBeForcedEitherWay) {
  SetHeadless(false);
  EXPECT_FALSE(IsHeadless());
  SetHeadless(true);
  EXPECT_TRUE(IsHeadless());
}

// With a display, a stand-in for the message-box program: it keeps its
// arguments beside itself and exits with the status it is given.
class BoxProgramTest : public MessageBoxTest {
 protected:
  void TearDown() override {
    SetMessageBoxProgram("");
    SetHeadless(true);
  }
  void UseProgram(int status) {
    ASSERT_TRUE(testsupport::WriteFile(
        program_, "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.args\"\nexit " +
                      std::to_string(status) + "\n"));
    ASSERT_EQ(chmod(program_.c_str(), 0755), 0);
    SetMessageBoxProgram(program_);
    SetHeadless(false);
  }
  std::string Arguments() const { return testsupport::ReadFile(program_ + ".args"); }

  testsupport::ScratchDir scratch_;
  const std::string program_ = scratch_ / "msgbox";
};

TEST_F(BoxProgramTest, TheProgramShowsTheBoxAndAnswersWithTheButtonPressed) {
  UseProgram(IDNO);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxA(nullptr, "内存不足", "提示", MB_YESNO | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "a box shown is not echoed";
  // The type in decimal, then caption and text in UTF-8.
  EXPECT_EQ(Arguments(), "36\n\xE6\x8F\x90\xE7\xA4\xBA\n"
                         "\xE5\x86\x85\xE5\xAD\x98\xE4\xB8\x8D\xE8\xB6\xB3\n");
  ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
  EXPECT_EQ(RecordedMessageBoxes()[0].text, "内存不足");
}

TEST_F(BoxProgramTest, NoBoxShownOrNoProgramLeavesTheTextOnStderr) {
  // 0: no box could be shown; IDCANCEL is not a button of MB_YESNO.
  for (int status : {0, IDCANCEL}) {
    UseProgram(status);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBoxA(nullptr, "q", "c", MB_YESNO | MB_DEFBUTTON2), IDNO) << status;
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "c: q\n") << status;
  }
  SetMessageBoxProgram(scratch_ / "missing");
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxA(nullptr, "q", "c", MB_OKCANCEL), IDOK);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "c: q\n");
  EXPECT_EQ(RecordedMessageBoxes().size(), 3u);
}

}  // namespace
}  // namespace plat
