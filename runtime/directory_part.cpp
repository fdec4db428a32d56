// The directory part of a GBK path: the text before its last real backslash.
#include "runtime/directory_part.h"

#include "runtime/unicode_text.h"

namespace vexlo {

std::string directoryPart(std::string_view path) {
  std::size_t lastSeparator = std::string_view::npos;
  std::size_t i = 0;
  while (i < path.size()) {
    if (gbk::isLeadByte(path[i]) && i + 1 < path.size() && path[i + 1] != '\0') {
      i += 2;  // a double-byte character: its trail byte is never a separator
      continue;
    }
    if (path[i] == '\\') lastSeparator = i;
    ++i;
  }
  if (lastSeparator == std::string_view::npos) return {};
  return std::string(path.substr(0, lastSeparator));
}

}  // namespace vexlo
