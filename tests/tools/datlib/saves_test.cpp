// datlib and the saved game's files: save-dump, and the library contents
// that save files could not name.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "rpg/format/save_layout.h"
#include "tests/rpg/format/save_sample.h"
#include "tests/tools/datlib/project_test_util.h"

namespace datlib {
namespace {

using testing::Datlib;
using testing::U8;
using testsupport::ScratchDir;
namespace save = rpgfmt::save;

std::string Text(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

save::MainFile DumpedMain() {
  save::MainFile m = savesample::Main(7);
  m.state.mapName = {0xC9, 0xBD, 0xB6, 0xB4};  // 山洞
  m.state.partyIds = {2, 0, 0};
  m.state.scriptPc = 0x1234;
  m.state.money = 123456;
  m.state.invCount = 2;
  const std::uint8_t inventory[] = {7, 1, 3, 14, 1, 1};
  std::copy(std::begin(inventory), std::end(inventory), m.inventory.begin());
  m.eventFlags = {};
  m.eventFlags[0] = 0x01;
  m.eventFlags[299] = 0x80;
  m.scriptVars = {};
  m.scriptVars[0] = 5;
  m.scriptVars[254] = 9;
  for (auto& e : m.npcs) e[0] = 0;
  m.npcs[4][0] = 3;
  return m;
}

save::MemberRecord DumpedMember() {
  save::MemberRecord r = savesample::Member(2, 8);
  r.name = {0xB0, 0xA2, 0xD6, 0xEC};  // 阿朱
  r.equipment = {0, 0, 0, 0, 1, 0, 0, 0};
  r.magicCount = 1;
  r.magic[0] = 1, r.magic[1] = 1;
  return r;
}

TEST(SaveDump, PrintsEachKindOfFileWithNamesFromTheLibrary) {
  ScratchDir dir;
  save::MemberFile members;
  members.records[1] = DumpedMember();
  const std::string mainFile = dir.Write("Velmor0.sav", Text(save::BuildMainFile(DumpedMain())));
  const std::string memberFile =
      dir.Write("Velmor1.sav", Text(save::BuildMemberFile(members)));
  const std::string parkedFile =
      dir.Write("Velmor\x96.savt", Text(save::BuildParkedFile(DumpedMember())));
  const struct {
    std::string file;
    std::vector<std::string> shows;
  } cases[] = {
      {mainFile,
       {"file: main", U8(u8"mapName: 山洞"), "partyIds: [2, 0, 0]", "scriptPc: 4660",
        "money: 123456", "flagsSet: [0, 2399]", "variables: {0: 5, 254: 9}",
        U8(u8"{kind: 7, id: 1, count: 3, name: 木剑}"), "{slot: 4, picGroup: 3"}},
      {memberFile,
       {"file: members", U8(u8"name: 阿朱"), "stats: {level:", U8(u8"handHeld: {id: 1, name: 木剑}"),
        U8(u8"{class: 1, id: 1, name: 火球}")}},
      {parkedFile, {"file: parked", U8(u8"name: 阿朱"), "id: 2"}},
  };
  for (const auto& c : cases) {
    const auto r = Datlib({"save-dump", c.file, "--lib", TOVSIM_SAMPLE_LIB});
    ASSERT_EQ(r.code, 0) << c.file << ": " << r.err;
    for (const std::string& shown : c.shows) {
      EXPECT_NE(r.out.find(shown), std::string::npos) << c.file << " lacks " << shown << "\n"
                                                      << r.out;
    }
  }
  const auto plain = Datlib({"save-dump", mainFile});
  ASSERT_EQ(plain.code, 0) << plain.err;
  EXPECT_NE(plain.out.find("{kind: 7, id: 1, count: 3}"), std::string::npos) << plain.out;
}

TEST(SaveDump, RefusedFilesGiveTheProblemAndItsOffset) {
  ScratchDir dir;
  std::vector<std::uint8_t> main = save::BuildMainFile(DumpedMain());
  std::vector<std::uint8_t> repeated = main;
  repeated[13] = repeated[12];
  main.pop_back();
  const std::vector<std::uint8_t> parked = save::BuildParkedFile(DumpedMember());
  const struct {
    std::string name;
    std::vector<std::uint8_t> bytes;
    std::vector<std::string> extra;
    std::string problem;
  } cases[] = {
      {"Velmor2.sav", main, {}, "byte 2704: "},
      {"other", repeated, {"--kind", "main"}, "byte 13: "},
      {"Velmor\x97.savt", parked, {}, "byte 1: "},  // the file of character 3
      {"Velmor3.sav", {1, 2, 3}, {}, "byte 0: "},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"save-dump", dir.Write(c.name, Text(c.bytes))};
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    const auto r = Datlib(args);
    EXPECT_EQ(r.code, 1) << c.name;
    EXPECT_TRUE(r.out.empty()) << c.name;
    EXPECT_NE(r.err.find(c.problem), std::string::npos) << c.name << ": " << r.err;
  }
  EXPECT_EQ(Datlib({"save-dump", dir.Write("save.bin", "x")}).code, 2);
  EXPECT_EQ(Datlib({"save-dump", dir / "Velmor0.sav", "--kind", "other"}).code, 2);
  EXPECT_EQ(Datlib({"save-dump", dir / "missing0.sav"}).code, 1);
}

// The saved game the game's tests commit (never regenerated) prints as its
// committed text, named from the saves test library.
TEST(SaveDump, PrintsTheCommittedSavedGameUnchanged) {
  const std::string fixture = std::string(TOVSIM_SAVE_FIXTURES) + "/saved_game_1/";
  for (const auto& [file, kind] :
       {std::pair{"main.sav", "main"}, {"members.sav", "members"}, {"parked2.savt", "parked"}}) {
    const auto r = Datlib({"save-dump", fixture + file, "--kind", kind, "--lib", TOVSIM_SAVES_LIB});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, testsupport::ReadFile(fixture + file + ".txt")) << file;
  }
}

TEST(SaveNamesInBuild, RefusesTitlesAndCharactersSaveFilesCannotHold) {
  const struct {
    const char* title;
    int character;
    std::string error;
  } cases[] = {
      {"ok", 25, ""},
      {"a/b", 1, "the title names the save files"},
      {"ok", 26, "character id 26"},
      {"ok", 0, "character id 0"},
  };
  for (const auto& c : cases) {
    ScratchDir dir;
    dir.Write("project.yaml", std::string("title: ") + c.title + "\nrecords: [r.yaml]\n");
    dir.Write("r.yaml", "- {type: actor, id: [1, " + std::to_string(c.character) + "]}\n");
    const auto r = Datlib({"build", dir / "project.yaml", "-o", dir / "dat.lib"});
    EXPECT_EQ(r.code, c.error.empty() ? 0 : 1) << c.title << " " << r.err;
    EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace datlib
