// Message costs, each beside its baseline in the same run:
//   RawSocketPingPong     one 40-byte packet there and back between two
//                         processes over a SOCK_SEQPACKET socket pair
//   CrossProcessSend      SendMessageA to a window of another process
//   CrossProcessPost      PostMessageA to a window of another process
//   InProcessPostAndGet   PostMessageA to the own thread, then GetMessageA
// The window peer is the window tests' peer program; the raw peer is forked
// before any benchmark thread exists.

#include <benchmark/benchmark.h>

#include "bench/echo_peer.h"
#include "platform/win/win.h"
#include "tests/platform/win/peer_protocol.h"
#include "tests/support/child_process.h"
#include "tests/support/test_instance.h"

using namespace plat;
using plat::testing::kPeerClass;
using plat::testing::kPeerTitle;

namespace {

bench::EchoPeer rawPeer;

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
  // The peer answers wParam * 2 + lParam: with wParam 0, the count goes up.
  LPARAM value = 0;
  for (auto _ : state) value = SendMessageA(peer, plat::testing::kPeerEcho, 0, value + 1);
  if (value != LPARAM(state.iterations())) state.SkipWithError("wrong results");
}
BENCHMARK(CrossProcessSend)->UseRealTime();

void CrossProcessPost(benchmark::State& state) {
  HWND peer = FindWindowA(kPeerClass, kPeerTitle);
  if (!peer) {
    state.SkipWithError("window peer not found");
    return;
  }
  // Numbered across runs: the peer checks that each comes in its turn.
  static WPARAM posted = 0;
  for (auto _ : state) {
    if (!PostMessageA(peer, plat::testing::kPeerSequence, posted++, 0)) {
      state.SkipWithError("post failed");
    }
  }
  // A send comes after the posts on the same connection: its answer means
  // the peer has received them all, so the time covers the delivery.
  if (SendMessageA(peer, plat::testing::kPeerSequenceCount, 0, 0) < 0) {
    state.SkipWithError("the peer took posts out of order");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(CrossProcessPost)->UseRealTime();

void InProcessPostAndGet(benchmark::State& state) {
  MSG message;
  for (auto _ : state) {
    PostMessageA(nullptr, WM_USER, 0, 0);
    GetMessageA(&message, nullptr, 0, 0);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(InProcessPostAndGet)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  testsupport::TestInstance instance;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  testsupport::ChildProcess windowPeer;
  if (!rawPeer.Start() || !windowPeer.Start({WIN_PEER}, testsupport::AwaitReady())) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
