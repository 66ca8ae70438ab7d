// Member records: the member file of a slot and a parked member's file.
#include <algorithm>
#include <string>

#include "rpg/format/actor_records.h"
#include "rpg/format/save_field_io.h"
#include "rpg/format/save_layout.h"

namespace rpgfmt::save {
namespace {

using codec::ErrorAt;

// Parked files whose first byte is one of these hold no member.
constexpr std::uint8_t kParkedUnusedMarks[] = {224, 255};

std::string Num(std::size_t n) { return std::to_string(n); }

const std::uint8_t* RecordAt(std::span<const std::uint8_t> bytes, std::size_t id) {
  return bytes.data() + (id - 1) * kMemberRecordSize;
}

// Facing and step of a record that holds its member; `base` is where the
// record starts in the file.
std::optional<codec::Error> CheckPose(const MemberRecord& r, std::size_t base) {
  if (r.facing < actor::kFirstFacing || r.facing > actor::kLastFacing) {
    return ErrorAt(base + actor::kFacing,
                   "character " + Num(r.id) + " has facing " + Num(r.facing));
  }
  if (r.step > actor::kLastStep) {
    return ErrorAt(base + actor::kStep, "character " + Num(r.id) + " has step " + Num(r.step));
  }
  return std::nullopt;
}

std::optional<codec::Error> CheckPartyRecords(const MemberFile& file, std::size_t size,
                                              std::span<const std::uint8_t> partyIds) {
  for (std::uint8_t id : partyIds) {
    if (id == 0) continue;
    if (id > kLastMemberId) {
      return ErrorAt(0, "character " + Num(id) + " cannot be held in a member file");
    }
    const std::size_t base = (id - 1) * kMemberRecordSize;
    if (base >= size) {
      return ErrorAt(size, "the record of party member " + Num(id) + " is missing");
    }
    if (!file.records[id - 1]) {
      return ErrorAt(base + actor::kId, "the record at the place of party member " + Num(id) +
                                            " belongs to no one or another character");
    }
  }
  return std::nullopt;
}

}  // namespace

Bytes<kMemberRecordSize> BuildMemberRecord(const MemberRecord& value) {
  Bytes<kMemberRecordSize> out{};
  StoreFields(MemberFields(), value, out.data());
  return out;
}

std::vector<std::uint8_t> BuildMemberFile(const MemberFile& value) {
  std::size_t last = 0;
  for (std::size_t i = 0; i < value.records.size(); ++i) {
    if (value.records[i]) last = i + 1;
  }
  std::vector<std::uint8_t> out(last * kMemberRecordSize, 0);
  for (std::size_t i = 0; i < last; ++i) {
    if (!value.records[i]) continue;
    const auto record = BuildMemberRecord(*value.records[i]);
    std::copy(record.begin(), record.end(),
              out.begin() + static_cast<std::ptrdiff_t>(i * kMemberRecordSize));
  }
  return out;
}

codec::Result<MemberFile> ParseMemberFile(std::span<const std::uint8_t> bytes,
                                          std::span<const std::uint8_t> partyIds) {
  const std::size_t whole = bytes.size() - bytes.size() % kMemberRecordSize;
  if (whole != bytes.size()) {
    return ErrorAt(whole, "a member file holds records of 172 bytes; this one is " +
                              Num(bytes.size()) + " bytes long");
  }
  MemberFile file;
  const std::size_t held = std::min<std::size_t>(bytes.size() / kMemberRecordSize, kLastMemberId);
  for (std::size_t id = 1; id <= held; ++id) {
    const std::uint8_t* at = RecordAt(bytes, id);
    if (at[actor::kId] != id) continue;  // a zero record or another's: not held
    MemberRecord record = LoadFields(MemberFields(), at);
    if (auto error = CheckPose(record, (id - 1) * kMemberRecordSize)) return *error;
    file.records[id - 1] = record;
  }
  if (auto error = CheckPartyRecords(file, bytes.size(), partyIds)) return *error;
  return file;
}

std::vector<std::uint8_t> BuildParkedFile(const MemberRecord& value) {
  const auto record = BuildMemberRecord(value);
  return {record.begin(), record.end()};
}

codec::Result<MemberRecord> ParseParkedFile(std::span<const std::uint8_t> bytes,
                                            std::uint8_t id) {
  if (bytes.size() != kMemberRecordSize) {
    return ErrorAt(std::min(bytes.size(), kMemberRecordSize),
                   "a parked file is 172 bytes, this one " + Num(bytes.size()));
  }
  const std::uint8_t mark = bytes[actor::kPicGroup];
  if (std::find(std::begin(kParkedUnusedMarks), std::end(kParkedUnusedMarks), mark) !=
      std::end(kParkedUnusedMarks)) {
    return ErrorAt(actor::kPicGroup, "the parked file is marked unused (" + Num(mark) + ")");
  }
  if (bytes[actor::kId] != id || id < kFirstMemberId || id > kLastMemberId) {
    return ErrorAt(actor::kId, "the parked file of character " + Num(id) + " holds character " +
                                   Num(bytes[actor::kId]));
  }
  MemberRecord record = LoadFields(MemberFields(), bytes.data());
  if (auto error = CheckPose(record, 0)) return *error;
  return record;
}

std::vector<ItemRef> WornItems(const MemberRecord& value) {
  std::vector<ItemRef> out;
  for (std::size_t place = 0; place < value.equipment.size(); ++place) {
    if (value.equipment[place] != 0) {
      out.push_back({equipment::kKinds[place], value.equipment[place]});
    }
  }
  return out;
}

std::vector<MagicRef> SavedMagics(const MemberRecord& value) {
  std::vector<MagicRef> out;
  const std::size_t n = std::min<std::size_t>(value.magicCount, kSavedMagics);
  for (std::size_t k = 0; k < n; ++k) out.push_back({value.magic[2 * k], value.magic[2 * k + 1]});
  return out;
}

}  // namespace rpgfmt::save
