#include "tools/respack/manifest.h"

#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace respack {
namespace {

int LineOf(const YAML::Node& node) { return node.Mark().line + 1; }

class ManifestReader {
 public:
  ManifestReader(const std::string& name, codec::Diagnostics& diag) : name_(name), diag_(diag) {}

  bool Read(const YAML::Node& root, const std::filesystem::path& base, Manifest& out) {
    if (!root.IsMap() || !root["images"]) return Fail(root, "the manifest needs an 'images' list", 1);
    const YAML::Node images = root["images"];
    if (!images.IsSequence()) return Fail(images, "'images' must be a list");
    for (const auto& field : root) {
      if (field.first.as<std::string>() != "images") {
        return Fail(field.first, "unknown field '" + field.first.as<std::string>() + "'");
      }
    }
    for (const YAML::Node& node : images) {
      ManifestImage image;
      if (!Image(node, base, image)) return false;
      out.images.push_back(std::move(image));
    }
    return true;
  }

 private:
  // Reports at the node; `line` replaces its line where the node has none.
  bool Fail(const YAML::Node& at, std::string message, int line = 0) {
    const YAML::Mark mark = at.Mark();
    diag_.Error({name_, line ? line : mark.line + 1, line ? 0 : mark.column + 1}, std::move(message));
    return false;
  }

  bool Scalar(const YAML::Node& node, const char* what) {
    return node.IsScalar() || Fail(node, std::string(what) + " must be a single value");
  }

  bool Offset(const YAML::Node& node, std::optional<std::uint32_t>& out) {
    if (!Scalar(node, "offset")) return false;
    const std::string& s = node.Scalar();
    const bool hex = s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X');
    const std::string digits = hex ? s.substr(2) : s;
    const char* allowed = hex ? "0123456789abcdefABCDEF" : "0123456789";
    if (digits.empty() || digits.size() > (hex ? 8u : 10u) ||
        digits.find_first_not_of(allowed) != std::string::npos) {
      return Fail(node, "offset '" + s + "' is not a whole number");
    }
    const unsigned long long v = std::stoull(digits, nullptr, hex ? 16 : 10);
    if (v > 0xFFFFFFFFull) return Fail(node, "offset " + s + " does not fit in 32 bits");
    out = std::uint32_t(v);
    return true;
  }

  bool Key(const YAML::Node& node, bool& out) {
    if (!Scalar(node, "key")) return false;
    const std::string& s = node.Scalar();
    out = s == "true" || s == "yes";
    if (out || s == "false" || s == "no") return true;
    return Fail(node, "key is true or false, not '" + s + "'");
  }

  bool Depth(const YAML::Node& node, std::optional<int>& out) {
    if (!Scalar(node, "depth")) return false;
    const std::string& s = node.Scalar();
    for (const char* d : {"1", "4", "8", "16", "24", "32"}) {
      if (s == d) {
        out = std::stoi(s);
        return true;
      }
    }
    return Fail(node, "depth is 1, 4, 8, 16, 24 or 32, not '" + s + "'");
  }

  bool Image(const YAML::Node& node, const std::filesystem::path& base, ManifestImage& image) {
    if (!node.IsMap()) return Fail(node, "an image entry is a map with at least 'file'");
    image.line = LineOf(node);
    for (const auto& field : node) {
      const std::string key = field.first.as<std::string>();
      const YAML::Node& value = field.second;
      bool ok = true;
      if (key == "file") {
        ok = Scalar(value, "file");
        if (ok) image.file = value.Scalar();
      } else if (key == "key") {
        ok = Key(value, image.keyed);
      } else if (key == "offset") {
        ok = Offset(value, image.offset);
      } else if (key == "depth") {
        ok = Depth(value, image.depth);
      } else {
        ok = Fail(field.first, "unknown field '" + key + "' (file, key, offset, depth)");
      }
      if (!ok) return false;
    }
    if (image.file.empty()) return Fail(node, "image entry without 'file'");
    image.path = (base / image.file).lexically_normal().string();
    return true;
  }

  const std::string& name_;
  codec::Diagnostics& diag_;
};

}  // namespace

bool ParseManifest(const std::string& text, const std::string& name, const std::string& baseDir,
                   Manifest& out, codec::Diagnostics& diag) {
  out = Manifest{};
  out.name = name;
  // yaml-cpp reports bad YAML (and a key that is no text) by throwing.
  try {
    if (ManifestReader(name, diag).Read(YAML::Load(text), baseDir, out)) return true;
  } catch (const YAML::Exception& e) {
    diag.Error({name, std::max(e.mark.line, 0) + 1, std::max(e.mark.column, 0) + 1}, e.msg);
  }
  return false;
}

bool LoadManifest(const std::string& path, Manifest& out, codec::Diagnostics& diag) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    diag.Error({path, 0, 0}, std::string("cannot read the file: ") + std::strerror(errno));
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  const std::string base = std::filesystem::path(path).parent_path().string();
  return ParseManifest(text.str(), path, base, out, diag);
}

}  // namespace respack
