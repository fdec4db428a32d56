// Text operations on GBK byte strings: length, copy, joining, comparison, search-and-replace,
// splitting at a delimiter and element access. Stateless; safe from any thread.
#include "runtime/text_ops.h"

#include <string>

#include "runtime/platform.h"

namespace vexlo {

namespace {

// A byte of 0x80 or above starts a double-byte character when another byte follows it.
bool isLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool matchesAt(std::string_view text, std::size_t pos, std::string_view search, bool caseSensitive) {
  if (caseSensitive) return text.compare(pos, search.size(), search) == 0;
  for (std::size_t i = 0; i < search.size(); ++i) {
    if (asciiLower(text[pos + i]) != asciiLower(search[i])) return false;
  }
  return true;
}

}  // namespace

std::size_t textLength(std::string_view text) { return text.size(); }

std::string copyText(std::string_view text) { return std::string(text); }

std::string concatTexts(std::initializer_list<std::string_view> parts) {
  std::size_t total = 0;
  for (std::string_view part : parts) total += part.size();
  std::string result;
  result.reserve(total);
  for (std::string_view part : parts) result.append(part);
  return result;
}

int compareTexts(std::string_view a, std::string_view b) {
  // std::string_view compares through char_traits<char>, which orders bytes as unsigned values.
  const int order = a.compare(b);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

std::string replaceText(std::string_view text, std::string_view search, std::string_view replacement,
                        std::optional<std::int32_t> start, std::optional<std::int32_t> count,
                        bool caseSensitive) {
  const std::size_t length = text.size();
  const std::size_t s = search.size();
  // 64-bit arithmetic: a start position of INT32_MIN must not wrap when lowered by one.
  const std::int64_t rawOffset = start ? static_cast<std::int64_t>(*start) - 1 : 0;
  const std::size_t offset = rawOffset < 0 ? 0 : static_cast<std::size_t>(rawOffset);
  const bool limited = count.has_value() && *count >= 0;
  std::int64_t remaining = limited ? *count : 0;

  if (length == 0 || s == 0 || offset >= length || (limited && remaining == 0)) {
    return std::string(text);
  }

  std::string result;
  result.reserve(length);
  result.append(text.substr(0, offset));
  std::size_t pos = offset;
  while (length - pos >= s) {
    if (matchesAt(text, pos, search, caseSensitive)) {
      result.append(replacement);
      pos += s;
      if (limited && --remaining == 0) break;
    } else if (isLeadByte(text[pos])) {
      if (pos + 1 == length) return result;  // a lone lead byte at the end is dropped
      result.append(text.substr(pos, 2));
      pos += 2;
    } else {
      result.push_back(text[pos]);
      ++pos;
    }
  }
  result.append(text.substr(pos));
  return result;
}

TextArray splitText(std::string_view text, std::optional<std::string_view> delimiter,
                    std::optional<std::int32_t> maximum) {
  const std::string_view d = delimiter.value_or(",");
  const bool limited = maximum.has_value();
  std::int64_t remaining = limited ? (*maximum < 0 ? 0 : *maximum) : 0;

  TextArray parts;
  if (text.empty() || (limited && remaining == 0)) return parts;
  if (d.empty()) {
    parts.emplace_back(text);
    return parts;
  }

  const std::size_t length = text.size();
  std::size_t partBegin = 0;
  std::size_t pos = 0;
  while (length - pos >= d.size()) {
    if (text.compare(pos, d.size(), d) == 0) {
      parts.emplace_back(text.substr(partBegin, pos - partBegin));
      pos += d.size();
      partBegin = pos;
      if (limited && --remaining == 0) return parts;
    } else if (isLeadByte(text[pos])) {
      if (pos + 1 == length) break;  // a lone lead byte at the end stays in the last part
      pos += 2;
    } else {
      ++pos;
    }
  }
  if (partBegin < length) parts.emplace_back(text.substr(partBegin));
  return parts;
}

std::size_t elementCount(const TextArray& array) { return array.size(); }

const std::string& elementAt(const TextArray& array, std::size_t position) {
  if (position == 0 || position > array.size()) {
    platformFatalFault("Array element " + std::to_string(position) + " requested from an array of " +
                       std::to_string(array.size()) + " elements.");
  }
  return array[position - 1];
}

}  // namespace vexlo
