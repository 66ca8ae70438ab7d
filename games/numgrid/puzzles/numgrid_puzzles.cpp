// numgrid_puzzles: makes the number grid's puzzle file, and turns it into the
// C++ table the game is built with (checking every puzzle on the way).
#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "games/numgrid/numgrid_rules.h"
#include "games/numgrid/puzzles/puzzle_generator.h"
#include "games/numgrid/puzzles/puzzle_text.h"
#include "platform/sys/main_guard.h"

namespace {

constexpr const char* kUsage =
    "usage: numgrid_puzzles generate [--seed N] [-o PUZZLES.txt]\n"
    "       numgrid_puzzles table PUZZLES.txt -o TABLE.cpp\n"
    "\n"
    "generate  writes puzzle 0 and 201 new puzzles with one solution each, their\n"
    "          givens falling by level (to standard output without -o); the same\n"
    "          seed (default 1) always gives the same file\n"
    "table     checks a puzzle file (202 puzzles, each consistent, with exactly one\n"
    "          solution, no two alike) and writes the game's table as C++\n";

constexpr std::uint32_t kDefaultSeed = 1;

int BadUsage(const std::string& problem) {
  std::fprintf(stderr, "numgrid_puzzles: %s\ntry 'numgrid_puzzles --help'\n", problem.c_str());
  return 2;
}

bool WriteText(const std::string& path, const std::string& text) {
  if (path.empty()) return std::fputs(text.c_str(), stdout) >= 0;
  std::ofstream out(path, std::ios::binary);
  out << text;
  out.close();
  if (!out) std::fprintf(stderr, "numgrid_puzzles: %s: cannot write\n", path.c_str());
  return bool(out);
}

int Generate(const std::vector<std::string>& args) {
  std::uint32_t seed = kDefaultSeed;
  std::string output;
  for (std::size_t i = 0; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return BadUsage(args[i] + " needs a value");
    if (args[i] == "--seed") {
      const std::string& value = args[i + 1];
      const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), seed);
      if (value.empty() || error != std::errc() || end != value.data() + value.size()) {
        return BadUsage("--seed takes a whole number below 2^32, not '" + value + "'");
      }
    } else if (args[i] == "-o") {
      output = args[i + 1];
    } else {
      return BadUsage("unknown option '" + args[i] + "'");
    }
  }
  return WriteText(output, puzzles::GeneratePuzzleFile(seed)) ? 0 : 1;
}

int Table(const std::vector<std::string>& args) {
  if (args.size() != 3 || args[1] != "-o") return BadUsage("table takes PUZZLES.txt -o TABLE.cpp");
  std::ifstream in(args[0], std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  if (!in) {
    std::fprintf(stderr, "numgrid_puzzles: %s: cannot read\n", args[0].c_str());
    return 1;
  }
  codec::Diagnostics diag;
  const auto puzzles = puzzles::ReadPuzzleText(text.str(), args[0], diag);
  if (puzzles) puzzles::CheckPuzzles(*puzzles, numgrid::kPuzzleCount, args[0], diag);
  std::fputs(diag.Text().c_str(), stderr);
  if (diag.HasErrors()) return 1;
  return WriteText(args[2], puzzles::TableSource(*puzzles, args[0])) ? 0 : 1;
}

int Run(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
  }
  if (args.empty()) return BadUsage("a command is needed");
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (args[0] == "generate") return Generate(rest);
  if (args[0] == "table") return Table(rest);
  return BadUsage("unknown command '" + args[0] + "'");
}

}  // namespace

int main(int argc, char** argv) {
  return plat::RunMain("numgrid_puzzles", [&] { return Run(argc, argv); });
}
