#include "games/numgrid/puzzles/puzzle_solver.h"

#include <bit>
#include <utility>

namespace puzzles {

namespace {

constexpr int kSize = 9;
constexpr int kCells = kSize * kSize;

int RowOf(int cell) { return cell / kSize; }
int ColumnOf(int cell) { return cell % kSize; }
int BoxOf(int cell) { return RowOf(cell) / 3 * 3 + ColumnOf(cell) / 3; }

// Depth-first search that always branches on the empty cell with the fewest
// candidates. The used digits of each row, column and box are bit masks
// (bit d for digit d).
class Search {
 public:
  explicit Search(const Grid& grid) : grid_(grid) {
    for (int cell = 0; cell < kCells; ++cell) {
      const int digit = grid_[cell];
      if (digit == 0) continue;
      if (digit > kSize || (Used(cell) & Bit(digit)) != 0) {
        consistent_ = false;
        return;
      }
      Mark(cell, digit);
    }
  }

  bool consistent() const { return consistent_; }

  // Counts solutions up to `limit`; with `random`, digits are tried in a
  // shuffled order, so the first solution is a random one.
  int Run(int limit, std::mt19937* random, Grid* solution) {
    if (!consistent_) return 0;
    limit_ = limit;
    random_ = random;
    solution_ = solution;
    Step();
    return count_;
  }

 private:
  static std::uint16_t Bit(int digit) { return std::uint16_t(1u << digit); }

  std::uint16_t Used(int cell) const {
    return std::uint16_t(rows_[RowOf(cell)] | columns_[ColumnOf(cell)] | boxes_[BoxOf(cell)]);
  }

  void Mark(int cell, int digit) {
    rows_[RowOf(cell)] ^= Bit(digit);
    columns_[ColumnOf(cell)] ^= Bit(digit);
    boxes_[BoxOf(cell)] ^= Bit(digit);
  }

  // The empty cell with the fewest candidates: {-1, 0} when the grid is
  // full, a cell with no candidates when the branch is dead.
  std::pair<int, std::uint16_t> MostConstrained() const {
    constexpr std::uint16_t kAll = 0x3FE;
    std::pair<int, std::uint16_t> best{-1, 0};
    int fewest = kSize + 1;
    for (int cell = 0; cell < kCells && fewest > 1; ++cell) {
      if (grid_[cell] != 0) continue;
      const std::uint16_t candidates = std::uint16_t(~Used(cell) & kAll);
      const int count = std::popcount(candidates);
      if (count < fewest) {
        fewest = count;
        best = {cell, candidates};
      }
      if (count == 0) break;
    }
    return best;
  }

  void Step() {
    const auto [cell, candidates] = MostConstrained();
    if (cell < 0) {
      if (++count_ == 1 && solution_) *solution_ = grid_;
      return;
    }
    std::array<int, kSize> order{1, 2, 3, 4, 5, 6, 7, 8, 9};
    if (random_) {
      for (int i = kSize - 1; i > 0; --i) std::swap(order[i], order[RandomBelow(*random_, i + 1)]);
    }
    for (int digit : order) {
      if ((candidates & Bit(digit)) == 0) continue;
      grid_[cell] = std::uint8_t(digit);
      Mark(cell, digit);
      Step();
      Mark(cell, digit);
      grid_[cell] = 0;
      if (count_ >= limit_) return;
    }
  }

  Grid grid_;
  std::array<std::uint16_t, kSize> rows_{}, columns_{}, boxes_{};
  bool consistent_ = true;
  int limit_ = 0;
  int count_ = 0;
  std::mt19937* random_ = nullptr;
  Grid* solution_ = nullptr;
};

}  // namespace

bool Consistent(const Grid& grid) { return Search(grid).consistent(); }

int CountSolutions(const Grid& grid, int limit, Grid* solution) {
  return Search(grid).Run(limit, nullptr, solution);
}

Grid RandomSolution(std::mt19937& random) {
  Grid solution{};
  Search(Grid{}).Run(1, &random, &solution);
  return solution;
}

}  // namespace puzzles
