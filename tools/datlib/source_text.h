#pragma once
// Text in sources is UTF-8; in the library it is GB2312. Both directions use
// the platform's GB2312 tables; a character that GB2312 cannot hold is an
// error naming its position in the source text.

#include <optional>
#include <string>
#include <string_view>

#include "tools/datlib/diag.h"

namespace datlib {

// UTF-8 → GB2312 bytes. On a character GB2312 lacks, or ill-formed UTF-8,
// reports at `pos` advanced by the character's column within `text` (for
// single-line texts) and returns nothing.
std::optional<std::string> Utf8ToGb2312(std::string_view text, const SourcePos& pos,
                                        Diagnostics& diag);

// GB2312 → UTF-8; nothing when the bytes are not valid GB2312.
std::optional<std::string> Gb2312ToUtf8(std::string_view bytes);

}  // namespace datlib
