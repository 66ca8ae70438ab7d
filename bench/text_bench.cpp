// TextOut of a 10-character Chinese line on a 320x240 colour bitmap, with the
// glyph cache warm (the steady state of a game's dialogue), in both back
// modes; and the first line after the faces were loaded afresh, which pays for
// opening the face, measuring its cell placement and rendering the glyphs.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/gdi/gdi.h"
#include "platform/gdi/text.h"

namespace {

using namespace plat;

constexpr const char* kLine = "勇者踏上了新的旅程啊";  // 10 characters, 20 bytes

struct Screen {
  Screen(int height, const char* face) {
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateBitmap(320, 240, 1, 32, nullptr);
    SelectObject(dc, bitmap);
    font = CreateFontA(height, 0, 0, 0, FW_THIN, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                       CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, FIXED_PITCH, face);
    SelectObject(dc, static_cast<HGDIOBJ>(font));
  }
  ~Screen() {
    DeleteDC(dc);
    DeleteObject(bitmap);
    DeleteObject(font);
  }
  HDC dc;
  HBITMAP bitmap;
  HFONT font;
};

void BM_TextOutChineseLine(benchmark::State& state) {
  const int height = static_cast<int>(state.range(0));
  Screen screen(height, "宋体");
  if (!screen.font) {
    state.SkipWithError(LastFontError().c_str());
    return;
  }
  SetBkMode(screen.dc, static_cast<int>(state.range(1)));
  for (auto _ : state) {
    TextOutA(screen.dc, 8, 100, kLine, 20);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 10);
}
BENCHMARK(BM_TextOutChineseLine)
    ->ArgNames({"height", "mode"})
    ->Args({12, OPAQUE})
    ->Args({12, TRANSPARENT})
    ->Args({16, OPAQUE})
    ->Args({24, OPAQUE});

// Setting the font directory, even to the same place, drops the loaded faces
// and every cached glyph, so each iteration starts cold.
void BM_FirstTextOutAfterLoad(benchmark::State& state) {
  const std::string dir = FontDirectory();
  for (auto _ : state) {
    state.PauseTiming();
    SetFontDirectory(dir);
    state.ResumeTiming();
    Screen screen(16, "黑体");
    TextOutA(screen.dc, 8, 100, kLine, 20);
  }
}
BENCHMARK(BM_FirstTextOutAfterLoad)->Unit(benchmark::kMillisecond);

}  // namespace
