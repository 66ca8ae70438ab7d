#include "rpg/format/script_file.h"

namespace rpgfmt {

std::optional<ScriptView> ReadScript(std::span<const std::uint8_t> resource, std::string& error) {
  const std::size_t minimum = kScriptHeaderSize + kScriptEventTableOffset;
  if (resource.size() < minimum) {
    error = "script of " + std::to_string(resource.size()) + " bytes is shorter than the " +
            std::to_string(minimum) + " bytes of its header and code length";
    return std::nullopt;
  }
  const std::span<const std::uint8_t> area = resource.subspan(kScriptHeaderSize);
  const std::size_t length =
      area[kScriptCodeLengthOffset] | (area[kScriptCodeLengthOffset + 1] << 8);
  const std::uint8_t events = area[kScriptEventCountOffset];
  const std::size_t bodyStart = ScriptBodyStart(events);
  if (length < bodyStart) {
    error = "code length " + std::to_string(length) + " ends inside the table of " +
            std::to_string(events) + " events";
    return std::nullopt;
  }
  if (length > area.size()) {
    error = "code length " + std::to_string(length) + " runs past the " +
            std::to_string(area.size()) + " bytes after the header";
    return std::nullopt;
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
  auto put16 = [&out](std::size_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  put16(length);
  out.push_back(static_cast<std::uint8_t>(parts.events.size()));
  for (std::uint16_t address : parts.events) put16(address);
  out.insert(out.end(), parts.body.begin(), parts.body.end());
  out.insert(out.end(), parts.tail.begin(), parts.tail.end());
  return out;
}

}  // namespace rpgfmt
