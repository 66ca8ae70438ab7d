#pragma once
// Reading settings from ini files, like GetPrivateProfileIntA.

#include <optional>
#include <string>
#include <string_view>

namespace plat {

// The integer under `key` in `[section]` of the ini file `iniPath` (a
// Windows-style path, relative to the current folder). Section and key
// names compare case-insensitively; the first matching key wins.
//
// Returns `defaultValue` when the file, the section or the key is missing or
// the value is empty. Otherwise the value is read like the platform does:
// leading white space, an optional sign, then decimal digits or, after "0x",
// hexadecimal ones, stopping at the first byte that is not a digit ("55zz"
// gives 55); no digits give 0. The result is the value modulo 2^32, so a
// negative value reads back through an int ("-1" gives 0xFFFFFFFF).
unsigned GetPrivateProfileIntA(const char* section, const char* key, int defaultValue,
                               const char* iniPath);

// The raw (trimmed, unquoted) text of a key, or nothing when the file,
// section or key is missing.
std::optional<std::string> ReadProfileString(const char* section, const char* key,
                                             const char* iniPath);

// The value of a key in ini text already in memory.
std::optional<std::string> FindProfileValue(std::string_view iniText, const char* section,
                                            const char* key);

// The integer parse above on its own.
unsigned ParseProfileInt(const std::string& text);

}  // namespace plat
