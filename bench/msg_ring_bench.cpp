// The message ring: an append and a take on one thread, and the same through
// a producer thread, against a plain locked array copy as the baseline.

#include <benchmark/benchmark.h>

#include <mutex>
#include <thread>

#include "host/msg.h"
#include "platform/sys/thread.h"

namespace {

void Prepare() {
  MsgVctInit();
  MsgRingOpen();
}

// Baseline: the same three words through a mutex-guarded array.
void BM_LockedCopyBaseline(benchmark::State& state) {
  std::mutex mu;
  Message slots[kMsgRingSize];
  int index = 0;
  for (auto _ : state) {
    {
      std::lock_guard lock(mu);
      slots[index] = Message{256, 13, uint32_t(index)};
    }
    Message out;
    {
      std::lock_guard lock(mu);
      out = slots[index];
      index = (index + 1) % kMsgRingSize;
    }
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_LockedCopyBaseline);

void BM_AppendAndTake(benchmark::State& state) {
  Prepare();
  Message out;
  for (auto _ : state) {
    QueueMessage(256, 13, 0);
    GetMsg(&out);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_AppendAndTake);

// A writer thread fills the ring while this thread takes: the cost of the
// wake-up through the event.
void BM_TakeFromAnotherThread(benchmark::State& state) {
  Prepare();
  const int64_t total = 20000;
  for (auto _ : state) {
    std::thread writer = plat::StartThread([total] {
      for (int64_t i = 0; i < total; ++i) QueueMessage(256, 13, uint32_t(i));
    });
    Message out;
    int64_t taken = 0;
    // The ring drops the oldest when the writer runs 99 ahead; stop on the last.
    while (GetMsg(&out) && out.lParam != uint32_t(total - 1)) ++taken;
    writer.join();
    ClearMsgQueue();
    benchmark::DoNotOptimize(taken);
  }
  state.SetItemsProcessed(state.iterations() * total);
}
BENCHMARK(BM_TakeFromAnotherThread)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
