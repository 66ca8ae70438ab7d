// The saved game's parsers on arbitrary bytes: a main file, a member file
// and a parked file cut from the input (byte 0 the parked file's character
// id; bytes 1-2 and 3-4, little-endian, the lengths of the main and member
// files; the parked file is the rest). Whatever a parser accepts must build
// back to the bytes it came from, apart from the bytes the format ignores,
// and parse again to the same value. A main file and member file accepted
// then go, as loading a game takes them, through the checks against the
// saves test library (the library the committed saved game was made with)
// and, when those pass, into a fresh state record.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "codec/bytes.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/save_check.h"
#include "rpg/engine/save_records.h"
#include "rpg/format/save_layout.h"
#include "tools/datlib/builder.h"
#include "tools/datlib/project.h"
#include "tools/datlib/script_asm.h"

namespace {

namespace save = rpgfmt::save;
using Span = std::span<const std::uint8_t>;
using Vec = std::vector<std::uint8_t>;

constexpr std::size_t kHeader = 5;
constexpr std::size_t kMapNameEnd = 10;  // the map name's terminator, written 0

void Require(bool holds) {
  if (!holds) std::abort();
}

// A member record's bytes with those the format ignores (11 and 16 ... 25)
// put back to the 0 the builder writes.
Vec Normalized(Span record) {
  Vec out(record.begin(), record.end());
  out[11] = 0;
  std::fill(out.begin() + 16, out.begin() + 26, 0);
  return out;
}

// The saves test library, built once from its sources, with scripts
// (1, 1) ... (1, 3), which its tests add (here each a bare End).
Vec& SavesLibrary() {
  static Vec image = [] {
    datlib::Diagnostics diag;
    auto project = datlib::LoadProject(
        std::string(TOVSIM_SOURCE_DIR) + "/tests/rpg/engine/data/saves/project.yaml", diag);
    Require(project.has_value());
    const auto end = datlib::AssembleScript("End\n", "end.gsa", diag);
    Require(end.has_value());
    for (std::uint8_t no = 1; no <= 3; ++no) {
      project->resources.push_back({1, 1, no, end->bytes, {}});
    }
    const auto built = datlib::BuildLibrary(project->title, project->resources, diag);
    Require(built.has_value());
    return *built;
  }();
  return image;
}

// What loading does with a parsed main file and member file: the library
// checks on copies (they bring counts within limits), then, when every check
// passes, the apply into the state record.
void Load(const save::MainFile& main, const std::optional<save::MemberFile>& members) {
  if (!members) return;  // loading refuses a slot whose member file it cannot read
  ResetGameState();
  Vec& library = SavesLibrary();
  game.libImage = library.data();
  game.libSize = std::uint32_t(library.size());
  save::MainFile checked = main;
  save::MemberFile records = *members;
  if (!CheckMainFile(checked)) return;
  for (std::uint8_t id : checked.state.partyIds) {
    if (id != 0 && (!records.records[id - 1] || !CheckMemberRecord(*records.records[id - 1]))) {
      return;
    }
  }
  ApplyRecord(checked);
  for (std::uint8_t i = 0; i < kPartySlots; ++i) {
    const std::uint8_t id = checked.state.partyIds[i];
    if (id != 0) ApplyMemberRecord(i, *records.records[id - 1]);
  }
  ResetGameState();
}

bool Main(Span bytes, std::span<const std::uint8_t>& partyIds, save::MainFile& keep) {
  const auto parsed = save::ParseMainFile(bytes);
  if (!parsed) return false;
  Vec expected(bytes.begin(), bytes.end());
  expected[kMapNameEnd] = 0;
  const Vec built = save::BuildMainFile(*parsed);
  Require(built == expected);
  Require(save::ParseMainFile(built).value() == *parsed);
  keep = *parsed;
  partyIds = keep.state.partyIds;
  return true;
}

std::optional<save::MemberFile> Members(Span bytes, std::span<const std::uint8_t> partyIds) {
  const auto parsed = save::ParseMemberFile(bytes, partyIds);
  if (!parsed) return std::nullopt;
  const Vec built = save::BuildMemberFile(*parsed);
  Require(built.size() <= bytes.size());
  for (std::size_t id = 1; id <= save::kLastMemberId; ++id) {
    const std::size_t at = (id - 1) * save::kMemberRecordSize;
    if (!parsed->records[id - 1]) continue;
    Require(Normalized(Span(built).subspan(at, save::kMemberRecordSize)) ==
            Normalized(bytes.subspan(at, save::kMemberRecordSize)));
  }
  Require(save::ParseMemberFile(built, partyIds).value() == *parsed);
  return *parsed;
}

void Parked(Span bytes, std::uint8_t id) {
  const auto parsed = save::ParseParkedFile(bytes, id);
  if (!parsed) return;
  const Vec built = save::BuildParkedFile(*parsed);
  Require(Normalized(built) == Normalized(bytes));
  Require(save::ParseParkedFile(built, id).value() == *parsed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kHeader) return 0;
  const Span input(data, size);
  const std::uint8_t parkedId = data[0];
  std::size_t at = kHeader;
  const std::size_t mainSize = std::min<std::size_t>(codec::LoadLe<std::uint16_t>(data + 1), size - at);
  const Span main = input.subspan(at, mainSize);
  at += mainSize;
  const std::size_t memberSize =
      std::min<std::size_t>(codec::LoadLe<std::uint16_t>(data + 3), size - at);
  const Span members = input.subspan(at, memberSize);
  at += memberSize;

  save::MainFile kept{};
  std::span<const std::uint8_t> partyIds;
  const bool mainAccepted = Main(main, partyIds, kept);
  const std::optional<save::MemberFile> memberFile = Members(members, partyIds);
  if (mainAccepted) Load(kept, memberFile);
  Parked(input.subspan(at), parkedId);
  return 0;
}
