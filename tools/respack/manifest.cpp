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

struct ManifestError {
  int line;
  std::string message;
};

int LineOf(const YAML::Node& node) { return node.Mark().line + 1; }

bool ScalarIs(const YAML::Node& node, const char* what) {
  if (!node.IsScalar()) throw ManifestError{LineOf(node), std::string(what) + " must be a single value"};
  return true;
}

std::uint32_t OffsetOf(const YAML::Node& node) {
  ScalarIs(node, "offset");
  const std::string& s = node.Scalar();
  const bool hex = s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X');
  const std::string digits = hex ? s.substr(2) : s;
  const char* allowed = hex ? "0123456789abcdefABCDEF" : "0123456789";
  if (digits.empty() || digits.size() > (hex ? 8u : 10u) || digits.find_first_not_of(allowed) != std::string::npos) {
    throw ManifestError{LineOf(node), "offset '" + s + "' is not a whole number"};
  }
  const unsigned long long v = std::stoull(digits, nullptr, hex ? 16 : 10);
  if (v > 0xFFFFFFFFull) throw ManifestError{LineOf(node), "offset " + s + " does not fit in 32 bits"};
  return std::uint32_t(v);
}

bool KeyOf(const YAML::Node& node) {
  ScalarIs(node, "key");
  const std::string& s = node.Scalar();
  if (s == "true" || s == "yes") return true;
  if (s == "false" || s == "no") return false;
  throw ManifestError{LineOf(node), "key is true or false, not '" + s + "'"};
}

int DepthOf(const YAML::Node& node) {
  ScalarIs(node, "depth");
  const std::string& s = node.Scalar();
  for (const char* d : {"1", "4", "8", "16", "24", "32"}) {
    if (s == d) return std::stoi(s);
  }
  throw ManifestError{LineOf(node), "depth is 1, 4, 8, 16, 24 or 32, not '" + s + "'"};
}

ManifestImage ImageOf(const YAML::Node& node, const std::filesystem::path& base) {
  if (!node.IsMap()) throw ManifestError{LineOf(node), "an image entry is a map with at least 'file'"};
  ManifestImage image;
  image.line = LineOf(node);
  for (const auto& field : node) {
    const std::string key = field.first.as<std::string>();
    const YAML::Node& value = field.second;
    if (key == "file") {
      ScalarIs(value, "file");
      image.file = value.Scalar();
    } else if (key == "key") {
      image.keyed = KeyOf(value);
    } else if (key == "offset") {
      image.offset = OffsetOf(value);
    } else if (key == "depth") {
      image.depth = DepthOf(value);
    } else {
      throw ManifestError{LineOf(field.first), "unknown field '" + key + "' (file, key, offset, depth)"};
    }
  }
  if (image.file.empty()) throw ManifestError{image.line, "image entry without 'file'"};
  image.path = (base / image.file).lexically_normal().string();
  return image;
}

}  // namespace

bool ParseManifest(const std::string& text, const std::string& name, const std::string& baseDir,
                   Manifest& out, std::string& error) {
  out = Manifest{};
  out.name = name;
  try {
    const YAML::Node root = YAML::Load(text);
    if (!root.IsMap() || !root["images"]) throw ManifestError{1, "the manifest needs an 'images' list"};
    const YAML::Node images = root["images"];
    if (!images.IsSequence()) throw ManifestError{LineOf(images), "'images' must be a list"};
    for (const auto& field : root) {
      if (field.first.as<std::string>() != "images") {
        throw ManifestError{LineOf(field.first), "unknown field '" + field.first.as<std::string>() + "'"};
      }
    }
    for (const YAML::Node& node : images) out.images.push_back(ImageOf(node, baseDir));
  } catch (const ManifestError& e) {
    error = name + ":" + std::to_string(e.line) + ": " + e.message;
    return false;
  } catch (const YAML::Exception& e) {
    error = name + ":" + std::to_string(std::max(e.mark.line, 0) + 1) + ": " + e.msg;
    return false;
  }
  return true;
}

bool LoadManifest(const std::string& path, Manifest& out, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  const std::string base = std::filesystem::path(path).parent_path().string();
  return ParseManifest(text.str(), path, base, out, error);
}

}  // namespace respack
