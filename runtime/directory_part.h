// Splitting a GBK path into its directory and its last name, as the run directory is found from the
// host's executable path.
#pragma once

#include <string>
#include <string_view>

namespace vexlo {

// Returns the text before the last backslash of `path`, reading the path as GBK: a byte 0x5C that
// is the second byte of a double-byte character (lead byte 0x81-0xFE) is no separator. Returns the
// empty text when the path holds no backslash.
std::string directoryPart(std::string_view path);

}  // namespace vexlo
