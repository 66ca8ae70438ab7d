// Outside text the system services read: ini files, GB2312 and UTF-8
// strings, command lines and file-name patterns.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/sys/gb2312.h"
#include "platform/sys/ini.h"
#include "platform/sys/process.h"
#include "platform/sys/wildcard.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  plat::Gb2312ToUtf8(input);
  plat::Utf8ToGb2312(input);
  if (auto value = plat::FindProfileValue(input, "LCD", "width")) plat::ParseProfileInt(*value);
  std::string line(input);
  plat::SplitCommandLine(line.c_str());
  std::size_t newline = input.find('\n');
  if (newline != std::string_view::npos) {
    plat::MatchFilePattern(input.substr(0, newline), input.substr(newline + 1));
  }
  return 0;
}
