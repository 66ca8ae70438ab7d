#include "desktop/testapp/test_app.h"

#include <cstdio>
#include <cstring>

#include "host/app_registry.h"
#include "host/device_api.h"
#include "host/msg.h"
#include "platform/sys/msgbox.h"

namespace {

// The package lies next to the Desktop's pictures, found from the host
// program's folder so that the run tree works wherever it is.
constexpr char kPackagePath[] = "..\\AppEntry\\resource.dat";
constexpr uint32_t kSceneImage = 691456;
constexpr uint32_t kGemImage = 921920;
constexpr uint32_t kTimerId = 1;
constexpr uint32_t kTimerMs = 100;
constexpr uint32_t kTextSize = 100;

struct SoundKey {
  uint32_t key;
  int32_t op;
  int32_t channel;
  int32_t loops;
  const char* path;
};

// Channel 0 plays the music, 1 and 2 the two sound effects; ops 1, 2 and 3
// act on what the channel plays.
constexpr SoundKey kSoundKeys[] = {
    {'Q', 0, 0, -1, "..\\AppEntry\\Tunebox.mid"},
    {'W', 1, 0, 0, nullptr},
    {'A', 0, 1, 1, "..\\AppEntry\\get.WAV"},
    {'S', 1, 1, 0, nullptr},
    {'D', 2, 1, 0, nullptr},
    {'F', 3, 1, 0, nullptr},
    {'G', 0, 2, 2, "..\\AppEntry\\track06.WAV"},
    {'H', 1, 2, 0, nullptr},
    {'J', 2, 2, 0, nullptr},
    {'K', 3, 2, 0, nullptr},
};

void DrawPackagePictures(void* package) {
  ImageRef image{};
  if (ResLoadImage(&image, 0, kSceneImage, package)) {
    DrawImage(150, 180, 60, 60, 110, 160, image, nullptr, 0);
  }
  if (ResLoadImage(&image, 0, kGemImage, package)) {
    DrawImage(100, 100, 28, 28, 0, 0, image, nullptr, 1);
  }
}

void PlaySoundKey(uint32_t key) {
  for (const SoundKey& entry : kSoundKeys) {
    if (entry.key == key) PlaySoundCmd(entry.op, entry.channel, entry.loops, entry.path);
  }
}

void PrintTick(char* text, int32_t* tickCount) {
  if (text) {
    std::snprintf(text, kTextSize, "timer counter = %d", int(*tickCount));
    DrawText(0, 40, text, nullptr);
  }
  ++*tickCount;
}

}  // namespace

void TestAppMain() {
  char packagePath[260 + sizeof kPackagePath];
  ModulePath(packagePath, kPackagePath);
  void* package = ResOpen(packagePath);
  DrawPackagePictures(package);
  DrawText(0, 0, "在测试程序中。", nullptr);
  DrawText(0, 16, "这里添加应用程序的实现代码。", nullptr);

  StartTimer(kTimerId, kTimerMs);
  char* text = static_cast<char*>(MemAlloc(kTextSize));
  int32_t tickCount = 0;

  Message message;
  bool escaped = false;
  while (!escaped && GetMsg(&message)) {
    if (message.type == MsgTimer) {
      PrintTick(text, &tickCount);
    } else if (message.type == MsgKeyDown) {
      escaped = message.wParam == kKeyEscape;
      PlaySoundKey(message.wParam);
    }
  }

  if (text) MemFree(text);
  StopTimer(kTimerId);
  if (escaped) plat::MessageBoxA(nullptr, "读档失败!", "提示", plat::MB_OK);
  // Closed here rather than left open: its block would otherwise be reported
  // as a leak when the host stops, and grow with every run.
  ResClose(package);
}

static const bool registered = RegisterApp("testapp", "测试程序", TestAppMain);
