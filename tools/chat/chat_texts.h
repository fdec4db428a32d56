// Text conversions at the terminal: the user types and reads UTF-8, the plugin speaks GBK.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vexlo::chat {

// The GBK form of a line typed in UTF-8, or a one-line reason why it has none.
struct TypedText {
  bool ok = false;
  std::string gbk;      // when ok
  std::string problem;  // when not ok: names the first offending byte or character
};

// Converts a typed UTF-8 line to GBK. Fails when the line is not valid UTF-8 or holds a character
// that GBK cannot hold.
TypedText typedToGbk(std::string_view utf8);

// Returns the UTF-8 form of a GBK text; a byte sequence GBK does not define shows as U+FFFD.
std::string gbkToShown(std::string_view gbk);

// Splits a text into lines at CR LF, CR or LF. The empty text gives no line; a line end at the very
// end gives no empty last line.
std::vector<std::string> splitLines(std::string_view text);

}  // namespace vexlo::chat
