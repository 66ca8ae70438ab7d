#include "rpg/format/script_file.h"

#include "codec/bytes.h"

namespace rpgfmt {

codec::Result<ScriptView> ReadScript(std::span<const std::uint8_t> resource) {
  const std::size_t minimum = kScriptHeaderSize + kScriptEventTableOffset;
  if (resource.size() < minimum) {
    return codec::ErrorAt(0, "script of " + std::to_string(resource.size()) +
                                 " bytes is shorter than the " + std::to_string(minimum) +
                                 " bytes of its header and code length");
  }
  const std::span<const std::uint8_t> area = resource.subspan(kScriptHeaderSize);
  const std::size_t length = codec::LoadLe<std::uint16_t>(area.data() + kScriptCodeLengthOffset);
  const std::uint8_t events = area[kScriptEventCountOffset];
  const std::size_t bodyStart = ScriptBodyStart(events);
  constexpr std::size_t kLengthAt = kScriptHeaderSize + kScriptCodeLengthOffset;
  if (length < bodyStart) {
    return codec::ErrorAt(kLengthAt, "code length " + std::to_string(length) +
                                         " ends inside the table of " + std::to_string(events) +
                                         " events");
  }
  if (length > area.size()) {
    return codec::ErrorAt(kLengthAt, "code length " + std::to_string(length) + " runs past the " +
                                         std::to_string(area.size()) + " bytes after the header");
  }
  ScriptView view;
  view.header = resource.first(kScriptHeaderSize);
  view.code = area.first(length);
  view.tail = area.subspan(length);
  view.eventCount = events;
  return view;
}

std::optional<std::vector<std::uint8_t>> WriteScript(const ScriptParts& parts, std::string& error) {
  if (parts.events.size() > kScriptMaxEvents) {
    error = std::to_string(parts.events.size()) + " events; a script holds at most " +
            std::to_string(kScriptMaxEvents);
    return std::nullopt;
  }
  const std::size_t length = ScriptBodyStart(parts.events.size()) + parts.body.size();
  if (length > kScriptMaxCode) {
    error = "code of " + std::to_string(length) + " bytes; a script's code holds at most " +
            std::to_string(kScriptMaxCode);
    return std::nullopt;
  }
  std::vector<std::uint8_t> out(parts.header.begin(), parts.header.end());
  out.reserve(kScriptHeaderSize + length + parts.tail.size());
  codec::AppendLe(out, static_cast<std::uint16_t>(length));
  out.push_back(static_cast<std::uint8_t>(parts.events.size()));
  for (std::uint16_t address : parts.events) codec::AppendLe(out, address);
  out.insert(out.end(), parts.body.begin(), parts.body.end());
  out.insert(out.end(), parts.tail.begin(), parts.tail.end());
  return out;
}

}  // namespace rpgfmt
