// The sample scripts assemble cleanly, use every command, and come back
// byte for byte through the disassembler.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "rpg/format/script_decode.h"
#include "rpg/format/script_file.h"
#include "tests/tools/datlib/script_test_util.h"
#include "tools/datlib/script_disasm.h"

namespace datlib {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> SampleScripts() {
  std::vector<fs::path> out;
  for (const auto& entry : fs::directory_iterator(TOVSIM_SAMPLE_SCRIPTS)) {
    if (entry.path().extension() == ".gsa") out.push_back(entry.path());
  }
  std::sort(out.begin(), out.end());
  return out;
}

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(ScriptSample, AssemblesWithoutWarningsAndRoundTrips) {
  const auto files = SampleScripts();
  ASSERT_GE(files.size(), 4u);
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.string());
    Diagnostics diag;
    const auto script = AssembleScript(Read(file), file.string(), diag);
    ASSERT_TRUE(script) << diag.Text();
    EXPECT_TRUE(diag.Items().empty()) << diag.Text();
    const auto text = DisassembleScript(script->bytes, {file.string(), 0, 0}, diag);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->find(".byte"), std::string::npos) << *text;
    const auto again = AssembleScript(*text, "again.gsa", diag);
    ASSERT_TRUE(again) << diag.Text() << *text;
    EXPECT_EQ(again->bytes, script->bytes);
  }
}

TEST(ScriptSample, UsesEveryCommand) {
  std::set<std::uint8_t> used;
  for (const fs::path& file : SampleScripts()) {
    Diagnostics diag;
    const auto script = AssembleScript(Read(file), file.string(), diag);
    ASSERT_TRUE(script) << diag.Text();
    const auto view = rpgfmt::ReadScript(script->bytes);
    ASSERT_TRUE(view) << view.error().Text();
    for (const ScriptSourceLine& line : script->lines) {
      rpgfmt::Instruction inst;
      ASSERT_EQ(rpgfmt::DecodeInstruction(view->code, line.offset, inst),
                rpgfmt::DecodeError::kNone);
      used.insert(inst.command->code);
    }
  }
  for (const rpgfmt::CommandInfo& c : rpgfmt::AllCommands()) {
    EXPECT_TRUE(used.count(c.code)) << c.mnemonic << " is not used by any sample script";
  }
}

}  // namespace
}  // namespace datlib
