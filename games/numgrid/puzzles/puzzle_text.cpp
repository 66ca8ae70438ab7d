#include "games/numgrid/puzzles/puzzle_text.h"

#include <map>

namespace puzzles {

namespace {

constexpr std::size_t kCells = 81;

// The line without a trailing carriage return.
std::string_view Chomp(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

bool Ignored(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  return first == std::string_view::npos || line[first] == '#';
}

// One puzzle line: a digit in every one of its 81 columns.
std::optional<Grid> ReadLine(std::string_view line, const codec::SourcePos& pos,
                             codec::Diagnostics& diag) {
  for (std::size_t i = 0; i < line.size() && i < kCells; ++i) {
    if (line[i] < '0' || line[i] > '9') {
      diag.Error({pos.file, pos.line, int(codec::CountUtf8Chars(line, i)) + 1},
                 "a puzzle line holds only the digits 0 to 9");
      return std::nullopt;
    }
  }
  if (line.size() != kCells) {
    diag.Error(pos, "a puzzle line has 81 digits, this one has " + std::to_string(line.size()));
    return std::nullopt;
  }
  return ParseGrid(line);
}

}  // namespace

std::optional<Grid> ParseGrid(std::string_view digits) {
  if (digits.size() != kCells) return std::nullopt;
  Grid grid{};
  for (std::size_t i = 0; i < kCells; ++i) {
    if (digits[i] < '0' || digits[i] > '9') return std::nullopt;
    grid[i] = std::uint8_t(digits[i] - '0');
  }
  return grid;
}

std::string FormatGrid(const Grid& grid) {
  std::string digits;
  for (std::uint8_t digit : grid) digits += char('0' + digit);
  return digits;
}

std::optional<std::vector<FilePuzzle>> ReadPuzzleText(std::string_view text,
                                                      const std::string& file,
                                                      codec::Diagnostics& diag) {
  std::vector<FilePuzzle> puzzles;
  const std::size_t errorsBefore = diag.ErrorCount();
  int lineNumber = 0;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Chomp(text.substr(at, end - at));
    at = end + 1;
    ++lineNumber;
    if (Ignored(line)) continue;
    if (auto grid = ReadLine(line, {file, lineNumber, 0}, diag))
      puzzles.push_back({*grid, lineNumber});
  }
  if (diag.ErrorCount() != errorsBefore) return std::nullopt;
  return puzzles;
}

bool CheckPuzzles(const std::vector<FilePuzzle>& puzzles, std::size_t count,
                  const std::string& file, codec::Diagnostics& diag) {
  const std::size_t errorsBefore = diag.ErrorCount();
  if (puzzles.size() != count) {
    diag.Error({file, 0, 0}, "the game needs " + std::to_string(count) + " puzzles, the file has " +
                                 std::to_string(puzzles.size()));
  }
  std::map<Grid, std::size_t> seen;
  for (std::size_t index = 0; index < puzzles.size(); ++index) {
    const FilePuzzle& puzzle = puzzles[index];
    const codec::SourcePos pos{file, puzzle.line, 0};
    const std::string name = "puzzle " + std::to_string(index);
    const auto [first, added] = seen.emplace(puzzle.grid, index);
    if (!added) diag.Error(pos, name + " repeats puzzle " + std::to_string(first->second));
    if (!Consistent(puzzle.grid)) {
      diag.Error(pos, name + " has a digit twice in a row, a column or a box");
      continue;
    }
    const int solutions = CountSolutions(puzzle.grid, 2);
    if (solutions == 0) diag.Error(pos, name + " has no solution");
    if (solutions > 1) diag.Error(pos, name + " has more than one solution");
  }
  return diag.ErrorCount() == errorsBefore;
}

std::string TableSource(const std::vector<FilePuzzle>& puzzles, const std::string& from) {
  std::string out = "// The number grid's puzzles, made by numgrid_puzzles from " + from +
                    ".\n#include \"games/numgrid/numgrid_puzzles.h\"\n\nnamespace numgrid {\n\n"
                    "const uint8_t kPuzzles[kPuzzleCount][kPuzzleCells] = {\n";
  for (const FilePuzzle& puzzle : puzzles) {
    out += "    {";
    for (std::size_t i = 0; i < kCells; ++i) out += (i ? "," : "") + std::to_string(puzzle.grid[i]);
    out += "},\n";
  }
  return out + "};\n\n}  // namespace numgrid\n";
}

}  // namespace puzzles
