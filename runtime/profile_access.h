// Reading and writing one value of a profile file, with the rules every caller of the plugin relies
// on, above whichever platform implementation does the file work.
#pragma once

#include <string>
#include <string_view>

#include "runtime/platform.h"

namespace vexlo {

// Returns the value of `key` in `section` of `file`, or the empty text when there is none. Names end
// at their first NUL, as at the C boundary. Leading bytes 0x01-0x20 of file, section and key are
// skipped; when one of them is then empty, the result
// is the empty text and the file is not read. A value comes back cut after 10239 bytes, never inside
// a double-byte character.
std::string readProfileText(ProfileFiles& files, std::string_view file, std::string_view section,
                            std::string_view key);

// As above, but returns `defaultText` when the key is not in the file (not when it is present with
// an empty value, and not when file, section or key is empty after skipping).
std::string readProfileText(ProfileFiles& files, std::string_view file, std::string_view section,
                            std::string_view key, std::string_view defaultText);

// Makes `key` of `section` hold `value`; returns whether the write succeeded (callers ignore it).
// A write never injects lines or changes another entry: the value is cut at its first CR, LF or
// NUL, and a section or key that holds CR, LF or NUL, that is empty once the leading bytes a read
// skips are gone, or that ends in a lone GBK lead byte, or a key that would read back as another
// entry (holding "=" or starting with "["), is not written at all (the write fails silently).
bool writeProfileText(ProfileFiles& files, std::string_view file, std::string_view section,
                      std::string_view key, std::string_view value);

}  // namespace vexlo
