#include "platform/sys/msgbox.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace plat
