// Message costs, each beside its baseline in the same run:
//   RawSocketPingPong     one 40-byte packet there and back between two
//                         processes over a SOCK_SEQPACKET socket pair
//   CrossProcessSend      SendMessageA to a window of another process
//   CrossProcessPost      PostMessageA to a window of another process
//   InProcessPostAndGet   PostMessageA to the own thread, then GetMessageA
// The peer processes are forked before any benchmark thread exists.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/echo_peer.h"
#include "platform/sys/program_env.h"
#include "platform/win/win.h"

using namespace plat;

namespace {

constexpr UINT kEcho = WM_USER + 1;
constexpr UINT kCount = WM_USER + 2;
constexpr const char* kPeerClass = "BenchPeer";
constexpr const char* kPeerTitle = "Peer";

bench::EchoPeer rawPeer;
pid_t windowPeer = -1;
long postsSeen = 0;

LRESULT PeerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kEcho) return static_cast<LRESULT>(wParam) + 1;
  if (message == kCount) return ++postsSeen;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

[[noreturn]] void RunWindowPeer(int readyFd) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = PeerProc;
  windowClass.lpszClassName = kPeerClass;
  RegisterClassA(&windowClass);
  HWND window = CreateWindowA(kPeerClass, kPeerTitle, 0, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                              nullptr);
  char ready = window ? 1 : 0;
  [[maybe_unused]] ssize_t n = write(readyFd, &ready, 1);
  close(readyFd);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0)) DispatchMessageA(&message);
  _exit(0);
}

bool StartPeers() {
  if (!rawPeer.Start()) return false;
  int ready[2];
  if (pipe(ready) != 0) return false;
  windowPeer = fork();
  if (windowPeer == 0) {
    close(ready[0]);
    RunWindowPeer(ready[1]);
  }
  close(ready[1]);
  char ok = 0;
  bool started = read(ready[0], &ok, 1) == 1 && ok == 1;
  close(ready[0]);
  return started && windowPeer > 0;
}

void StopPeers() {
  if (windowPeer <= 0) return;
  kill(windowPeer, SIGTERM);
  waitpid(windowPeer, nullptr, 0);
}

void RawSocketPingPong(benchmark::State& state) {
  for (auto _ : state) {
    if (!rawPeer.RoundTrip(40)) {
      state.SkipWithError("raw peer gone");
      break;
    }
  }
}
BENCHMARK(RawSocketPingPong)->UseRealTime();

void CrossProcessSend(benchmark::State& state) {
  HWND peer = FindWindowA(kPeerClass, kPeerTitle);
  if (!peer) {
    state.SkipWithError("window peer not found");
    return;
  }
  WPARAM value = 0;
  for (auto _ : state) {
    value = static_cast<WPARAM>(SendMessageA(peer, kEcho, value, 0));
  }
  if (value != static_cast<WPARAM>(state.iterations())) state.SkipWithError("wrong results");
}
BENCHMARK(CrossProcessSend)->UseRealTime();

void CrossProcessPost(benchmark::State& state) {
  HWND peer = FindWindowA(kPeerClass, kPeerTitle);
  if (!peer) {
    state.SkipWithError("window peer not found");
    return;
  }
  for (auto _ : state) {
    if (!PostMessageA(peer, kCount, 0, 0)) state.SkipWithError("post failed");
  }
  // Wait until the peer has taken them all, so the time covers the delivery.
  SendMessageA(peer, kEcho, 0, 0);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(CrossProcessPost)->UseRealTime();

void InProcessPostAndGet(benchmark::State& state) {
  MSG message;
  for (auto _ : state) {
    PostMessageA(nullptr, kCount, 0, 0);
    GetMessageA(&message, nullptr, 0, 0);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(InProcessPostAndGet)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  char runtime[] = "/tmp/tovsim-bench-XXXXXX";
  if (!mkdtemp(runtime)) return 1;
  setenv("XDG_RUNTIME_DIR", runtime, 1);
  setenv("TOVSIM_INSTANCE", "bench", 1);
  plat::ApplyProgramEnv(plat::ReadProgramEnv());
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  int status = 1;
  if (StartPeers()) {
    benchmark::RunSpecifiedBenchmarks();
    status = 0;
  }
  StopPeers();
  benchmark::Shutdown();
  std::error_code ignored;
  std::filesystem::remove_all(runtime, ignored);
  return status;
}
