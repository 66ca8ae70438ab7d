#pragma once
// Libraries with scripts for the interpreter's tests: scripts written as
// assembler source (plain ASCII; other bytes as \xHH escapes), assembled by
// datlib's assembler and packed together with the resources of a test
// library, and a script run from its body.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/rpg/support/game_screen.h"
#include "tests/rpg/support/memory_library.h"

namespace rpgtest {

struct ScriptSource {
  uint8_t bank;
  uint8_t no;
  std::string source;
};

// The script resource assembled from `source` (the test fails on errors).
Bytes AssembleScript(const std::string& source);

// `base`'s resources and `more`, packed into one library under base's title.
Bytes WithResources(const Bytes& base, const std::vector<Resource>& more);

// `base`'s resources and the scripts, packed into one library.
Bytes WithScripts(const Bytes& base, const std::vector<ScriptSource>& scripts);

// The test library "script" with script (1, 1) made of `source` and any
// `more` scripts.
Bytes ScriptLibrary(const std::string& source, const std::vector<ScriptSource>& more = {});

// Makes script (bank, no) current and runs it from its body: RunScript's
// result, or -1 when it could not be loaded.
int RunFromBody(uint8_t bank = 1, uint8_t no = 1);

// The log scripts keep in the variables: variable 0 counts the values noted,
// variables 1 ... 3 hold the latest three, the newest first. Those values,
// the oldest first; the test fails when more were noted than the log keeps.
std::vector<int> LoggedValues();

// Scripts on a started screen with opaque text. Install starts from a fresh
// state (the canvases kept) with ScriptLibrary(source, more) as the library.
class ScriptTest : public TextScreenTest {
 protected:
  void Install(const std::string& source, const std::vector<ScriptSource>& more = {});
  // Installs, then runs script (1, 1): RunFromBody's result.
  int Run(const std::string& source, const std::vector<ScriptSource>& more = {});

  std::optional<InstalledLibrary> lib_;
};

}  // namespace rpgtest
