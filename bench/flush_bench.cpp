// What showing a frame costs the host, each beside its baselines in the same
// run:
//   FrameMemcpy            one memcpy of the 320x240x4 screen block
//   SocketPingPong         a 40-byte packet (one message header) there and
//                          back between two processes: the transport's floor
//   HeadlessQuery          a send the headless viewer answers at once
//   HeadlessRepaint        SendMessageA(1126) to a headless viewer, which
//                          copies the shared block before it answers
//   HeadlessFlushScreen    FlushScreen(): the back buffer into the shared
//                          block, then the repaint
//   ShownRepaint,          the same with the viewer's SDL window open; they
//   ShownFlushScreen       need a display and are skipped without one
// Targets: the headless ones within 3x (memcpy + ping-pong), the shown
// FlushScreen under 1 ms. The viewer runs in a private instance.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "bench/echo_peer.h"
#include "bench/targets.h"
#include "bench/viewer_session.h"
#include "host/lcd.h"
#include "platform/win/win.h"
#include "protocol/messages.h"

namespace {

constexpr std::size_t kFrameBytes = 320 * 240 * 4;
constexpr std::size_t kHeaderBytes = 40;

bench::EchoPeer echoPeer;

// One viewer at a time: the LCD module is the host's single screen.
std::unique_ptr<bench::ViewerSession> session;
bench::ViewerMode sessionMode;

bench::ViewerSession* Session(benchmark::State& state, bench::ViewerMode mode) {
  if (!session || sessionMode != mode) {
    session.reset();
    session = std::make_unique<bench::ViewerSession>(mode);
    sessionMode = mode;
  }
  if (!session->error().empty()) {
    state.SkipWithError(session->error().c_str());
    return nullptr;
  }
  return session.get();
}

void FrameMemcpy(benchmark::State& state) {
  std::vector<unsigned char> block(kFrameBytes, 0x5A), copy(kFrameBytes);
  for (auto _ : state) {
    std::memcpy(copy.data(), block.data(), kFrameBytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFrameBytes));
}
BENCHMARK(FrameMemcpy)->UseRealTime();

void SocketPingPong(benchmark::State& state) {
  for (auto _ : state) {
    if (!echoPeer.RoundTrip(kHeaderBytes)) {
      state.SkipWithError("the echo peer is gone");
      break;
    }
  }
}
BENCHMARK(SocketPingPong)->UseRealTime();

// Every repaint must have been copied by the viewer, not merely answered.
void CheckCopied(benchmark::State& state, const bench::ViewerSession& viewer, int64_t before) {
  if (viewer.FramesCopied() - before != int64_t(state.iterations())) {
    state.SkipWithError("the viewer copied fewer frames than were sent");
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFrameBytes));
}

void Repaint(benchmark::State& state, bench::ViewerMode mode) {
  bench::ViewerSession* viewer = Session(state, mode);
  if (!viewer) return;
  const int64_t before = viewer->FramesCopied();
  for (auto _ : state) {
    if (plat::SendMessageA(viewer->viewer(), kLcdRepaintMessage, 0, 0) != 1) {
      state.SkipWithError("the viewer did not copy the frame");
      return;
    }
  }
  CheckCopied(state, *viewer, before);
}

void Flush(benchmark::State& state, bench::ViewerMode mode) {
  bench::ViewerSession* viewer = Session(state, mode);
  if (!viewer) return;
  const int64_t before = viewer->FramesCopied();
  if (bench::FlushEveryIteration(state)) CheckCopied(state, *viewer, before);
}

void HeadlessQuery(benchmark::State& state) {
  bench::ViewerSession* viewer = Session(state, bench::ViewerMode::kHeadless);
  if (!viewer) return;
  for (auto _ : state) {
    benchmark::DoNotOptimize(plat::SendMessageA(viewer->viewer(), kLcdQueryFrameCount, 0, 0));
  }
}
BENCHMARK(HeadlessQuery)->UseRealTime();

void HeadlessRepaint(benchmark::State& state) { Repaint(state, bench::ViewerMode::kHeadless); }
BENCHMARK(HeadlessRepaint)->UseRealTime();

void HeadlessFlushScreen(benchmark::State& state) { Flush(state, bench::ViewerMode::kHeadless); }
BENCHMARK(HeadlessFlushScreen)->UseRealTime();

void ShownRepaint(benchmark::State& state) { Repaint(state, bench::ViewerMode::kShown); }
BENCHMARK(ShownRepaint)->UseRealTime();

void ShownFlushScreen(benchmark::State& state) { Flush(state, bench::ViewerMode::kShown); }
BENCHMARK(ShownFlushScreen)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  // Forked before the viewer sessions start any thread.
  if (!echoPeer.Start()) {
    std::fprintf(stderr, "cannot start the echo peer\n");
    return 1;
  }
  const std::vector<std::string> floor{"FrameMemcpy", "SocketPingPong"};
  bench::RunWithTargets({{"HeadlessRepaint", floor, 3.0, 0},
                         {"HeadlessFlushScreen", floor, 3.0, 0},
                         {"ShownFlushScreen", {}, 0, 1e6}});
  session.reset();
  benchmark::Shutdown();
  return 0;
}
