// Conversions between GBK (code page 936) and Unicode encodings, through the platform's own
// converter (iconv on POSIX, the code-page functions on Windows).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vexlo {

// Returns the UTF-8 form of a GBK text, or nothing when it holds a byte sequence GBK does not define.
std::optional<std::string> gbkToUtf8(std::string_view gbk);

// Returns the GBK form of a UTF-8 text, or nothing when it is not valid UTF-8 or holds a character
// that GBK cannot hold.
std::optional<std::string> utf8ToGbk(std::string_view utf8);

}  // namespace vexlo
