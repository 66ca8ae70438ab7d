// What a screen flush costs the host on the viewer's side, each beside its
// baseline in the same run:
//   ViewerRepaint     SendMessageA(1126) to a headless viewer, which copies
//                     the 320x240 shared block before it answers
//   ViewerQuery       a send the viewer answers without copying anything
//   FrameMemcpy       one memcpy of the block's 307200 bytes
// The viewer runs in an instance of its own and is closed at the end.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host/companion_records.h"
#include "platform/sys/process.h"
#include "platform/sys/shm.h"
#include "platform/win/win.h"
#include "viewer/companion_queries.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr std::size_t kBytes = std::size_t(kWidth) * kHeight * 4;

plat::HWND viewer = nullptr;
void* block = nullptr;

bool StartViewer() {
  const std::string instance = "bench-companions-" + std::to_string(getpid());
  setenv("TOVSIM_INSTANCE", instance.c_str(), 1);
  setenv("TOVSIM_HEADLESS", "1", 1);
  plat::FileMapping* mapping = plat::CreateFileMappingA("共享内存", kBytes);
  block = mapping ? plat::MapViewOfFile(mapping) : nullptr;
  if (!block) return false;
  std::memset(block, 0x5A, kBytes);
  const std::string command = std::string(LCD_PROGRAM) + " 320 240 --headless";
  if (plat::WinExec(command.c_str(), plat::SW_HIDE) != plat::WINEXEC_STARTED) return false;
  viewer = plat::FindWindowA(kLcdClass, kLcdTitle);
  return viewer != nullptr;
}

void ViewerRepaint(benchmark::State& state) {
  for (auto _ : state) {
    if (plat::SendMessageA(viewer, kLcdRepaintMessage, 0, 0) != 1) {
      state.SkipWithError("the viewer did not copy the frame");
      break;
    }
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kBytes));
}
BENCHMARK(ViewerRepaint)->UseRealTime();

void ViewerQuery(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(plat::SendMessageA(viewer, kLcdQueryFrameCount, 0, 0));
  }
}
BENCHMARK(ViewerQuery)->UseRealTime();

void FrameMemcpy(benchmark::State& state) {
  std::vector<unsigned char> copy(kBytes);
  for (auto _ : state) {
    std::memcpy(copy.data(), block, kBytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kBytes));
}
BENCHMARK(FrameMemcpy);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (!StartViewer()) {
    std::fprintf(stderr, "cannot start the viewer %s\n", LCD_PROGRAM);
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  plat::SendMessageA(viewer, plat::WM_CLOSE, 0, 0);
  benchmark::Shutdown();
  return 0;
}
