#include "rpg/format/library.h"

#include <algorithm>
#include <cstring>

#include "codec/bytes.h"

namespace rpgfmt {
namespace {

constexpr std::array<ResTypeInfo, kResTypeCount> kTypes{{
    {ResType::kScript, "GUT", "script"},
    {ResType::kMap, "MAP", "map"},
    {ResType::kActorRecord, "ARS", "actor"},
    {ResType::kMagicRecord, "MRS", "magic"},
    {ResType::kAnimation, "SRS", "animation"},
    {ResType::kItemRecord, "GRS", "item"},
    {ResType::kTileSet, "TIL", "tileset"},
    {ResType::kActorSheet, "ACP", "sheet"},
    {ResType::kItemPicture, "GDP", "itempic"},
    {ResType::kUnreadGgj, "GGJ", "ggj"},
    {ResType::kPicture, "SUN", "picture"},
    {ResType::kMagicList, "MLR", "magiclist"},
}};

std::string KeyText(ResKey k) {
  return "(" + std::to_string(k.type) + ", " + std::to_string(k.id1) + ", " +
         std::to_string(k.id2) + ")";
}

// Reads directory and location table; false when the header itself is unusable.
bool ReadDirectory(std::span<const std::uint8_t> image, LibraryView& view,
                   std::vector<LibProblem>& problems) {
  if (image.size() < kLibDirOffset || std::memcmp(image.data(), "LIB", kLibMagicSize) != 0) {
    problems.push_back({0, "not a data library (no \"LIB\" header)"});
    return false;
  }
  std::memcpy(view.title.data(), image.data() + kLibTitleOffset, kLibTitleSize);
  const std::size_t dirSize = codec::LoadLe<std::uint16_t>(image.data() + kLibDirSizeOffset);
  if (dirSize % kLibEntrySize != 0) {
    problems.push_back({kLibDirSizeOffset, "directory size " + std::to_string(dirSize) +
                                               " is not a multiple of 3"});
    return false;
  }
  const std::size_t n = dirSize / kLibEntrySize;
  if (n > kLibMaxKeys) {
    problems.push_back({kLibDirSizeOffset, "directory of " + std::to_string(n) +
                                               " keys runs into the location table"});
    return false;
  }
  if (n > 0 && image.size() < kLibLocOffset + n * kLibEntrySize) {
    problems.push_back({kLibDirSizeOffset, "file of " + std::to_string(image.size()) +
                                               " bytes is too short for its location table"});
    return false;
  }
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t d = kLibDirOffset + i * kLibEntrySize;
    const std::size_t l = kLibLocOffset + i * kLibEntrySize;
    LibEntry e;
    e.key = {image[d], image[d + 1], image[d + 2]};
    e.block = image[l];
    e.offset = codec::LoadLe<std::uint16_t>(image.data() + l + 1);
    view.entries.push_back(e);
  }
  return true;
}

// A location must lie in a resource block, after its tag, inside the file,
// and the block's tag must name the key's type.
bool CheckLocation(std::span<const std::uint8_t> image, std::size_t index, const LibEntry& e,
                   std::vector<LibProblem>& problems) {
  const std::size_t loc = kLibLocOffset + index * kLibEntrySize;
  const std::size_t start = std::size_t{e.block} * kLibBlockSize;
  const std::size_t at = start + e.offset;
  const ResTypeInfo* info = FindResType(e.key.type);
  std::string what = "key " + KeyText(e.key);
  if (info == nullptr) {
    problems.push_back({kLibDirOffset + index * kLibEntrySize, what + " has an unknown type"});
    return false;
  }
  if (e.block == 0 || e.offset < kLibTagSize || e.offset >= kLibBlockSize || at >= image.size()) {
    problems.push_back({loc, what + " points at block " + std::to_string(e.block) + " offset " +
                                 std::to_string(e.offset) + ", outside the resource blocks"});
    return false;
  }
  if (std::memcmp(image.data() + start, info->tag, kLibTagSize) != 0) {
    problems.push_back({start, what + " lies in a block without the tag \"" +
                                   std::string(info->tag) + "\""});
    return false;
  }
  return true;
}

// The library stores no sizes: a resource reaches to the next resource of
// its block, or to the end of the block (or of the file).
void ComputeExtents(std::size_t imageSize, std::vector<LibEntry>& entries) {
  std::vector<std::size_t> order(entries.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  auto addr = [&](std::size_t i) {
    return std::size_t{entries[i].block} * kLibBlockSize + entries[i].offset;
  };
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return addr(a) < addr(b);
  });
  for (std::size_t k = 0; k < order.size(); ++k) {
    LibEntry& e = entries[order[k]];
    const std::size_t blockEnd =
        std::min(imageSize, (std::size_t{e.block} + 1) * kLibBlockSize);
    std::size_t end = blockEnd;
    for (std::size_t j = k + 1; j < order.size(); ++j) {
      if (addr(order[j]) > addr(order[k])) {
        end = std::min(end, addr(order[j]));
        break;
      }
    }
    e.extent = end - addr(order[k]);
  }
}

}  // namespace

std::span<const ResTypeInfo> AllResTypes() { return kTypes; }

const ResTypeInfo* FindResType(std::uint8_t type) {
  if (type < 1 || type > kResTypeCount) return nullptr;
  return &kTypes[type - 1];
}

const ResTypeInfo* FindResTypeByName(std::string_view name) {
  for (const ResTypeInfo& t : kTypes) {
    if (name == t.name) return &t;
  }
  return nullptr;
}

const LibEntry* LibraryView::Find(ResKey key) const {
  for (const LibEntry& e : entries) {
    if (e.key == key) return &e;
  }
  return nullptr;
}

std::optional<LibraryView> ReadLibrary(std::span<const std::uint8_t> image,
                                       std::vector<LibProblem>& problems) {
  LibraryView view;
  view.image = image;
  const std::size_t before = problems.size();
  if (!ReadDirectory(image, view, problems)) return std::nullopt;
  for (std::size_t i = 0; i < view.entries.size(); ++i) {
    CheckLocation(image, i, view.entries[i], problems);
    if (i > 0 && view.entries[i].key.type < view.entries[i - 1].key.type) {
      problems.push_back({kLibDirOffset + i * kLibEntrySize,
                          "key " + KeyText(view.entries[i].key) + " breaks the type order"});
    }
    for (std::size_t j = 0; j < i; ++j) {
      if (view.entries[j].key == view.entries[i].key) {
        problems.push_back({kLibDirOffset + i * kLibEntrySize,
                            "key " + KeyText(view.entries[i].key) + " appears twice"});
        break;
      }
    }
  }
  if (problems.size() != before) return std::nullopt;
  ComputeExtents(image.size(), view.entries);
  return view;
}

PackResult WriteLibrary(std::span<const char> title, std::span<const LibResource> resources) {
  PackResult out;
  std::vector<std::size_t> order(resources.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return resources[a].key < resources[b].key;
  });
  auto fail = [&](std::size_t index, std::string msg) {
    out.error = std::move(msg);
    out.errorIndex = index;
    out.image.clear();
    out.blocks.clear();
    return out;
  };
  if (resources.size() > kLibMaxKeys) {
    return fail(kLibMaxKeys, "library holds " + std::to_string(resources.size()) +
                                 " resources; at most " + std::to_string(kLibMaxKeys) +
                                 " keys fit in the directory");
  }
  out.image.assign(kLibBlockSize, 0);
  std::memcpy(out.image.data(), "LIB", kLibMagicSize);
  std::memcpy(out.image.data() + kLibTitleOffset, title.data(),
              std::min(title.size(), kLibTitleSize));
  codec::StoreLe(out.image.data() + kLibDirSizeOffset,
                static_cast<std::uint16_t>(order.size() * kLibEntrySize));

  std::size_t used = kLibBlockSize;  // bytes used in the current block
  for (std::size_t k = 0; k < order.size(); ++k) {
    const LibResource& r = resources[order[k]];
    const ResTypeInfo* info = FindResType(r.key.type);
    if (info == nullptr) return fail(order[k], "unknown resource type " + std::to_string(r.key.type));
    if (k > 0 && resources[order[k - 1]].key == r.key) {
      return fail(order[k], "key " + KeyText(r.key) + " is given twice");
    }
    // An empty resource would share its address with the next one.
    if (r.bytes.empty()) return fail(order[k], "resource " + KeyText(r.key) + " is empty");
    if (r.bytes.size() > kLibMaxResourceSize) {
      return fail(order[k], "resource " + KeyText(r.key) + " of " + std::to_string(r.bytes.size()) +
                                " bytes does not fit in a block (at most " +
                                std::to_string(kLibMaxResourceSize) + ")");
    }
    const bool newType = out.blocks.empty() || out.blocks.back().type != info->type;
    if (newType || used + r.bytes.size() > kLibBlockSize) {
      if (out.blocks.size() == kLibMaxBlocks) {
        return fail(order[k], "resources need more than " + std::to_string(kLibMaxBlocks) +
                                  " blocks of 16384 bytes");
      }
      out.blocks.push_back({info->type, {}});
      // Pads the previous block with zeros, then starts the new one with its tag.
      const std::size_t start = out.blocks.size() * kLibBlockSize;
      out.image.resize(start + kLibTagSize, 0);
      std::memcpy(out.image.data() + start, info->tag, kLibTagSize);
      used = kLibTagSize;
    }
    const std::size_t block = out.blocks.size();
    const std::size_t d = kLibDirOffset + k * kLibEntrySize;
    const std::size_t l = kLibLocOffset + k * kLibEntrySize;
    out.image[d] = r.key.type;
    out.image[d + 1] = r.key.id1;
    out.image[d + 2] = r.key.id2;
    out.image[l] = static_cast<std::uint8_t>(block);
    codec::StoreLe(out.image.data() + l + 1, static_cast<std::uint16_t>(used));
    out.image.insert(out.image.end(), r.bytes.begin(), r.bytes.end());
    out.blocks.back().members.push_back(order[k]);
    used += r.bytes.size();
  }
  // Every block is whole, the last one too, so the file's length never tells
  // where the last resource's own zero bytes end.
  out.image.resize((out.blocks.size() + 1) * kLibBlockSize, 0);
  return out;
}

}  // namespace rpgfmt
