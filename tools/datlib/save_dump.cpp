#include "tools/datlib/save_dump.h"

#include <yaml-cpp/yaml.h>

#include <functional>

#include "rpg/format/actor_records.h"
#include "rpg/format/item_records.h"
#include "rpg/format/save_field_io.h"
#include "rpg/format/save_layout.h"
#include "tools/datlib/field_yaml.h"

namespace datlib {
namespace {

namespace save = rpgfmt::save;
using Bytes = std::span<const std::uint8_t>;

constexpr std::string_view kMainExt = ".sav", kParkedExt = ".savt";
constexpr std::uint8_t kParkedBase = 148;

// Names of items and magics from the library, when one is given.
class Names {
 public:
  explicit Names(const rpgfmt::LibraryView* lib) : lib_(lib) {}

  // Adds `name: ...` for the record (type, id1, id2) at `offset` (12 bytes),
  // or `missing: true` when the library lacks it.
  void Add(YAML::Emitter& out, rpgfmt::ResType type, std::uint8_t id1, std::uint8_t id2,
           std::size_t offset) const {
    if (lib_ == nullptr) return;
    const rpgfmt::LibEntry* e = lib_->Find({static_cast<std::uint8_t>(type), id1, id2});
    constexpr std::size_t kNameSize = rpgfmt::itemrec::kNameSize;
    if (e == nullptr || lib_->Bytes(*e).size() < offset + kNameSize) {
      out << YAML::Key << "missing" << YAML::Value << true;
      return;
    }
    out << YAML::Key << "name" << YAML::Value
        << FixedTextNode(lib_->Bytes(*e).subspan(offset, kNameSize), false);
  }

 private:
  const rpgfmt::LibraryView* lib_;
};

void Numbers(YAML::Emitter& out, Bytes bytes) {
  out << YAML::Flow << YAML::BeginSeq;
  for (std::uint8_t b : bytes) out << unsigned(b);
  out << YAML::EndSeq;
}

// The fields of a library-style table (map characters, stats, equipment).
void TableFields(YAML::Emitter& out, std::span<const rpgfmt::Field> table, Bytes bytes) {
  for (const rpgfmt::Field& f : table) {
    out << YAML::Key << std::string(f.name) << YAML::Value;
    const Bytes at = bytes.subspan(f.offset, f.size);
    switch (f.kind) {
      case rpgfmt::FieldKind::kU8: out << unsigned(at[0]); break;
      case rpgfmt::FieldKind::kU16: out << codec::LoadLe<std::uint16_t>(at.data()); break;
      case rpgfmt::FieldKind::kText: out << FixedTextNode(at, false); break;
      default: Numbers(out, at); break;
    }
  }
}

// The fields of a save record; `special` writes a field's value itself when
// it returns true.
template <class Rec>
void SaveFields(YAML::Emitter& out, std::span<const save::SaveField<Rec>> table, const Rec& value,
                const std::function<bool(std::string_view)>& special) {
  for (const save::SaveField<Rec>& f : table) {
    out << YAML::Key << std::string(f.name) << YAML::Value;
    if (special && special(f.name)) continue;
    switch (f.kind) {
      case save::SaveFieldKind::kText: out << FixedTextNode(save::BytesOf(f, value), false); break;
      case save::SaveFieldKind::kBytes: Numbers(out, save::BytesOf(f, value)); break;
      default: out << save::NumberOf(f, value); break;
    }
  }
}

void Member(YAML::Emitter& out, const save::MemberRecord& r, const Names& names) {
  const auto special = [&](std::string_view field) {
    if (field == "stats") {
      out << YAML::Flow << YAML::BeginMap;
      TableFields(out, rpgfmt::charstats::kFields, r.stats);
    } else if (field == "equipment") {
      out << YAML::BeginMap;
      for (const rpgfmt::Field& f : rpgfmt::equipment::kFields) {
        const std::uint8_t id = r.equipment[f.offset];
        out << YAML::Key << std::string(f.name) << YAML::Value << YAML::Flow << YAML::BeginMap
            << YAML::Key << "id" << YAML::Value << unsigned(id);
        if (id != 0) {
          names.Add(out, rpgfmt::ResType::kItemRecord, rpgfmt::equipment::kKinds[f.offset], id,
                    rpgfmt::itemrec::kName);
        }
        out << YAML::EndMap;
      }
    } else if (field == "magic") {
      out << YAML::BeginSeq;
      for (const save::MagicRef& m : save::SavedMagics(r)) {
        out << YAML::Flow << YAML::BeginMap << YAML::Key << "class" << YAML::Value
            << unsigned(m.magicClass) << YAML::Key << "id" << YAML::Value << unsigned(m.id);
        names.Add(out, rpgfmt::ResType::kMagicRecord, m.magicClass, m.id, rpgfmt::magicrec::kName);
        out << YAML::EndMap;
      }
    } else {
      return false;
    }
    out << (field == "magic" ? YAML::EndSeq : YAML::EndMap);
    return true;
  };
  out << YAML::BeginMap;
  SaveFields<save::MemberRecord>(out, save::MemberFields(), r, special);
  out << YAML::EndMap;
}

void Inventory(YAML::Emitter& out, const save::MainFile& m, const Names& names) {
  out << YAML::Key << "inventory" << YAML::Value << YAML::BeginSeq;
  for (const save::InventoryEntry& e : save::InventoryInUse(m)) {
    out << YAML::Flow << YAML::BeginMap << YAML::Key << "kind" << YAML::Value << unsigned(e.kind)
        << YAML::Key << "id" << YAML::Value << unsigned(e.id) << YAML::Key << "count"
        << YAML::Value << unsigned(e.count);
    names.Add(out, rpgfmt::ResType::kItemRecord, e.kind, e.id, rpgfmt::itemrec::kName);
    out << YAML::EndMap;
  }
  out << YAML::EndSeq;
}

void FlagsAndVariables(YAML::Emitter& out, const save::MainFile& m) {
  out << YAML::Key << "flagsSet" << YAML::Value << YAML::Flow << YAML::BeginSeq;
  for (std::size_t n = 0; n < 8 * m.eventFlags.size(); ++n) {
    if (m.eventFlags[n / 8] >> (n % 8) & 1) out << n;
  }
  out << YAML::EndSeq << YAML::Key << "variables" << YAML::Value << YAML::Flow << YAML::BeginMap;
  for (std::size_t n = 0; n < m.scriptVars.size(); ++n) {
    if (m.scriptVars[n] != 0) out << YAML::Key << n << YAML::Value << unsigned(m.scriptVars[n]);
  }
  out << YAML::EndMap;
}

void Main(YAML::Emitter& out, const save::MainFile& m, const Names& names) {
  out << YAML::Key << "file" << YAML::Value << "main" << YAML::Key << "state" << YAML::Value
      << YAML::BeginMap;
  SaveFields<save::SavedState>(out, save::Record0Fields(), m.state, nullptr);
  out << YAML::EndMap;
  const std::size_t events = std::min<std::size_t>(m.eventCount, save::kSavedEvents);
  out << YAML::Key << "script" << YAML::Value << YAML::BeginMap << YAML::Key << "length"
      << YAML::Value << m.scriptLength << YAML::Key << "eventCount" << YAML::Value
      << unsigned(m.eventCount) << YAML::Key << "events" << YAML::Value << YAML::Flow
      << std::vector<unsigned>(m.events.begin(), m.events.begin() + std::ptrdiff_t(events))
      << YAML::EndMap;
  FlagsAndVariables(out, m);
  Inventory(out, m, names);
  out << YAML::Key << "mapCharacters" << YAML::Value << YAML::BeginSeq;
  for (std::size_t n = 0; n < m.npcs.size(); ++n) {
    if (!save::Occupied(m.npcs[n])) continue;
    out << YAML::Flow << YAML::BeginMap << YAML::Key << "slot" << YAML::Value << n;
    TableFields(out, rpgfmt::npcmem::kFields, m.npcs[n]);
    out << YAML::EndMap;
  }
  out << YAML::EndSeq;
}

void Members(YAML::Emitter& out, const save::MemberFile& file, const Names& names) {
  out << YAML::Key << "file" << YAML::Value << "members" << YAML::Key << "members" << YAML::Value
      << YAML::BeginSeq;
  for (const auto& r : file.records) {
    if (r) Member(out, *r, names);
  }
  out << YAML::EndSeq;
}

}  // namespace

std::optional<SaveFileWhat> SaveFileFromName(std::string_view path) {
  const auto endsWith = [&](std::string_view ext) {
    return path.size() > ext.size() && path.substr(path.size() - ext.size()) == ext;
  };
  if (endsWith(kParkedExt)) {
    const std::uint8_t c = static_cast<std::uint8_t>(path[path.size() - kParkedExt.size() - 1]);
    const bool named = c > kParkedBase && c - kParkedBase <= save::kLastMemberId;
    return SaveFileWhat{SaveFileType::kParked, std::uint8_t(named ? c - kParkedBase : 0)};
  }
  if (!endsWith(kMainExt)) return std::nullopt;
  const char c = path[path.size() - kMainExt.size() - 1];
  if (c < '0' || c > '5') return std::nullopt;
  return SaveFileWhat{(c - '0') % 2 == 0 ? SaveFileType::kMain : SaveFileType::kMember};
}

codec::Result<std::string> DumpSaveFile(Bytes bytes, SaveFileWhat what,
                                        const rpgfmt::LibraryView* lib) {
  const Names names(lib);
  YAML::Emitter out;
  out << YAML::BeginMap;
  switch (what.type) {
    case SaveFileType::kMain: {
      auto main = save::ParseMainFile(bytes);
      if (!main) return main.error();
      Main(out, *main, names);
      break;
    }
    case SaveFileType::kMember: {
      auto members = save::ParseMemberFile(bytes);
      if (!members) return members.error();
      Members(out, *members, names);
      break;
    }
    case SaveFileType::kParked: {
      const std::uint8_t id =
          what.parkedId != 0 ? what.parkedId : (bytes.size() > 1 ? bytes[1] : 0);
      auto parked = save::ParseParkedFile(bytes, id);
      if (!parked) return parked.error();
      out << YAML::Key << "file" << YAML::Value << "parked" << YAML::Key << "member"
          << YAML::Value;
      Member(out, *parked, names);
      break;
    }
  }
  out << YAML::EndMap;
  return std::string(out.c_str()) + "\n";
}

}  // namespace datlib
