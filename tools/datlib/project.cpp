#include "tools/datlib/project.h"

#include <yaml-cpp/yaml.h>

#include <cstring>

#include "rpg/format/save_layout.h"
#include "rpg/format/save_names.h"
#include "tools/datlib/field_yaml.h"
#include "tools/datlib/source_text.h"
#include "tools/datlib/record_src.h"
#include "tools/datlib/source_kinds.h"

namespace datlib {
namespace {

struct EntryHead {
  rpgfmt::ResKey key;
  SourcePos pos;
};

std::optional<YAML::Node> LoadYamlFile(const std::string& path, Diagnostics& diag) {
  try {
    return YAML::LoadFile(path);
  } catch (const YAML::BadFile&) {
    diag.Error({path, 0, 0}, "cannot read the file");
  } catch (const YAML::Exception& e) {
    diag.Error({path, e.mark.line + 1, e.mark.column + 1}, e.msg);
  }
  return std::nullopt;
}

// type and id of an entry; both are required.
std::optional<EntryHead> ReadHead(const YAML::Node& entry, const std::string& file,
                                  Diagnostics& diag) {
  EntryHead head{{}, PosOf(file, entry)};
  if (!IsMap(entry)) {
    diag.Error(head.pos, "expected an entry with type and id");
    return std::nullopt;
  }
  const YAML::Node type = entry["type"];
  const rpgfmt::ResTypeInfo* info =
      IsScalar(type) ? rpgfmt::FindResTypeByName(type.Scalar()) : nullptr;
  if (info == nullptr) {
    diag.Error(type.IsDefined() ? PosOf(file, type) : head.pos,
               "expected a resource type (script, map, actor, magic, animation, item, tileset, "
               "sheet, itempic, ggj, picture, magiclist)");
    return std::nullopt;
  }
  const YAML::Node id = entry["id"];
  if (!IsSequence(id) || id.size() != 2) {
    diag.Error(id.IsDefined() ? PosOf(file, id) : head.pos, "expected id: [id1, id2]");
    return std::nullopt;
  }
  auto id1 = ReadInt(id[0], 0, 255, file, diag);
  auto id2 = ReadInt(id[1], 0, 255, file, diag);
  if (!id1 || !id2) return std::nullopt;
  head.key = {static_cast<std::uint8_t>(info->type), static_cast<std::uint8_t>(*id1),
              static_cast<std::uint8_t>(*id2)};
  return head;
}

// Bytes appended after a compiled resource, kept by dumps of libraries whose
// resources carry data past their own end.
bool AppendTail(const YAML::Node& entry, const std::string& file, Diagnostics& diag,
                std::vector<std::uint8_t>& bytes) {
  const YAML::Node tail = entry["tail"];
  if (!tail.IsDefined()) return true;
  auto raw = IsScalar(tail) ? FromHex(tail.Scalar()) : std::nullopt;
  if (!raw) {
    diag.Error(PosOf(file, tail), "tail must be pairs of hex digits");
    return false;
  }
  bytes.insert(bytes.end(), raw->begin(), raw->end());
  return true;
}

// Save files hold the records of characters 1 ... 25 only: a character
// sheet with another id could never be saved.
bool SheetIdFitsSaves(const EntryHead& head, Diagnostics& diag) {
  const rpgfmt::ResKey k = head.key;
  if (k.type != static_cast<std::uint8_t>(rpgfmt::ResType::kActorRecord) || k.id1 != 1 ||
      (k.id2 >= rpgfmt::save::kFirstMemberId && k.id2 <= rpgfmt::save::kLastMemberId)) {
    return true;
  }
  diag.Error(head.pos, "character id " + std::to_string(k.id2) +
                           ": characters are numbered 1 ... 25, the ids a save file holds");
  return false;
}

void AddResource(Project& project, const EntryHead& head, std::vector<std::uint8_t> bytes,
                 Diagnostics& diag) {
  if (!SheetIdFitsSaves(head, diag)) return;
  Resource r;
  r.type = head.key.type;
  r.id1 = head.key.id1;
  r.id2 = head.key.id2;
  r.bytes = std::move(bytes);
  r.origin = head.pos;
  project.resources.push_back(std::move(r));
}

void LoadFileEntry(const YAML::Node& entry, const std::string& file, const std::string& dir,
                   BuildContext& context, Project& project, Diagnostics& diag) {
  auto head = ReadHead(entry, file, diag);
  if (!head) return;
  for (const auto& kv : entry) {
    const std::string k = kv.first.as<std::string>("");
    if (k != "type" && k != "id" && k != "file" && k != "tail") {
      diag.Error(PosOf(file, kv.first), "unknown key \"" + k + "\" in a resource entry");
    }
  }
  const YAML::Node src = entry["file"];
  if (!IsScalar(src)) {
    diag.Error(head->pos, "expected file: the resource's source");
    return;
  }
  const std::string path = JoinPath(dir, src.Scalar());
  auto bytes = CompileSourceFile(path, head->key, context, diag);
  if (!bytes || !AppendTail(entry, file, diag, *bytes)) return;
  AddResource(project, *head, std::move(*bytes), diag);
}

void LoadRecordsFile(const std::string& path, Project& project, Diagnostics& diag) {
  auto doc = LoadYamlFile(path, diag);
  if (!doc) return;
  if (!doc->IsSequence()) {
    diag.Error(PosOf(path, *doc), "a records file is a list of records");
    return;
  }
  const std::string dir = DirOf(path);
  for (const YAML::Node& entry : *doc) {
    auto head = ReadHead(entry, path, diag);
    if (!head) continue;
    if (!IsRecordKey(head->key)) {
      diag.Error(head->pos, "this type and id1 hold no record; name a source file in the "
                            "project's resources instead");
      continue;
    }
    auto bytes = CompileRecord(entry, head->key, path, dir, diag);
    if (!bytes || !AppendTail(entry, path, diag, *bytes)) continue;
    AddResource(project, *head, std::move(*bytes), diag);
  }
}

bool IsTileSetEntry(const YAML::Node& entry) {
  return IsMap(entry) && IsScalar(entry["type"]) && entry["type"].Scalar() == "tileset";
}

bool ReadTitle(const YAML::Node& node, const std::string& file, Project& project,
               Diagnostics& diag) {
  if (!node.IsDefined()) {
    diag.Error({file, 1, 1}, "the project needs a title");
    return false;
  }
  std::optional<std::string> bytes;
  if (IsMap(node) && IsScalar(node["hex"])) {
    if (auto raw = FromHex(node["hex"].Scalar())) bytes = std::string(raw->begin(), raw->end());
  } else if (IsScalar(node)) {
    bytes = Utf8ToGb2312(node.Scalar(), PosOf(file, node), diag);
  }
  if (!bytes || bytes->size() > rpgfmt::kLibTitleSize) {
    diag.Error(PosOf(file, node), "the title is at most 8 bytes of GB2312 text");
    return false;
  }
  if (!rpgfmt::save::TitleIsFileSafe(*bytes)) {
    diag.Error(PosOf(file, node), "the title names the save files: it may not hold \"/\", "
                                  "\"\\\" or control characters");
    return false;
  }
  std::memcpy(project.title.data(), bytes->data(), bytes->size());
  return true;
}

std::optional<Project> LoadProjectFile(const std::string& path, Diagnostics& diag) {
  const std::size_t before = diag.ErrorCount();
  Project project;
  auto doc = LoadYamlFile(path, diag);
  if (!doc) return std::nullopt;
  if (!doc->IsMap()) {
    diag.Error(PosOf(path, *doc), "a project file is a map with title, resources and records");
    return std::nullopt;
  }
  for (const auto& kv : *doc) {
    const std::string k = kv.first.as<std::string>("");
    if (k != "title" && k != "resources" && k != "records") {
      diag.Error(PosOf(path, kv.first), "unknown key \"" + k + "\" in the project");
    }
  }
  ReadTitle((*doc)["title"], path, project, diag);
  const std::string dir = DirOf(path);
  const YAML::Node resources = (*doc)["resources"];
  if (resources.IsDefined() && !IsSequence(resources)) {
    diag.Error(PosOf(path, resources), "resources must be a list");
  } else if (resources.IsDefined()) {
    // Tile sets first: maps take their tiles' walkability from them.
    BuildContext context;
    for (const bool tileSets : {true, false}) {
      for (const YAML::Node& entry : resources) {
        if (IsTileSetEntry(entry) == tileSets) {
          LoadFileEntry(entry, path, dir, context, project, diag);
        }
      }
    }
  }
  const YAML::Node records = (*doc)["records"];
  if (records.IsDefined() && !IsSequence(records)) {
    diag.Error(PosOf(path, records), "records must be a list of file names");
  } else if (records.IsDefined()) {
    for (const YAML::Node& name : records) {
      if (!IsScalar(name)) {
        diag.Error(PosOf(path, name), "expected a file name");
        continue;
      }
      LoadRecordsFile(JoinPath(dir, name.Scalar()), project, diag);
    }
  }
  if (diag.ErrorCount() != before) return std::nullopt;
  return project;
}

}  // namespace

std::string DirOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty() || (!name.empty() && name[0] == '/')) return name;
  return dir + "/" + name;
}

std::optional<Project> LoadProject(const std::string& path, Diagnostics& diag) {
  try {
    return LoadProjectFile(path, diag);
  } catch (const YAML::Exception& e) {
    // Every node is checked before use; this guards what slipped through.
    diag.Error({path, e.mark.line + 1, e.mark.column + 1}, e.msg);
    return std::nullopt;
  }
}

}  // namespace datlib
