#include "tools/datlib/field_yaml.h"

#include <algorithm>
#include <set>

#include "codec/bytes.h"
#include "codec/hex.h"
#include "tools/datlib/source_text.h"

namespace datlib {
namespace {

using rpgfmt::Field;
using rpgfmt::FieldKind;

// The YAML path of a field: its group, if any, then its name.
std::vector<std::string> PathOf(const Field& f) {
  if (f.group.empty()) return {std::string(f.name)};
  return {std::string(f.group), std::string(f.name)};
}

YAML::Node Lookup(const YAML::Node& map, const std::vector<std::string>& path) {
  YAML::Node cur = map;
  for (const std::string& p : path) {
    if (!IsMap(cur)) return YAML::Node(YAML::NodeType::Undefined);
    const YAML::Node next = cur[p];
    if (!next.IsDefined()) return next;
    cur.reset(next);
  }
  return cur;
}

std::uint32_t DefaultOf(const Field& f, rpgfmt::ResKey key) {
  switch (f.fallback) {
    case rpgfmt::FieldDefault::kKeyId1:
      return key.id1;
    case rpgfmt::FieldDefault::kKeyId2:
      return key.id2;
    default:
      return 0;
  }
}

// A {hex: "..."} map, the escape hatch for bytes that are no clean text.
std::optional<std::vector<std::uint8_t>> ReadHexNode(const YAML::Node& node,
                                                     const std::string& file, Diagnostics& diag) {
  const YAML::Node hex = node["hex"];
  std::optional<std::vector<std::uint8_t>> bytes;
  if (IsScalar(hex)) bytes = FromHex(hex.Scalar());
  if (!bytes) diag.Error(PosOf(file, node), "expected {hex: \"...\"} with pairs of hex digits");
  return bytes;
}

// Text (or hex) of at most `limit` bytes; `terminated` keeps room for the zero.
std::optional<std::string> ReadTextBytes(const YAML::Node& node, std::size_t limit,
                                         bool terminated, const std::string& file,
                                         Diagnostics& diag) {
  std::optional<std::string> bytes;
  if (IsMap(node)) {
    auto raw = ReadHexNode(node, file, diag);
    if (raw) bytes = std::string(raw->begin(), raw->end());
    terminated = false;
  } else if (IsScalar(node)) {
    bytes = Utf8ToGb2312(node.Scalar(), PosOf(file, node), diag);
  } else {
    diag.Error(PosOf(file, node), "expected a text");
  }
  if (!bytes) return std::nullopt;
  const std::size_t room = terminated ? limit - 1 : limit;
  if (bytes->size() > room) {
    diag.Error(PosOf(file, node), "text of " + std::to_string(bytes->size()) +
                                      " bytes is too long; the field holds " +
                                      std::to_string(room));
    return std::nullopt;
  }
  return bytes;
}

void PutField(std::vector<std::uint8_t>& out, std::size_t at, const Field& f, std::uint32_t v) {
  codec::StoreLe(out.data() + at, v, f.kind == FieldKind::kU16 ? 2 : 1);
}

void EncodeOne(const YAML::Node& node, const Field& f, rpgfmt::ResKey key,
               const std::string& file, Diagnostics& diag, std::vector<std::uint8_t>& out,
               std::size_t at) {
  switch (f.kind) {
    case FieldKind::kU8:
    case FieldKind::kU16: {
      if (!node.IsDefined()) {
        PutField(out, at, f, DefaultOf(f, key));
        return;
      }
      const long hi = f.kind == FieldKind::kU8 ? 255 : 65535;
      if (auto v = ReadInt(node, 0, hi, file, diag)) PutField(out, at, f, static_cast<std::uint32_t>(*v));
      return;
    }
    case FieldKind::kText:
    case FieldKind::kTailText: {
      if (!node.IsDefined()) {
        if (f.kind == FieldKind::kTailText) out.resize(at + 1, 0);
        return;
      }
      const bool tail = f.kind == FieldKind::kTailText;
      const std::size_t limit = tail ? rpgfmt::kLibMaxResourceSize : f.size;
      auto text = ReadTextBytes(node, limit, true, file, diag);
      if (!text) return;
      if (tail) {
        if (text->find('\0') != std::string::npos) {
          diag.Error(PosOf(file, node), "a closing text cannot hold a zero byte");
          return;
        }
        out.resize(at + text->size() + 1, 0);
      }
      std::copy(text->begin(), text->end(), out.begin() + static_cast<std::ptrdiff_t>(at));
      return;
    }
    case FieldKind::kBytes: {
      if (!node.IsDefined()) return;
      if (IsMap(node)) {
        auto raw = ReadHexNode(node, file, diag);
        if (raw && raw->size() > f.size) {
          diag.Error(PosOf(file, node), "at most " + std::to_string(f.size) + " bytes");
        } else if (raw) {
          std::copy(raw->begin(), raw->end(), out.begin() + static_cast<std::ptrdiff_t>(at));
        }
        return;
      }
      if (!IsSequence(node) || node.size() > f.size) {
        diag.Error(PosOf(file, node), "expected a list of at most " + std::to_string(f.size) +
                                          " numbers");
        return;
      }
      for (std::size_t i = 0; i < node.size(); ++i) {
        if (auto v = ReadInt(node[i], 0, 255, file, diag)) out[at + i] = static_cast<std::uint8_t>(*v);
      }
      return;
    }
  }
}

void CheckKeys(const YAML::Node& map, const std::string& prefix,
               const std::set<std::string>& known, const std::string& file, Diagnostics& diag) {
  for (const auto& kv : map) {
    const std::string name = prefix + kv.first.as<std::string>("");
    if (known.count(name) != 0) continue;
    if (IsMap(kv.second) && known.count(name + ".") != 0) {
      CheckKeys(kv.second, name + ".", known, file, diag);
      continue;
    }
    diag.Error(PosOf(file, kv.first), "unknown field \"" + name + "\"");
  }
}

YAML::Node HexNode(std::span<const std::uint8_t> bytes) {
  YAML::Node n;
  n["hex"] = codec::HexEncode(bytes);
  n.SetStyle(YAML::EmitterStyle::Flow);
  return n;
}

YAML::Node TextNode(std::span<const std::uint8_t> bytes, bool fixed) {
  if (fixed) return FixedTextNode(bytes, true);
  const auto zero = std::find(bytes.begin(), bytes.end(), 0);
  const std::string raw(bytes.begin(), zero);
  if (auto text = Gb2312ToUtf8(raw)) return YAML::Node(*text);
  return HexNode(bytes.first(raw.size()));
}

bool IsDefault(std::span<const std::uint8_t> bytes, std::size_t at, const Field& f,
               rpgfmt::ResKey key) {
  switch (f.kind) {
    case FieldKind::kU8:
      return bytes[at] == DefaultOf(f, key);
    case FieldKind::kU16:
      return codec::LoadLe<std::uint16_t>(bytes.data() + at) == DefaultOf(f, key);
    default: {
      const auto run = bytes.subspan(at, f.size);
      return std::all_of(run.begin(), run.end(), [](std::uint8_t b) { return b == 0; });
    }
  }
}

void SetPath(YAML::Node& map, const std::vector<std::string>& path, const YAML::Node& value) {
  if (path.size() == 1) {
    map[path[0]] = value;
    return;
  }
  YAML::Node child = map[path[0]];
  std::vector<std::string> rest(path.begin() + 1, path.end());
  SetPath(child, rest, value);
}

}  // namespace

SourcePos PosOf(const std::string& file, const YAML::Node& node) {
  if (!node.IsDefined()) return {file, 0, 0};
  const YAML::Mark m = node.Mark();
  if (m.is_null()) return {file, 0, 0};
  return {file, m.line + 1, m.column + 1};
}

std::optional<long> ReadInt(const YAML::Node& node, long lo, long hi, const std::string& file,
                            Diagnostics& diag) {
  long v = 0;
  if (!IsScalar(node) || !YAML::convert<long>::decode(node, v)) {
    diag.Error(PosOf(file, node), "expected a whole number");
    return std::nullopt;
  }
  if (v < lo || v > hi) {
    diag.Error(PosOf(file, node), std::to_string(v) + " is out of range " + std::to_string(lo) +
                                      ".." + std::to_string(hi));
    return std::nullopt;
  }
  return v;
}

void EncodeFields(const YAML::Node& map, std::span<const Field> fields, rpgfmt::ResKey key,
                  std::span<const std::string> extraKeys, const std::string& file,
                  Diagnostics& diag, std::vector<std::uint8_t>& out, std::size_t base) {
  std::set<std::string> known(extraKeys.begin(), extraKeys.end());
  for (const Field& f : fields) {
    if (f.counted) continue;
    const std::vector<std::string> path = PathOf(f);
    known.insert(path.size() == 1 ? path[0] : path[0] + "." + path[1]);
    if (path.size() > 1) known.insert(path[0] + ".");
  }
  if (!IsMap(map)) {
    diag.Error(PosOf(file, map), "expected a map of fields");
    return;
  }
  CheckKeys(map, "", known, file, diag);
  for (const Field& f : fields) {
    if (!f.counted) EncodeOne(Lookup(map, PathOf(f)), f, key, file, diag, out, base + f.offset);
  }
}

void DecodeFields(std::span<const std::uint8_t> bytes, std::size_t base,
                  std::span<const Field> fields, rpgfmt::ResKey key, YAML::Node& map) {
  for (const Field& f : fields) {
    const std::size_t at = base + f.offset;
    if (f.counted || (f.quiet && IsDefault(bytes, at, f, key))) continue;
    YAML::Node value;
    switch (f.kind) {
      case FieldKind::kU8:
        value = static_cast<int>(bytes[at]);
        break;
      case FieldKind::kU16:
        value = static_cast<int>(codec::LoadLe<std::uint16_t>(bytes.data() + at));
        break;
      case FieldKind::kText:
        value = TextNode(bytes.subspan(at, f.size), true);
        break;
      case FieldKind::kTailText:
        value = TextNode(bytes.subspan(at), false);
        break;
      case FieldKind::kBytes: {
        for (std::size_t i = 0; i < f.size; ++i) value.push_back(static_cast<int>(bytes[at + i]));
        value.SetStyle(YAML::EmitterStyle::Flow);
        break;
      }
    }
    SetPath(map, PathOf(f), value);
  }
}

YAML::Node FixedTextNode(std::span<const std::uint8_t> bytes, bool terminated) {
  const auto zero = std::find(bytes.begin(), bytes.end(), 0);
  const bool restClean = std::all_of(zero, bytes.end(), [](std::uint8_t b) { return b == 0; });
  if (!restClean || (terminated && zero == bytes.end())) return HexNode(bytes);
  const std::string raw(bytes.begin(), zero);
  if (auto text = Gb2312ToUtf8(raw)) return YAML::Node(*text);
  return HexNode(bytes);
}

std::optional<std::vector<std::uint8_t>> FromHex(const std::string& text) {
  std::string digits = text;
  std::erase_if(digits, [](char c) { return c == ' ' || c == '\n' || c == '\t'; });
  return codec::HexDecode(digits);
}

}  // namespace datlib
