#include "tools/datlib/dump.h"

#include "codec/hex.h"
#include "rpg/format/records.h"
#include "tools/datlib/dump_state.h"
#include "tools/datlib/field_yaml.h"
#include "tools/datlib/library_read.h"
#include "tools/datlib/record_src.h"
#include "tools/datlib/resource_sizes.h"
#include "tools/datlib/source_kinds.h"

namespace datlib {
namespace {

using rpgfmt::ResKey;
using rpgfmt::ResType;

// Records files are named for their kind; animations share one file.
std::string RecordsFileOf(ResKey key) {
  if (const rpgfmt::RecordLayout* l = rpgfmt::LayoutForKey(key)) {
    return std::string("records/") + l->name + ".yaml";
  }
  return "records/animation.yaml";
}

std::string Emit(const YAML::Node& node) {
  YAML::Emitter out;
  out << node;
  return std::string(out.c_str()) + "\n";
}

// A record goes into its kind's records file, with any bytes past its own
// end kept as a tail; records the layout cannot express become hex files.
bool DumpRecord(const DumpInput& in, DumpState& st, Diagnostics& diag) {
  Diagnostics local;
  auto rec = DecodeRecord(in.bytes, in.key, in.origin, local);
  if (!rec) return false;
  for (const auto& item : local.Items()) {
    if (item.severity == Severity::kWarning) diag.Warning(item.pos, item.message);
  }
  YAML::Node entry = EntryHead(in.key);
  if (rec->size < in.bytes.size()) entry["tail"] = codec::HexEncode(in.bytes.subspan(rec->size));
  for (const auto& kv : rec->fields) entry[kv.first] = kv.second;
  for (const SideFile& f : rec->files) st.files["records/" + f.path] = f.text;
  st.records[RecordsFileOf(in.key)].push_back(entry);
  return true;
}

std::string FolderOf(ResKey key) {
  switch (static_cast<ResType>(key.type)) {
    case ResType::kScript:
      return "scripts/";
    case ResType::kActorSheet:
    case ResType::kItemPicture:
    case ResType::kPicture:
      return "pictures/";
    default:
      return "raw/";
  }
}

void DumpFileResource(const DumpInput& in, DumpState& st, Diagnostics& diag) {
  const std::size_t own = in.known > 0 ? in.known : in.bytes.size();
  DumpedSource src =
      DecompileSource(in.bytes.first(own), in.key, FolderOf(in.key) + Stem(in.key), in.origin, diag);
  for (const SourceFile& f : src.files) st.files[f.path] = f.text;
  AddFileEntry(in.key, src.files.front().path, in.bytes, own, st);
}

}  // namespace

std::string Stem(ResKey key) {
  const rpgfmt::ResTypeInfo* info = rpgfmt::FindResType(key.type);
  return std::string(info->name) + "_" + std::to_string(key.id1) + "_" + std::to_string(key.id2);
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

void AddFileEntry(ResKey key, const std::string& file, std::span<const std::uint8_t> bytes,
                  std::size_t own, DumpState& st) {
  YAML::Node entry = EntryHead(key);
  entry["file"] = file;
  if (own < bytes.size()) entry["tail"] = codec::HexEncode(bytes.subspan(own));
  entry.SetStyle(YAML::EmitterStyle::Flow);
  st.resources.push_back(entry);
}

void AddHexEntry(ResKey key, std::span<const std::uint8_t> bytes, DumpState& st) {
  const std::string file = "raw/" + Stem(key) + ".hex";
  st.files[file] = WriteHexText(bytes);
  AddFileEntry(key, file, bytes, bytes.size(), st);
}

std::optional<DumpResult> DumpLibrary(std::span<const std::uint8_t> image,
                                      const std::string& name, Diagnostics& diag) {
  auto lib = ReadLibraryChecked(image, name, diag);
  if (!lib) return std::nullopt;
  const std::vector<ResourceSize> sizes = ResourceSizes(*lib);
  DumpState st;
  std::vector<DumpInput> tileSets, maps;
  for (std::size_t i = 0; i < lib->entries.size(); ++i) {
    const rpgfmt::LibEntry& e = lib->entries[i];
    const DumpInput in{e.key, lib->Bytes(e).first(sizes[i].size), sizes[i].known,
                       EntryPos(name, e.key)};
    const auto type = static_cast<ResType>(e.key.type);
    if (type == ResType::kTileSet) {
      tileSets.push_back(in);
    } else if (type == ResType::kMap) {
      maps.push_back(in);
    } else if (IsRecordKey(e.key)) {
      if (!DumpRecord(in, st, diag)) {
        diag.Warning(in.origin, "kept as raw bytes: they do not hold a whole record");
        AddHexEntry(e.key, in.bytes, st);
      }
    } else {
      DumpFileResource(in, st, diag);
    }
  }
  DumpMapsAndTileSets(tileSets, maps, st, diag);
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
  return DumpResult{std::move(st.files), std::move(st.tiled)};
}

}  // namespace datlib
