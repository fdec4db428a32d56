// The single-pass locator of the profile engine: line spans, line classification, the search for one
// key of one section, and the read result and the edit that follow from what it found.
#include "runtime/profile_locator.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace vexlo {

namespace gbk {

namespace {

// The length of the character that starts at `i`: 2 for a lead byte with a byte after it, else 1.
std::size_t charLength(std::string_view text, std::size_t i) {
  return isLeadByte(text[i]) && i + 1 < text.size() ? 2 : 1;
}

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool endsInLoneLeadByte(std::string_view text) {
  std::size_t i = 0;
  bool lone = false;
  while (i < text.size()) {
    const std::size_t n = charLength(text, i);
    lone = n == 1 && isLeadByte(text[i]);
    i += n;
  }
  return lone;
}

std::string_view trimBlanks(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size() && isBlank(text[begin])) ++begin;
  std::size_t end = begin;
  for (std::size_t i = begin; i < text.size();) {
    const std::size_t n = charLength(text, i);
    if (n == 2 || !isBlank(text[i])) end = i + n;
    i += n;
  }
  return text.substr(begin, end - begin);
}

bool namesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size();) {
    if (charLength(a, i) == 2) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      i += 2;
    } else {
      if (asciiLower(a[i]) != asciiLower(b[i])) return false;
      ++i;
    }
  }
  return true;
}

}  // namespace gbk

namespace {

using gbk::isBlank;
using gbk::isLeadByte;
using gbk::trimBlanks;

// Scans `text` by GBK characters: the position of the first (or last) single-byte `c`, or npos.
std::size_t firstCharPosition(std::string_view text, char c) {
  for (std::size_t i = 0; i < text.size();) {
    if (isLeadByte(text[i]) && i + 1 < text.size()) {
      i += 2;
    } else {
      if (text[i] == c) return i;
      ++i;
    }
  }
  return std::string_view::npos;
}

std::size_t lastCharPosition(std::string_view text, char c) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < text.size();) {
    if (isLeadByte(text[i]) && i + 1 < text.size()) {
      i += 2;
    } else {
      if (text[i] == c) found = i;
      ++i;
    }
  }
  return found;
}

// The bytes of the first `maxChars` characters of `text`, at most `maxBytes`, never cutting a
// double-byte character.
std::size_t copyLength(std::string_view text, std::size_t maxChars, std::size_t maxBytes) {
  std::size_t i = 0;
  for (std::size_t chars = 0; chars < maxChars && i < text.size(); ++chars) {
    const std::size_t n = isLeadByte(text[i]) && i + 1 < text.size() ? 2 : 1;
    if (i + n > maxBytes) break;
    i += n;
  }
  return i;
}

// Copies `text` (a value or a default) as the Windows functions fill a buffer of `size`: one pair
// of enclosing quotes dropped, at most size - 1 characters, and when quotes were dropped and the
// buffer could not hold the closing one, one more character lost; then cut to size - 1 bytes at a
// character boundary.
std::string copyEntry(std::string_view text, std::size_t size) {
  if (size == 0) return std::string();
  // The characters count as a text of whole characters; a lone lead byte at the end is one.
  std::size_t chars = 0;
  bool lastIsSingle = false;
  for (std::size_t i = 0; i < text.size(); ++chars) {
    const std::size_t n = isLeadByte(text[i]) && i + 1 < text.size() ? 2 : 1;
    lastIsSingle = n == 1;
    i += n;
  }
  bool quoted = false;
  if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && lastIsSingle &&
      text.back() == text.front()) {
    quoted = true;
    text.remove_prefix(1);
    --chars;
  }
  std::size_t count = std::min(chars, size - 1);
  if (quoted && size >= chars && count > 0) --count;
  return std::string(text.substr(0, copyLength(text, count, size - 1)));
}

// True for the bytes that end a line or its content: CR, LF, NUL.
inline bool isLineStop(char c) { return c == '\r' || c == '\n' || c == '\0'; }

// Returns the position of the first CR, LF or NUL at or after `i`, or `size`. Eight bytes at a time
// skip ahead while none of them is below 0x0E (most lines hold no control byte at all).
std::size_t findLineStop(const char* data, std::size_t i, std::size_t size) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  constexpr std::uint64_t kHighs = 0x8080808080808080u;
  for (;;) {
    while (i + 8 <= size) {
      std::uint64_t word;
      std::memcpy(&word, data + i, 8);
      if (((word - kOnes * 0x0E) & ~word & kHighs) != 0) break;  // some byte below 0x0E
      i += 8;
    }
    const std::size_t stop = std::min(size, i + 8);
    for (; i < stop; ++i) {
      if (isLineStop(data[i])) return i;
    }
    if (i >= size) return size;
  }
}

// Returns the position of the first CR or LF at or after `i`, or `size`.
std::size_t findLineBreak(const char* data, std::size_t i, std::size_t size) {
  while (i < size && data[i] != '\r' && data[i] != '\n') ++i;
  return i;
}

// True when `text` begins with the bytes of `name`, ASCII letters compared without case: what
// every line whose key equals `name` does.
bool startsLikeName(const char* text, std::size_t length, std::string_view name) {
  if (name.size() > length) return false;
  for (std::size_t j = 0; j < name.size(); ++j) {
    char a = text[j], b = name[j];
    if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
    if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
    if (a != b) return false;
  }
  return true;
}

}  // namespace

ProfileLineSpan profileLineAt(std::string_view bytes, std::size_t pos) {
  ProfileLineSpan line;
  line.begin = pos;
  const char* const data = bytes.data();
  const std::size_t size = bytes.size();
  std::size_t i = findLineStop(data, pos, size);
  line.contentEnd = i;
  if (i < size && data[i] == '\0') i = findLineBreak(data, i, size);
  line.end = i;
  if (i < size) {
    line.hasLineEnd = true;
    const bool cr = data[i] == '\r';
    ++i;
    if (cr && i < size && data[i] == '\n') ++i;
  }
  line.next = i;
  return line;
}

ProfileLine classifyProfileLine(std::string_view content) {
  ProfileLine line;
  const std::string_view t = trimBlanks(content);
  if (t.empty()) return line;
  if (t.front() == '[') {
    const std::size_t close = lastCharPosition(t, ']');
    if (close != std::string_view::npos) {
      line.kind = ProfileLine::Kind::Header;
      line.name = trimBlanks(t.substr(1, close - 1));
      return line;
    }
  }
  line.kind = ProfileLine::Kind::Entry;
  const std::size_t eq = firstCharPosition(t, '=');
  if (eq == std::string_view::npos) {
    line.name = t;
  } else {
    line.name = trimBlanks(t.substr(0, eq));
    line.value = trimBlanks(t.substr(eq + 1));
    line.hasValue = true;
  }
  return line;
}

ProfileSpot locateProfileEntry(std::string_view bytes, std::string_view section,
                               std::string_view key) {
  const std::string_view wantedSection = trimBlanks(section);
  const std::string_view wantedKey = trimBlanks(key);
  const char* const data = bytes.data();
  const std::size_t size = bytes.size();
  ProfileSpot spot;

  // The lines of the section start at `pos`: the top of the file for the nameless section, else
  // after the first header of that name. Only a "[" that is the first non-blank byte of a line can
  // open a header, so the search jumps from one "[" to the next.
  std::size_t pos = 0;
  if (!wantedSection.empty()) {
    bool found = false;
    std::size_t from = 0;
    while (!found && from < size) {
      const void* hit = std::memchr(data + from, '[', size - from);
      if (hit == nullptr) break;
      const auto bracket = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
      std::size_t lineBegin = bracket;
      while (lineBegin > 0 && isBlank(data[lineBegin - 1])) --lineBegin;
      if (lineBegin > 0 && data[lineBegin - 1] != '\r' && data[lineBegin - 1] != '\n') {
        from = bracket + 1;  // inside a line: not a header
        continue;
      }
      const ProfileLineSpan line = profileLineAt(bytes, lineBegin);
      const ProfileLine header =
          classifyProfileLine(bytes.substr(lineBegin, line.contentEnd - lineBegin));
      if (header.kind == ProfileLine::Kind::Header && gbk::namesEqual(header.name, wantedSection)) {
        found = true;
        pos = line.next;
        spot.insertAt = line.next;
        spot.insertNeedsLineEnd = !line.hasLineEnd;
      }
      from = line.next;
    }
    if (!found) {
      spot.found = ProfileSpot::Found::Nothing;
      spot.endsWithoutLineEnd = size > 0 && data[size - 1] != '\r' && data[size - 1] != '\n';
      return spot;
    }
  }

  spot.found = ProfileSpot::Found::Section;
  while (pos < size) {
    const ProfileLineSpan line = profileLineAt(bytes, pos);
    std::size_t first = pos;
    while (first < line.contentEnd && isBlank(data[first])) ++first;
    if (first < line.contentEnd) {
      // Only a possible header or a line that begins like the key needs a closer look.
      if (data[first] == '[' ||
          startsLikeName(data + first, line.contentEnd - first, wantedKey)) {
        const ProfileLine content = classifyProfileLine(bytes.substr(pos, line.contentEnd - pos));
        if (content.kind == ProfileLine::Kind::Header) break;
        if (gbk::namesEqual(content.name, wantedKey)) {
          spot.found = ProfileSpot::Found::Entry;
          spot.line = line;
          spot.entry = content;
          return spot;
        }
      }
      spot.insertAt = line.next;  // an entry: the last non-blank line so far
      spot.insertNeedsLineEnd = !line.hasLineEnd;
    }
    pos = line.next;
  }
  return spot;
}

std::string profileReadResult(const ProfileSpot& spot, std::optional<std::string_view> defaultText,
                              std::size_t bufferSize) {
  if (bufferSize == 0) return std::string();
  // A first matching entry without "=" shadows later ones: the default applies.
  if (spot.found == ProfileSpot::Found::Entry && spot.entry.hasValue) {
    return copyEntry(spot.entry.value, bufferSize);
  }
  std::string_view def = defaultText.value_or(std::string_view());
  while (!def.empty() && def.back() == ' ') def.remove_suffix(1);
  return copyEntry(def, bufferSize);
}

std::optional<ProfileEdit> profileEditFor(std::string_view bytes, std::string_view section,
                                          std::string_view key, std::string_view value) {
  auto skipLeadingBlanks = [](std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    return text.substr(i);
  };
  const std::string_view s = skipLeadingBlanks(section);
  const std::string_view k = skipLeadingBlanks(key);
  const std::string_view v = skipLeadingBlanks(value);
  const ProfileSpot spot = locateProfileEntry(bytes, s, k);

  ProfileEdit edit;
  switch (spot.found) {
    case ProfileSpot::Found::Entry:
      // The key keeps its spelling in the file; the line keeps its own line end.
      if (spot.entry.hasValue && spot.entry.value == v) return std::nullopt;
      edit.from = spot.line.begin;
      edit.to = spot.line.end;
      edit.text.reserve(spot.entry.name.size() + 1 + v.size());
      edit.text.append(spot.entry.name).append("=").append(v);
      return edit;
    case ProfileSpot::Found::Section:
      edit.from = edit.to = spot.insertAt;
      if (spot.insertNeedsLineEnd) edit.text = "\r\n";
      break;
    case ProfileSpot::Found::Nothing:
      edit.from = edit.to = bytes.size();
      if (spot.endsWithoutLineEnd) edit.text = "\r\n";
      edit.text.append("[").append(s).append("]\r\n");
      break;
  }
  edit.text.append(k).append("=").append(v).append("\r\n");
  return edit;
}

}  // namespace vexlo
