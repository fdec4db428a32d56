// Text operations on GBK byte strings.
//
// A text is a std::string of GBK bytes; the empty string is the empty text. Wherever a text is
// scanned for a search text or a delimiter, a byte of 0x80 or above followed by a byte other than
// NUL is one double-byte character, so a GBK trail byte equal to "|" or "." is never matched.
// None of these functions keeps state; all may be called from any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexlo {

// A counted list of texts; positions count from 1 for the first element.
using TextArray = std::vector<std::string>;

// Returns the number of bytes of the text.
std::size_t textLength(std::string_view text);

// Returns a fresh copy of the text.
std::string copyText(std::string_view text);

// Returns the texts joined in order, with nothing between them.
std::string concatTexts(std::initializer_list<std::string_view> parts);

// Returns 0 when both texts hold the same bytes, else a negative value when `a` sorts first
// (unsigned byte order, a text that ends first sorts first) and a positive one otherwise.
int compareTexts(std::string_view a, std::string_view b);

// Returns `text` with occurrences of `search` replaced by `replacement`, scanning from the 1-based
// `start` position (absent or below 1: from the first byte) and replacing at most `count`
// occurrences (absent or negative: no limit; 0: none). Matches never start on the second byte of
// a double-byte character and never overlap; a lone lead byte at the very end of the text is
// dropped when the scan reaches it. With `caseSensitive` false, ASCII letters match either case.
std::string replaceText(std::string_view text, std::string_view search, std::string_view replacement,
                        std::optional<std::int32_t> start, std::optional<std::int32_t> count,
                        bool caseSensitive);

// Splits `text` at every `delimiter` (absent: ","). Every delimiter ends a part, an empty one
// included; what follows the last delimiter is a part only when it is not empty. With a
// `maximum` (below 0 counts as 0), at most that many delimiter-ended parts are made and the rest is
// dropped. The empty text, or a maximum of 0, gives no element; an empty delimiter gives the whole
// text as the one element.
TextArray splitText(std::string_view text, std::optional<std::string_view> delimiter,
                    std::optional<std::int32_t> maximum);

// Returns the number of elements.
std::size_t elementCount(const TextArray& array);

// Returns the element at the 1-based `position`. A position outside the array is a fatal fault
// (the process ends); callers test elementCount first.
const std::string& elementAt(const TextArray& array, std::size_t position);

}  // namespace vexlo
