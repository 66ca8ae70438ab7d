#include "tools/datlib/animation_src.h"

#include "rpg/format/picture.h"
#include "rpg/format/records.h"
#include "tools/datlib/field_yaml.h"
#include "tools/datlib/picture_src.h"

namespace datlib {
namespace {

namespace anim = rpgfmt::anim;

void EncodeElements(const YAML::Node& list, rpgfmt::ResKey key, const std::string& file,
                    Diagnostics& diag, std::vector<std::uint8_t>& out) {
  const std::span<const rpgfmt::Field> fields = anim::kElement;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::size_t base = anim::ElementAt(i);
    const YAML::Node& e = list[i];
    if (IsSequence(e) && e.size() == fields.size()) {
      for (std::size_t f = 0; f < fields.size(); ++f) {
        YAML::Node one;
        one[std::string(fields[f].name)] = e[f];
        EncodeFields(one, fields.subspan(f, 1), key, {}, file, diag, out, base);
      }
    } else {
      EncodeFields(e, fields, key, {}, file, diag, out, base);
    }
  }
}

void AppendPictures(const YAML::Node& list, rpgfmt::ResKey key, const std::string& file,
                    const std::string& dir, Diagnostics& diag, std::vector<std::uint8_t>& out) {
  for (const YAML::Node& p : list) {
    if (!IsScalar(p)) {
      diag.Error(PosOf(file, p), "expected a picture file name");
      continue;
    }
    const std::string path = dir.empty() ? p.Scalar() : dir + "/" + p.Scalar();
    auto bytes = CompilePictureFile(path, key, diag);
    if (!bytes) continue;
    if ((*bytes)[rpgfmt::kPicFramesOffset] != 1) {
      diag.Error(PosOf(file, p), "an animation picture holds exactly one frame; \"" + p.Scalar() +
                                     "\" has " +
                                     std::to_string((*bytes)[rpgfmt::kPicFramesOffset]));
      continue;
    }
    out.insert(out.end(), bytes->begin(), bytes->end());
  }
}

bool ListOk(const YAML::Node& node, const char* name, const std::string& file, Diagnostics& diag) {
  if (!node.IsDefined() || (IsSequence(node) && node.size() <= 255)) return true;
  diag.Error(PosOf(file, node), std::string("\"") + name + "\" must be a list of at most 255");
  return false;
}

// Every element must show a picture that exists; the played range must lie
// inside the elements.
void CheckIndexes(const std::vector<std::uint8_t>& out, const YAML::Node& node,
                  const std::string& file, Diagnostics& diag) {
  const std::size_t n = out[anim::kCount], p = out[anim::kPictureCount];
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t pic = out[anim::ElementAt(i) + anim::kElementPicture];
    if (pic >= p) {
      diag.Error(PosOf(file, node["elements"][i]), "element " + std::to_string(i) +
                                                       " shows picture " + std::to_string(pic) +
                                                       " of " + std::to_string(p));
    }
  }
  const std::size_t first = out[anim::kFirst], last = out[anim::kLast];
  if (n > 0 && (first > last || last >= n)) {
    diag.Error(PosOf(file, node), "played range " + std::to_string(first) + ".." +
                                      std::to_string(last) + " lies outside the " +
                                      std::to_string(n) + " elements");
  }
}

}  // namespace

std::optional<std::vector<std::uint8_t>> CompileAnimation(const YAML::Node& node,
                                                          rpgfmt::ResKey key,
                                                          const std::string& file,
                                                          const std::string& dir,
                                                          Diagnostics& diag) {
  const std::size_t before = diag.ErrorCount();
  std::vector<std::uint8_t> out(anim::kHeaderSize, 0);
  std::vector<std::string> extra = kEntryKeys;
  extra.push_back("elements");
  extra.push_back("pictures");
  EncodeFields(node, anim::kHeader, key, extra, file, diag, out);
  if (diag.ErrorCount() != before) return std::nullopt;
  const YAML::Node elements = node["elements"];
  const YAML::Node pictures = node["pictures"];
  if (!ListOk(elements, "elements", file, diag) || !ListOk(pictures, "pictures", file, diag)) {
    return std::nullopt;
  }
  const std::size_t n = elements.IsDefined() ? elements.size() : 0;
  out[anim::kCount] = static_cast<std::uint8_t>(n);
  out[anim::kPictureCount] = static_cast<std::uint8_t>(pictures.IsDefined() ? pictures.size() : 0);
  if (!node["last"].IsDefined() && n > 0) out[anim::kLast] = static_cast<std::uint8_t>(n - 1);
  out.resize(anim::ElementAt(n), 0);
  if (n > 0) EncodeElements(elements, key, file, diag, out);
  if (pictures.IsDefined()) AppendPictures(pictures, key, file, dir, diag, out);
  if (diag.ErrorCount() != before) return std::nullopt;
  CheckIndexes(out, node, file, diag);
  if (diag.ErrorCount() != before) return std::nullopt;
  return out;
}

std::optional<DecodedRecord> DecodeAnimation(std::span<const std::uint8_t> bytes,
                                             rpgfmt::ResKey key, const SourcePos& origin,
                                             Diagnostics& diag) {
  if (bytes.size() < anim::kHeaderSize) return std::nullopt;
  const std::size_t n = bytes[anim::kCount], p = bytes[anim::kPictureCount];
  std::size_t at = anim::ElementAt(n);
  if (at > bytes.size()) return std::nullopt;
  // What the compiler refuses is left to the caller's raw fallback.
  for (std::size_t i = 0; i < n; ++i) {
    if (bytes[anim::ElementAt(i) + anim::kElementPicture] >= p) return std::nullopt;
  }
  const std::size_t first = bytes[anim::kFirst], last = bytes[anim::kLast];
  if (n > 0 && (first > last || last >= n)) return std::nullopt;
  DecodedRecord rec;
  DecodeFields(bytes, 0, anim::kHeader, key, rec.fields);
  YAML::Node elements(YAML::NodeType::Sequence);
  for (std::size_t i = 0; i < n; ++i) {
    YAML::Node e(YAML::NodeType::Sequence);
    for (std::size_t b = 0; b < anim::kElementSize; ++b) {
      e.push_back(static_cast<int>(bytes[anim::ElementAt(i) + b]));
    }
    e.SetStyle(YAML::EmitterStyle::Flow);
    elements.push_back(e);
  }
  rec.fields["elements"] = elements;
  YAML::Node pictures(YAML::NodeType::Sequence);
  for (std::size_t i = 0; i < p; ++i) {
    const std::size_t size = anim::PictureSize(bytes, at);
    if (size == 0 || bytes[at + rpgfmt::kPicFramesOffset] != 1) return std::nullopt;
    auto text = PictureBytesToText(bytes.subspan(at, size), key, origin, diag);
    if (!text) return std::nullopt;
    const std::string name = "anim_" + std::to_string(key.id1) + "_" + std::to_string(key.id2) +
                             "_" + std::to_string(i) + ".txt";
    rec.files.push_back({name, *text});
    pictures.push_back(name);
    at += size;
  }
  rec.fields["pictures"] = pictures;
  rec.size = at;
  return rec;
}

}  // namespace datlib
