#include "tools/datlib/source_kinds.h"

#include <yaml-cpp/yaml.h>

#include <fstream>
#include <sstream>

#include "codec/hex.h"
#include "rpg/format/map.h"
#include "rpg/format/picture.h"
#include "rpg/format/script_file.h"
#include "tools/datlib/field_yaml.h"
#include "tools/datlib/map_src.h"
#include "tools/datlib/picture_src.h"
#include "tools/datlib/project.h"
#include "tools/datlib/record_src.h"
#include "tools/datlib/script_asm.h"
#include "tools/datlib/script_disasm.h"

namespace datlib {
namespace {

using rpgfmt::ResType;

bool EndsWith(const std::string& s, const std::string& suffix) {
  return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::optional<std::string> ReadText(const std::string& path, Diagnostics& diag) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    diag.Error({path, 0, 0}, "cannot read the file");
    return std::nullopt;
  }
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::optional<std::vector<std::uint8_t>> CompileScriptFile(const std::string& path,
                                                           Diagnostics& diag) {
  auto text = ReadText(path, diag);
  if (!text) return std::nullopt;
  auto script = AssembleScript(*text, path, diag);
  if (!script) return std::nullopt;
  return std::move(script->bytes);
}

// A record given in a file of its own: the file is the record's field map.
std::optional<std::vector<std::uint8_t>> CompileRecordFile(const std::string& path,
                                                           rpgfmt::ResKey key,
                                                           Diagnostics& diag) {
  try {
    const YAML::Node node = YAML::LoadFile(path);
    return CompileRecord(node, key, path, DirOf(path), diag);
  } catch (const YAML::BadFile&) {
    diag.Error({path, 0, 0}, "cannot read the file");
  } catch (const YAML::Exception& e) {
    diag.Error({path, e.mark.line + 1, e.mark.column + 1}, e.msg);
  }
  return std::nullopt;
}

// Pictures whose padding bits are set would lose them in a picture source.
bool IsExactPicture(std::span<const std::uint8_t> bytes) {
  const auto read = rpgfmt::DecodePicture(bytes);
  return read && read->paddingClean && read->size == bytes.size();
}

bool IsPictureType(ResType t) {
  return t == ResType::kActorSheet || t == ResType::kItemPicture || t == ResType::kPicture;
}

// Tile sets of id1 1 are the ones maps use; their walkability is kept for
// the maps compiled after them.
std::optional<std::vector<std::uint8_t>> CompileTileSet(const std::string& path,
                                                        rpgfmt::ResKey key,
                                                        BuildContext& context,
                                                        Diagnostics& diag) {
  auto src = LoadTileSetSource(path, key, diag);
  if (!src) return std::nullopt;
  auto bytes = CompileTileSetFile(path, key, diag);
  if (bytes && key.id1 == 1) context.tileSets[key.id2] = src->info;
  return bytes;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> CompileSourceFile(const std::string& path,
                                                           rpgfmt::ResKey key,
                                                           BuildContext& context,
                                                           Diagnostics& diag) {
  if (EndsWith(path, ".hex")) {
    auto text = ReadText(path, diag);
    if (!text) return std::nullopt;
    return ParseHexText(*text, path, diag);
  }
  const auto type = static_cast<ResType>(key.type);
  if (IsRecordKey(key)) return CompileRecordFile(path, key, diag);
  if (type == ResType::kScript) return CompileScriptFile(path, diag);
  if (IsPictureType(type)) return CompilePictureFile(path, key, diag);
  if (type == ResType::kTileSet) return CompileTileSet(path, key, context, diag);
  if (type == ResType::kMap) {
    const TileSetLookup lookup = [&context](std::uint8_t n) -> const TileSetInfo* {
      auto it = context.tileSets.find(n);
      return it == context.tileSets.end() ? nullptr : &it->second;
    };
    return CompileMapFile(path, key, lookup, diag);
  }
  diag.Error({path, 0, 0}, "a resource of type " + std::to_string(key.type) + " with id1 " +
                               std::to_string(key.id1) +
                               " has no source format; give its bytes as a .hex file");
  return std::nullopt;
}

std::size_t KnownSize(std::span<const std::uint8_t> bytes, rpgfmt::ResKey key) {
  const auto type = static_cast<ResType>(key.type);
  if (type == ResType::kScript) {
    auto view = rpgfmt::ReadScript(bytes);
    return view ? rpgfmt::kScriptHeaderSize + view->code.size() : 0;
  }
  if (type == ResType::kMap) {
    auto read = rpgfmt::DecodeMap(bytes);
    return read ? read->size : 0;
  }
  if (IsPictureType(type) || type == ResType::kTileSet) {
    auto read = rpgfmt::DecodePicture(bytes);
    return read ? read->size : 0;
  }
  Diagnostics quiet;
  if (IsRecordKey(key)) {
    auto rec = DecodeRecord(bytes, key, {}, quiet);
    return rec ? rec->size : 0;
  }
  return 0;
}

DumpedSource DecompileSource(std::span<const std::uint8_t> bytes, rpgfmt::ResKey key,
                             const std::string& stem, const SourcePos& origin,
                             Diagnostics& diag) {
  const auto type = static_cast<ResType>(key.type);
  std::optional<std::string> text;
  std::string ext;
  if (type == ResType::kScript) {
    text = DisassembleScript(bytes, origin, diag);
    ext = ".gsa";
  } else if (IsPictureType(type) && IsExactPicture(bytes)) {
    text = PictureBytesToText(bytes, key, origin, diag);
    ext = ".txt";
  }
  if (text) return {{{stem + ext, *text}}};
  if (!ext.empty() || IsPictureType(type)) {
    diag.Warning(origin, "kept as raw bytes: they cannot be written as a source file");
  }
  return {{{stem + ".hex", WriteHexText(bytes)}}};
}

std::string WriteHexText(std::span<const std::uint8_t> bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); i += 16) {
    out += codec::HexEncode(bytes.subspan(i, std::min<std::size_t>(16, bytes.size() - i)));
    out += '\n';
  }
  return out;
}

std::optional<std::vector<std::uint8_t>> ParseHexText(const std::string& text,
                                                      const std::string& file,
                                                      Diagnostics& diag) {
  std::vector<std::uint8_t> out;
  std::istringstream in(text);
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    const std::string data = line.substr(0, line.find('#'));
    auto bytes = FromHex(data);
    if (!bytes) {
      diag.Error({file, lineNo, 1}, "expected pairs of hex digits");
      return std::nullopt;
    }
    out.insert(out.end(), bytes->begin(), bytes->end());
  }
  return out;
}

}  // namespace datlib
