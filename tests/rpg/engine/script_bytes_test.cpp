// Arbitrary script bytes through the interpreter: scripts made by a seeded
// generator from the command table (valid and invalid opcodes, operands of
// every kind with random values, texts with and without their zero, jumps
// anywhere, cut-off ends), each run from its body and through every event,
// in the script test library (so that maps, characters and items are
// found). Inputs found harmful are kept
// in tests/fuzz_regressions/rpg_script/ and replayed first. The screen is
// started but no host runs: every wait ends as a quit, which is reset.
// Nothing may crash or read outside the library (the sanitizer build
// checks), and every run ends.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "rpg/engine/game_state.h"
#include "rpg/engine/script.h"
#include "rpg/format/script_commands.h"
#include "tests/rpg/support/game_screen.h"
#include "tests/rpg/support/script_library.h"
#include "tests/support/scratch.h"

namespace {

using rpgtest::Bytes;

// Room for the scripts made here, reserved in the packed library.
constexpr std::size_t kScriptRoom = 2048;

class ScriptBytesTest : public rpgtest::GameScreenTest {
 protected:
  void SetUp() override {
    GameScreenTest::SetUp();
    // A script of kScriptRoom bytes as (1, 1, 1); its bytes are replaced by
    // each run's.
    Bytes placeholder = rpgtest::AssembleScript("End\n");
    placeholder.resize(kScriptRoom, 0);
    image_ = rpgtest::WithResources(rpgtest::TestLibrary("script"), {{{1, 1, 1}, placeholder}});
    // Scripts are the first type: the script is directory entry 0.
    at_ = rpgtest::LocationOf(image_, 0);
  }

  // Runs `script` as (1, 1, 1): its body, then events 0 ... N + 1.
  void Run(const Bytes& script) {
    ASSERT_LE(script.size(), kScriptRoom);
    rpgtest::ResetStateKeepingCanvases();
    Bytes image = image_;
    std::fill(image.begin() + at_, image.begin() + at_ + kScriptRoom, 0);
    std::copy(script.begin(), script.end(), image.begin() + at_);
    rpgtest::InstalledLibrary lib(image);
    RunScriptFile(1, 1);
    const int events = game.scriptCode ? game.eventCount : 0;
    for (int n = 0; n <= events + 1; ++n) {
      game.runStatus = 0;
      RunEvent(n);
    }
    EXPECT_EQ(game.callDepth, 0);
  }

  Bytes image_;
  std::size_t at_ = 0;
};

// A random instruction: mostly a command of the table with operands of its
// kinds, sometimes an invalid opcode or a text missing its zero.
void AppendInstruction(std::mt19937& rng, Bytes& out, uint16_t codeLength) {
  auto byte = [&] { return uint8_t(rng()); };
  const auto commands = rpgfmt::AllCommands();
  if (rng() % 16 == 0) {
    out.push_back(uint8_t(rng() % 2 ? 25 : 80 + rng() % 176));
    return;
  }
  const rpgfmt::CommandInfo& c = commands[rng() % commands.size()];
  out.push_back(c.code);
  for (const rpgfmt::OperandDef& op : c.Operands()) {
    switch (op.kind) {
      case rpgfmt::OperandKind::kByte:
        // Small numbers name characters, members, variables and flags that exist.
        out.insert(out.end(), {uint8_t(rng() % 3 ? rng() % 48 : byte()), uint8_t(rng() % 8 ? 0 : byte())});
        break;
      case rpgfmt::OperandKind::kWord:
      case rpgfmt::OperandKind::kAddress: {
        const uint16_t v = uint16_t(rng() % 4 ? rng() % (codeLength + 8) : rng());
        out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)});
        break;
      }
      case rpgfmt::OperandKind::kDword:
        for (int i = 0; i < 4; ++i) out.push_back(byte());
        break;
      case rpgfmt::OperandKind::kString:
      case rpgfmt::OperandKind::kRows:
      case rpgfmt::OperandKind::kGoods: {
        const int n = int(rng() % 4 ? rng() % 24 : rng() % 300);
        for (int i = 0; i < n; ++i) out.push_back(uint8_t(1 + rng() % 255));
        if (rng() % 8) out.push_back(0);
        break;
      }
      case rpgfmt::OperandKind::kPayload:
        for (int i = 0; i < op.hi; ++i) out.push_back(byte());
        break;
    }
  }
}

// A script resource: header, code length, events, body.
Bytes RandomScript(std::mt19937& rng) {
  const int events = int(rng() % 12);
  const uint16_t guess = uint16_t(3 + 2 * events + rng() % 600);
  Bytes body;
  while (body.size() + 3 + 2 * events < guess) AppendInstruction(rng, body, guess);
  Bytes script(24, 0);
  uint16_t length = uint16_t(3 + 2 * events + body.size());
  // Sometimes a code length that cuts the last instruction or overshoots.
  if (rng() % 8 == 0) length = uint16_t(length - rng() % 8);
  if (rng() % 16 == 0) length = uint16_t(length + rng() % 64);
  script.insert(script.end(), {uint8_t(length), uint8_t(length >> 8), uint8_t(events)});
  for (int e = 0; e < events; ++e) {
    const uint16_t at = uint16_t(rng() % 4 ? 3 + 2 * events + rng() % (body.size() + 1) : rng());
    script.insert(script.end(), {uint8_t(at), uint8_t(at >> 8)});
  }
  script.insert(script.end(), body.begin(), body.end());
  script.resize(std::min(script.size(), kScriptRoom));
  return script;
}

TEST_F(ScriptBytesTest, KeptInputsRunToTheirEnd) {
  const std::filesystem::path kept = std::string(TOVSIM_SCRIPT_FOUND);
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(kept, ec)) {
    if (entry.path().extension() == ".md") continue;
    SCOPED_TRACE(entry.path().string());
    const std::string bytes = testsupport::ReadFile(entry.path().string());
    Run(Bytes(bytes.begin(), bytes.begin() + std::min(bytes.size(), kScriptRoom)));
  }
}

TEST_F(ScriptBytesTest, GeneratedScriptsRunToTheirEnd) {
  std::mt19937 rng(20261206);
  for (int i = 0; i < 300; ++i) {
    const Bytes script = RandomScript(rng);
    SCOPED_TRACE(i);
    Run(script);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
