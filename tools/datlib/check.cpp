#include "tools/datlib/check.h"

#include <map>
#include <set>

#include "codec/bytes.h"
#include "rpg/format/item_records.h"
#include "tools/datlib/check_battle.h"
#include "tools/datlib/check_jumps.h"
#include "tools/datlib/check_limits.h"
#include "tools/datlib/check_refs.h"
#include "tools/datlib/library_read.h"
#include "tools/datlib/resource_sizes.h"
#include "tools/datlib/script_refs.h"

namespace datlib {
namespace {

using rpgfmt::ResKey;

constexpr ResKey kNewGameScript{1, 1, 1};

struct Use {
  ResKey script;
  const char* verb;  // "set", "tested", ...
  bool gives;        // sets, clears or writes the value
  bool reads;        // tests or reads it
  ScriptSite site;
};

struct Uses {
  std::map<int, std::vector<Use>> flags, vars;
};

using rpgfmt::RefAccess;

const char* Verb(RefAccess a) {
  switch (a) {
    case RefAccess::kSet: return "set";
    case RefAccess::kClear: return "cleared";
    case RefAccess::kWrite: return "written";
    case RefAccess::kUpdate: return "updated";
    case RefAccess::kRead: return "read";
    default: return "tested";
  }
}

// A use that gives the flag or variable a value, and one that looks at it.
bool Gives(RefAccess a) {
  return a == RefAccess::kSet || a == RefAccess::kClear || a == RefAccess::kWrite ||
         a == RefAccess::kUpdate;
}
bool Reads(RefAccess a) {
  return a == RefAccess::kTest || a == RefAccess::kUpdate || a == RefAccess::kRead;
}

void AddUses(ResKey script, const std::vector<ScriptUse>& list,
             std::map<int, std::vector<Use>>& table) {
  for (const ScriptUse& u : list) {
    table[u.number].push_back({script, Verb(u.access), Gives(u.access), Reads(u.access), u.site});
  }
}

std::string SiteText(const Use& u) {
  if (u.script.type == static_cast<std::uint8_t>(rpgfmt::ResType::kItemRecord)) {
    return std::string(u.verb) + " by item " + KeyName(u.script) + " while worn or once used up";
  }
  std::string out = std::string(u.verb) + " by script " + KeyName(u.script) + " " +
                    CodeOffsetText(u.site.offset);
  if (u.site.command != nullptr) out += " " + std::string(u.site.command->mnemonic);
  return out;
}

// Where the event handlers a script's commands run are missing.
void CheckEvents(ResKey key, const ScriptRefs& refs, const std::string& name, Diagnostics& diag) {
  const std::set<std::uint8_t> handled(refs.handledEvents.begin(), refs.handledEvents.end());
  for (const ScriptEventRef& e : refs.events) {
    if (handled.count(e.event) != 0) continue;
    diag.Warning(EntryPos(name, key), CodeOffsetText(e.site.offset) + ": runs event " +
                                          std::to_string(e.event) +
                                          ", which the script has no handler for");
  }
}

void CollectScript(const rpgfmt::LibraryView& lib, const rpgfmt::LibEntry& e, std::size_t size,
                   const std::string& name, std::vector<Reference>& refs, Uses& uses,
                   Diagnostics& diag) {
  const auto bytes = lib.Bytes(e).first(size);
  const ScriptRefs sr = ExtractScriptRefs(bytes);
  for (const std::string& p : sr.problems) diag.Warning(EntryPos(name, e.key), p);
  CheckScriptJumps(bytes, EntryPos(name, e.key), diag);
  CheckBattleCommands(bytes, EntryPos(name, e.key), diag);
  CheckEvents(e.key, sr, name, diag);
  const auto more = ScriptReferences(e.key, sr);
  refs.insert(refs.end(), more.begin(), more.end());
  AddUses(e.key, sr.flags, uses.flags);
  AddUses(e.key, sr.vars, uses.vars);
}

// The game sets an item's flag while the item is worn or once it is used up
// (and clears it when the item is taken off): for the scripts that test such
// a flag, the item counts as setting it.
void AddItemFlags(const rpgfmt::LibraryView& lib, std::map<int, std::vector<Use>>& flags) {
  for (const rpgfmt::LibEntry& e : lib.entries) {
    if (e.key.type != static_cast<std::uint8_t>(rpgfmt::ResType::kItemRecord)) continue;
    const auto b = lib.Bytes(e);
    if (b.size() < rpgfmt::itemrec::kSize) continue;
    const auto found = flags.find(codec::LoadLe<std::uint16_t>(b.data() + rpgfmt::itemrec::kFlag));
    if (found != flags.end()) found->second.push_back({e.key, "set", true, false, {}});
  }
}

// Lists each flag or variable with its uses; one that is tested but never
// given a value, or given one but never tested, gets a warning.
std::string UseReport(const char* title, const char* what,
                      const std::map<int, std::vector<Use>>& table, const std::string& name,
                      Diagnostics& diag) {
  std::string out = std::string(title) + ":\n";
  for (const auto& [number, list] : table) {
    out += "  " + std::to_string(number) + ":\n";
    bool reads = false, gives = false;
    for (const Use& u : list) {
      out += "    " + SiteText(u) + "\n";
      reads = reads || u.reads;
      gives = gives || u.gives;
    }
    const std::string subject = std::string(what) + " " + std::to_string(number);
    if (reads && !gives) diag.Warning({name, 0, 0}, subject + " is tested but never set");
    if (gives && !reads) diag.Warning({name, 0, 0}, subject + " is set but never tested");
  }
  return out;
}

}  // namespace

std::optional<std::string> CheckLibrary(std::span<const std::uint8_t> image,
                                        const std::string& name, Diagnostics& diag) {
  auto lib = ReadLibraryChecked(image, name, diag);
  if (!lib) return std::nullopt;
  const auto sizes = ResourceSizes(*lib);
  std::vector<Reference> refs = DataReferences(*lib);
  Uses uses;
  for (std::size_t i = 0; i < lib->entries.size(); ++i) {
    const rpgfmt::LibEntry& e = lib->entries[i];
    if (e.key.type == static_cast<std::uint8_t>(rpgfmt::ResType::kScript)) {
      CollectScript(*lib, e, sizes[i].size, name, refs, uses, diag);
    }
  }
  AddItemFlags(*lib, uses.flags);
  std::set<ResKey> used;
  for (const Reference& r : refs) {
    if (lib->Find(r.to) != nullptr) {
      if (r.to != r.from && r.marksUse) used.insert(r.to);
      continue;
    }
    const std::string msg = "names " + KeyName(r.to) + " (" + r.what + "), which is missing";
    r.optional ? diag.Warning(EntryPos(name, r.from), msg) : diag.Error(EntryPos(name, r.from), msg);
  }
  CheckGameLimits(*lib, name, diag);
  CheckBattleRecords(*lib, name, diag);
  if (lib->Find(kNewGameScript) == nullptr) {
    diag.Error({name, 0, 0}, "a new game runs script (1, 1, 1), which is missing");
  }
  for (const rpgfmt::LibEntry& e : lib->entries) {
    if (used.count(e.key) == 0 && !EngineUses(e.key, *lib)) {
      diag.Warning(EntryPos(name, e.key), "unused: nothing names this resource");
    }
  }
  return UseReport("flags", "flag", uses.flags, name, diag) +
         UseReport("variables", "variable", uses.vars, name, diag);
}

}  // namespace datlib
