#pragma once
// The layering table of docs/layers.md, read from its Markdown: which folder
// may include which. Check() answers for one include of one file.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace layers {

struct LayerRow {
  std::vector<std::string> folders;  // "host/", "games/*/"
  std::vector<std::string> allowed;  // "codec/", "platform/sys/msgbox.h", "*", "<SDL>"
};

// One #include of a source file.
struct Include {
  std::string name;    // as written between the quotes or angle brackets
  bool angle = false;  // <...> rather than "..."
  int line = 0;
};

class LayerTable {
 public:
  // The table under the "| Folder | May include |" header line; nothing, and
  // `error` set, when there is none or a row names no folder.
  static std::optional<LayerTable> Parse(std::string_view markdown, std::string* error);

  const std::vector<LayerRow>& rows() const { return rows_; }

  // Why `file` (a path from the source root) may not include `include`, or
  // nothing when it may. Whether a quoted include names an existing file is
  // the caller's to check.
  std::optional<std::string> Check(const std::string& file, const Include& include) const;

 private:
  struct Match {
    const LayerRow* row = nullptr;
    std::string own;  // the folder the file is in, "*" filled in
    std::size_t depth = 0;
  };
  Match Find(const std::string& file) const;

  std::vector<LayerRow> rows_;
};

}  // namespace layers
