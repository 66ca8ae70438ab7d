// Raster speed against plain memory operations on the same bytes:
// a full-screen copy against memcpy, a full-screen fill against memset, and
// the 16x16 transparent sprite (mask AND, picture OR).
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/gdi/gdi.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr std::size_t kBytes = std::size_t(kWidth) * kHeight * 4;

struct Surface {
  Surface(int w, int h, unsigned bpp)
      : dc(plat::CreateCompatibleDC(nullptr)), bitmap(plat::CreateBitmap(w, h, 1, bpp, nullptr)) {
    plat::SelectObject(dc, bitmap);
  }
  ~Surface() {
    plat::DeleteDC(dc);
    plat::DeleteObject(bitmap);
  }
  plat::HDC dc;
  plat::HBITMAP bitmap;
};

void MemcpyScreen(benchmark::State& state) {
  std::vector<std::uint8_t> src(kBytes, 1), dst(kBytes);
  for (auto _ : state) {
    std::memcpy(dst.data(), src.data(), kBytes);
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kBytes));
}
BENCHMARK(MemcpyScreen);

void BitBltScreen(benchmark::State& state) {
  Surface src(kWidth, kHeight, 32), dst(kWidth, kHeight, 32);
  for (auto _ : state) {
    plat::BitBlt(dst.dc, 0, 0, kWidth, kHeight, src.dc, 0, 0, plat::SRCCOPY);
    benchmark::DoNotOptimize(dst.bitmap->bits());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kBytes));
}
BENCHMARK(BitBltScreen);

void MemsetScreen(benchmark::State& state) {
  std::vector<std::uint8_t> dst(kBytes);
  for (auto _ : state) {
    std::memset(dst.data(), 0x7F, kBytes);
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kBytes));
}
BENCHMARK(MemsetScreen);

void FillRectScreen(benchmark::State& state) {
  Surface dst(kWidth, kHeight, 32);
  plat::HBRUSH brush = plat::CreateSolidBrush(plat::RGB(10, 20, 30));
  const plat::RECT all{0, 0, kWidth, kHeight};
  for (auto _ : state) {
    plat::FillRect(dst.dc, &all, brush);
    benchmark::DoNotOptimize(dst.bitmap->bits());
    benchmark::ClobberMemory();
  }
  plat::DeleteObject(brush);
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kBytes));
}
BENCHMARK(FillRectScreen);

void MaskedSprite16(benchmark::State& state) {
  Surface picture(16, 16, 32), mask(16, 16, 1), dst(kWidth, kHeight, 32);
  for (int i = 0; i < 16; ++i) plat::SetPixel(mask.dc, i, i, 0);
  for (auto _ : state) {
    plat::BitBlt(dst.dc, 100, 100, 16, 16, mask.dc, 0, 0, plat::SRCAND);
    plat::BitBlt(dst.dc, 100, 100, 16, 16, picture.dc, 0, 0, plat::SRCPAINT);
    benchmark::DoNotOptimize(dst.bitmap->bits());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(MaskedSprite16);

}  // namespace

BENCHMARK_MAIN();
