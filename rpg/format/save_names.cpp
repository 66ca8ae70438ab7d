// Names of the saved game's files.
#include "rpg/format/save_names.h"

#include <algorithm>

#include "rpg/format/save_layout.h"

namespace rpgfmt::save {
namespace {

constexpr std::string_view kFolder = "..\\Save\\";
constexpr std::uint8_t kParkedBase = 148;
constexpr char kUnsafeStandIn = '_';

bool UnsafeInName(char c) {
  return c == '/' || c == '\\' || static_cast<unsigned char>(c) < 32;
}

// The title's bytes up to the first zero, at most 8.
std::string_view TitleBytes(std::string_view title) {
  title = title.substr(0, std::min(title.size(), kTitleBytes));
  return title.substr(0, std::min(title.find('\0'), title.size()));
}

}  // namespace

std::string SaveFileName(std::string_view libTitle, SaveFileKind kind, int n) {
  const bool isSlot = kind != SaveFileKind::kParked;
  const bool inRange = isSlot ? n >= 0 && n < kSaveSlots : n >= kFirstMemberId && n <= kLastMemberId;
  if (!inRange) return {};
  std::string name(kFolder);
  for (char c : TitleBytes(libTitle)) name += UnsafeInName(c) ? kUnsafeStandIn : c;
  switch (kind) {
    case SaveFileKind::kMain: return name + char('0' + 2 * n) + ".sav";
    case SaveFileKind::kMember: return name + char('0' + 2 * n + 1) + ".sav";
    case SaveFileKind::kParked: return name + char(kParkedBase + n) + ".savt";
  }
  return {};
}

bool TitleIsFileSafe(std::string_view libTitle) {
  return std::none_of(TitleBytes(libTitle).begin(), TitleBytes(libTitle).end(), UnsafeInName);
}

}  // namespace rpgfmt::save
