#include "rpg/party/list_marks.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "host/canvas.h"
#include "rpg/engine/blit.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr int32_t kSolid = 0;

// A 1-bit picture from rows of '#' (black) and '.' (white), one row after
// another, each ceil(width / 8) bytes with the leftmost pixel in bit 7.
template <int W, int H>
constexpr std::array<uint8_t, (W + 7) / 8 * H> Bits(std::string_view art) {
  std::array<uint8_t, (W + 7) / 8 * H> out{};
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      if (art[std::size_t(y * W + x)] == '#') out[std::size_t(y * ((W + 7) / 8) + x / 8)] |= uint8_t(0x80 >> (x % 8));
    }
  }
  return out;
}

constexpr auto kPointer = Bits<7, 13>(
    "#......"
    "##....."
    "###...."
    "####..."
    "#####.."
    "######."
    "#######"
    "######."
    "#####.."
    "####..."
    "###...."
    "##....."
    "#......");

constexpr auto kSword = Bits<12, 12>(
    "..........##"
    ".........###"
    "........###."
    ".......###.."
    "......###..."
    ".#...###...."
    ".##.###....."
    "..####......"
    "...##......."
    "..####......"
    ".##..##....."
    "##.........."
);

constexpr auto kHollow = Bits<5, 8>(
    "..#.."
    ".#.#."
    "#...#"
    "#.#.#"
    "#.#.#"
    "#...#"
    ".#.#."
    "..#..");

constexpr auto kFilled = Bits<5, 8>(
    "..#.."
    ".###."
    "#####"
    "#####"
    "#####"
    "#####"
    ".###."
    "..#..");

// The equipment screen's border piece: a vine in a frame.
constexpr auto kDecoration = Bits<24, 44>(
    "########################"
    "#......................#"
    "#.#.#.#.#.#.#.#.#.#.#.##"
    "#.............##.......#"
    "#..............##......#"
    "#...............##.....#"
    "#...........##..##.....#"
    "#..........####.##.....#"
    "#.........########.....#"
    "#..........####.##.....#"
    "#...........##..##.....#"
    "#...............##.....#"
    "#..............##......#"
    "#.............##.......#"
    "#............##........#"
    "#...........##.........#"
    "#..........####........#"
    "#.........######.......#"
    "#........########......#"
    "#.......##..####.......#"
    "#.......##...##........#"
    "#......##..............#"
    "#......##..............#"
    "#......##..............#"
    "#......##..............#"
    "#......##..............#"
    "#...##.##..............#"
    "#..####.##.............#"
    "#.########.............#"
    "#..####..##............#"
    "#...##....##...........#"
    "#..........##..........#"
    "#...........##.........#"
    "#............##........#"
    "#.............##.......#"
    "#..............##......#"
    "#..............##...##.#"
    "#...............##.#####"
    "#...............########"
    "#...............##.#####"
    "#...............##..##.#"
    "#.#.#.#.#.#.#.#.#.#.#.##"
    "#......................#"
    "########################");

template <std::size_t N>
void Blit(int x, int y, int w, int h, const std::array<uint8_t, N>& bits) {
  BlitPicScreen(int16_t(x), int16_t(y), int16_t(x + w - 1), int16_t(y + h - 1), bits, 0);
}

}  // namespace

void ScreenLine(int x0, int y0, int x1, int y1) {
  DrawLine(int16_t(x0), int16_t(y0), int16_t(x1), int16_t(y1), kBlack, kSolid, nullptr);
}

void ScreenFrame(int x0, int y0, int x1, int y1) {
  DrawRect(int16_t(x0), int16_t(y0), int16_t(x1), int16_t(y1), kBlack, kSolid, nullptr);
}

void DrawPointer(int x, int y) { Blit(x, y, 7, 13, kPointer); }

void DrawSwordCursor(int x, int y) { Blit(x, y, 12, 12, kSword); }

void DrawMarker(int x, int y, bool filled) { Blit(x, y, 5, 8, filled ? kFilled : kHollow); }

void DrawEquipDecoration(int x, int y) { Blit(x, y, 24, 44, kDecoration); }
