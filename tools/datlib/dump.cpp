#include "tools/datlib/dump.h"

#include <yaml-cpp/yaml.h>

#include "rpg/format/records.h"
#include "tools/datlib/field_yaml.h"
#include "tools/datlib/library_read.h"
#include "tools/datlib/record_src.h"
#include "tools/datlib/resource_sizes.h"
#include "tools/datlib/source_kinds.h"

namespace datlib {
namespace {

using rpgfmt::ResKey;

std::string Stem(ResKey key) {
  const rpgfmt::ResTypeInfo* info = rpgfmt::FindResType(key.type);
  return std::string(info->name) + "_" + std::to_string(key.id1) + "_" + std::to_string(key.id2);
}

// Folder of a file-based source, by type.
std::string FolderOf(ResKey key) {
  switch (static_cast<rpgfmt::ResType>(key.type)) {
    case rpgfmt::ResType::kScript:
      return "scripts/";
    case rpgfmt::ResType::kMap:
      return "maps/";
    case rpgfmt::ResType::kTileSet:
      return "tilesets/";
    default:
      return "pictures/";
  }
}

// Records files are named for their kind; animations share one file.
std::string RecordsFileOf(ResKey key) {
  if (const rpgfmt::RecordLayout* l = rpgfmt::LayoutForKey(key)) {
    return std::string("records/") + l->name + ".yaml";
  }
  return "records/animation.yaml";
}

YAML::Node EntryHead(ResKey key) {
  YAML::Node entry;
  entry["type"] = rpgfmt::FindResType(key.type)->name;
  YAML::Node id;
  id.push_back(static_cast<int>(key.id1));
  id.push_back(static_cast<int>(key.id2));
  id.SetStyle(YAML::EmitterStyle::Flow);
  entry["id"] = id;
  return entry;
}

std::string Emit(const YAML::Node& node) {
  YAML::Emitter out;
  out << node;
  return std::string(out.c_str()) + "\n";
}

struct DumpState {
  FileSet files;
  YAML::Node resources{YAML::NodeType::Sequence};
  std::map<std::string, YAML::Node> records;  // file → list
};

// A record goes into its kind's records file, with any bytes past its own
// end kept as a tail; records the layout cannot express become hex files.
bool DumpRecord(std::span<const std::uint8_t> bytes, ResKey key, const SourcePos& origin,
                DumpState& st, Diagnostics& diag) {
  Diagnostics quiet;
  auto rec = DecodeRecord(bytes, key, origin, quiet);
  if (!rec) return false;
  for (const auto& item : quiet.Items()) {
    if (item.severity == Severity::kWarning) diag.Warning(item.pos, item.message);
  }
  YAML::Node entry = EntryHead(key);
  if (rec->size < bytes.size()) entry["tail"] = ToHex(bytes.subspan(rec->size));
  for (const auto& kv : rec->fields) entry[kv.first] = kv.second;
  for (const SideFile& f : rec->files) st.files["records/" + f.path] = f.text;
  YAML::Node& list = st.records[RecordsFileOf(key)];
  list.push_back(entry);
  return true;
}

void DumpFileResource(std::span<const std::uint8_t> bytes, std::size_t known, ResKey key,
                      const SourcePos& origin, DumpState& st, Diagnostics& diag) {
  const std::size_t own = known > 0 ? known : bytes.size();
  DumpedSource src =
      DecompileSource(bytes.first(own), key, FolderOf(key) + Stem(key), origin, diag);
  YAML::Node entry = EntryHead(key);
  entry["file"] = src.files.front().path;
  if (own < bytes.size()) entry["tail"] = ToHex(bytes.subspan(own));
  entry.SetStyle(YAML::EmitterStyle::Flow);
  st.resources.push_back(entry);
  for (const SourceFile& f : src.files) st.files[f.path] = f.text;
}

}  // namespace

std::optional<FileSet> DumpLibrary(std::span<const std::uint8_t> image, const std::string& name,
                                   Diagnostics& diag) {
  auto lib = ReadLibraryChecked(image, name, diag);
  if (!lib) return std::nullopt;
  const std::vector<ResourceSize> sizes = ResourceSizes(*lib);
  DumpState st;
  for (std::size_t i = 0; i < lib->entries.size(); ++i) {
    const rpgfmt::LibEntry& e = lib->entries[i];
    const auto bytes = lib->Bytes(e).first(sizes[i].size);
    const SourcePos origin = EntryPos(name, e.key);
    if (IsRecordKey(e.key) && DumpRecord(bytes, e.key, origin, st, diag)) continue;
    DumpFileResource(bytes, IsRecordKey(e.key) ? 0 : sizes[i].known, e.key, origin, st, diag);
  }
  YAML::Node project;
  project["title"] = FixedTextNode(
      {reinterpret_cast<const std::uint8_t*>(lib->title.data()), lib->title.size()}, false);
  project["resources"] = st.resources;
  YAML::Node recordFiles(YAML::NodeType::Sequence);
  for (const auto& [file, list] : st.records) {
    recordFiles.push_back(file);
    st.files[file] = Emit(list);
  }
  project["records"] = recordFiles;
  st.files["project.yaml"] = Emit(project);
  return std::move(st.files);
}

}  // namespace datlib
