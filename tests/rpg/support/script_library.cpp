#include "tests/rpg/support/script_library.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "rpg/engine/game_state.h"
#include "rpg/engine/script.h"
#include "tools/datlib/script_asm.h"

namespace rpgtest {

Bytes AssembleScript(const std::string& source) {
  datlib::Diagnostics diag;
  const auto script = datlib::AssembleScript(source, "test.gsa", diag);
  EXPECT_TRUE(script.has_value()) << diag.Text();
  return script ? script->bytes : Bytes{};
}

Bytes WithResources(const Bytes& base, const std::vector<Resource>& more) {
  std::vector<rpgfmt::LibProblem> problems;
  const auto view = rpgfmt::ReadLibrary(base, problems);
  EXPECT_TRUE(view.has_value());
  std::vector<Resource> resources;
  std::string title = "TEST";
  if (view) {
    title.assign(view->title.data(), strnlen(view->title.data(), view->title.size()));
    for (const rpgfmt::LibEntry& e : view->entries) {
      const auto bytes = view->Bytes(e);
      resources.push_back({e.key, Bytes(bytes.begin(), bytes.end())});
    }
  }
  resources.insert(resources.end(), more.begin(), more.end());
  return PackLibrary(resources, title.c_str());
}

Bytes WithScripts(const Bytes& base, const std::vector<ScriptSource>& scripts) {
  std::vector<Resource> resources;
  for (const ScriptSource& s : scripts) {
    resources.push_back({{1, s.bank, s.no}, AssembleScript(s.source)});
  }
  return WithResources(base, resources);
}

Bytes ScriptLibrary(const std::string& source, const std::vector<ScriptSource>& more) {
  std::vector<ScriptSource> scripts{{1, 1, source}};
  scripts.insert(scripts.end(), more.begin(), more.end());
  return WithScripts(TestLibrary("script"), scripts);
}

int RunFromBody(uint8_t bank, uint8_t no) {
  game.scriptBank = bank;
  game.scriptNo = no;
  LoadScript();
  if (!game.scriptCode) return -1;
  return RunScript(game.scriptPc);
}

std::vector<int> LoggedValues() {
  const int count = game.scriptVars[0];
  EXPECT_LE(count, 3) << "the log keeps three values";
  std::vector<int> values;
  for (int i = std::min(count, 3); i >= 1; --i) values.push_back(game.scriptVars[i]);
  return values;
}

void ScriptTest::Install(const std::string& source, const std::vector<ScriptSource>& more) {
  lib_.reset();
  ResetStateKeepingCanvases();
  lib_.emplace(ScriptLibrary(source, more));
}

int ScriptTest::Run(const std::string& source, const std::vector<ScriptSource>& more) {
  Install(source, more);
  return RunFromBody();
}

}  // namespace rpgtest
