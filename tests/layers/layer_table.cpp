#include "tests/layers/layer_table.h"

namespace layers {
namespace {

constexpr std::string_view kHeader = "| Folder | May include |";

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at = 0; at <= text.size(); ++at) {
    if (at == text.size() || text[at] == separator) {
      parts.emplace_back(text.substr(start, at - start));
      start = at + 1;
    }
  }
  return parts;
}

// The `quoted` words of a table cell.
std::vector<std::string> Quoted(std::string_view cell) {
  std::vector<std::string> words;
  const std::vector<std::string> pieces = Split(cell, '`');
  for (std::size_t i = 1; i < pieces.size(); i += 2) words.push_back(pieces[i]);
  return words;
}

// The folder `pattern` ("games/*/") names that holds `file`, with its `*`
// filled in, or nothing.
std::optional<std::string> FolderOf(const std::string& pattern, const std::string& file) {
  const std::vector<std::string> want = Split(pattern, '/');  // ends with ""
  const std::vector<std::string> have = Split(file, '/');
  if (have.size() < want.size()) return std::nullopt;
  std::string folder;
  for (std::size_t i = 0; i + 1 < want.size(); ++i) {
    if (want[i] != "*" && want[i] != have[i]) return std::nullopt;
    folder += have[i] + "/";
  }
  return folder;
}

bool Allows(const std::string& entry, const Include& include) {
  if (entry == "*") return true;
  if (include.angle) return entry == "<SDL>";
  if (!entry.empty() && entry.back() == '/') return include.name.starts_with(entry);
  return include.name == entry;
}

}  // namespace

std::optional<LayerTable> LayerTable::Parse(std::string_view markdown, std::string* error) {
  LayerTable table;
  bool inTable = false;
  for (const std::string& line : Split(markdown, '\n')) {
    if (!inTable) {
      inTable = line.starts_with(kHeader);
      continue;
    }
    if (line.starts_with("|---")) continue;
    if (!line.starts_with("|")) break;
    const std::vector<std::string> cells = Split(line, '|');
    LayerRow row{Quoted(cells[1]), Quoted(cells.size() > 2 ? cells[2] : "")};
    if (row.folders.empty()) {
      *error = "a row names no folder: " + line;
      return std::nullopt;
    }
    table.rows_.push_back(std::move(row));
  }
  if (table.rows_.empty()) {
    *error = "no table under a \"" + std::string(kHeader) + "\" line";
    return std::nullopt;
  }
  return table;
}

LayerTable::Match LayerTable::Find(const std::string& file) const {
  Match best;
  for (const LayerRow& row : rows_) {
    for (const std::string& pattern : row.folders) {
      const std::optional<std::string> folder = FolderOf(pattern, file);
      const std::size_t depth = Split(pattern, '/').size();
      if (folder && depth > best.depth) best = {&row, *folder, depth};
    }
  }
  return best;
}

std::optional<std::string> LayerTable::Check(const std::string& file,
                                             const Include& include) const {
  const Match match = Find(file);
  if (!match.row) return "no row of the table holds " + file;
  // SDL is the only outside library the table rules on.
  if (include.angle && !include.name.starts_with("SDL")) return std::nullopt;
  if (!include.angle && include.name.starts_with(match.own)) return std::nullopt;
  for (const std::string& entry : match.row->allowed) {
    if (Allows(entry, include)) return std::nullopt;
  }
  std::string allowed;
  for (const std::string& entry : match.row->allowed) {
    allowed += (allowed.empty() ? " and " : ", ") + entry;
  }
  return match.own + " may include only its own folder" + allowed;
}

}  // namespace layers
