#include "tools/datlib/builder.h"

#include <map>
#include <string>

namespace datlib {
namespace {

std::string Where(const SourcePos& pos) {
  std::string out = pos.file;
  if (pos.line > 0) out += ":" + std::to_string(pos.line);
  return out;
}

// Duplicate keys are named with both places, which the packer cannot know.
bool CheckDuplicates(std::span<const Resource> resources, Diagnostics& diag) {
  std::map<rpgfmt::ResKey, const Resource*> seen;
  bool ok = true;
  for (const Resource& r : resources) {
    auto [it, fresh] = seen.emplace(r.Key(), &r);
    if (fresh) continue;
    diag.Error(r.origin, "key (" + std::to_string(r.type) + ", " + std::to_string(r.id1) + ", " +
                             std::to_string(r.id2) + ") is already given at " +
                             Where(it->second->origin));
    ok = false;
  }
  return ok;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> BuildLibrary(std::span<const char> title,
                                                      std::span<const Resource> resources,
                                                      Diagnostics& diag) {
  if (!CheckDuplicates(resources, diag)) return std::nullopt;
  std::vector<rpgfmt::LibResource> input;
  input.reserve(resources.size());
  for (const Resource& r : resources) input.push_back({r.Key(), r.bytes});
  rpgfmt::PackResult packed = rpgfmt::WriteLibrary(title, input);
  if (!packed.error.empty()) {
    const SourcePos pos =
        packed.errorIndex < resources.size() ? resources[packed.errorIndex].origin : SourcePos{};
    diag.Error(pos, packed.error);
    return std::nullopt;
  }
  return std::move(packed.image);
}

}  // namespace datlib
