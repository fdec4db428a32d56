// The portable profile engine: parsing profile-file bytes into lines, sections and entries, the
// lookup of one value, and the byte-preserving edit of one value.
#include "runtime/profile_document.h"

#include <algorithm>

#include "runtime/code_page.h"

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

using gbk::charLength;
using gbk::isBlank;
using gbk::trimBlanks;

std::string_view skipLeadingBlanks(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  return text.substr(i);
}

// ---- Unicode helpers for the files with a byte-order mark ----

constexpr char32_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes UTF-8; a sequence that is invalid, overlong or cut short becomes one U+FFFD for its
// longest valid beginning (at least one byte).
std::u32string decodeUtf8(std::string_view text) {
  std::u32string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
      out += b;
      ++i;
      continue;
    }
    std::size_t need = 0;
    char32_t cp = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
      need = 1, cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      need = 2, cp = b & 0x0F;
      if (b == 0xE0) lo = 0xA0;
      if (b == 0xED) hi = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      need = 3, cp = b & 0x07;
      if (b == 0xF0) lo = 0x90;
      if (b == 0xF4) hi = 0x8F;
    } else {
      out += kReplacement;
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    bool ok = true;
    for (std::size_t k = 0; k < need; ++k, ++j) {
      if (j >= text.size()) {
        ok = false;
        break;
      }
      const auto c = static_cast<unsigned char>(text[j]);
      if (c < lo || c > hi) {
        ok = false;
        break;
      }
      lo = 0x80, hi = 0xBF;
      cp = (cp << 6) | (c & 0x3F);
    }
    out += ok ? cp : kReplacement;
    i = j;
  }
  return out;
}

// Returns the GBK form of UTF-8 text; a character GBK cannot hold becomes "?".
std::string utf8ToGbkLossy(std::string_view utf8) {
  const std::u32string cps = decodeUtf8(utf8);
  std::string clean;
  for (char32_t cp : cps) appendUtf8(clean, cp);
  if (auto whole = utf8ToGbk(clean)) return *whole;
  std::string out;
  for (char32_t cp : cps) {
    std::string one;
    appendUtf8(one, cp);
    auto converted = utf8ToGbk(one);
    out += converted ? *converted : std::string("?");
  }
  return out;
}

// Returns the UTF-8 form of GBK text; a character without a Unicode form becomes "?".
std::string gbkToUtf8Lossy(std::string_view text) {
  if (auto whole = gbkToUtf8(text)) return *whole;
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = charLength(text, i);
    auto converted = gbkToUtf8(text.substr(i, n));
    out += converted ? *converted : std::string("?");
    i += n;
  }
  return out;
}

std::string utf16BytesToUtf8(std::string_view bytes, bool bigEndian) {
  std::string out;
  const std::size_t units = bytes.size() / 2;
  auto unit = [&](std::size_t u) -> char32_t {
    const auto a = static_cast<unsigned char>(bytes[2 * u]);
    const auto b = static_cast<unsigned char>(bytes[2 * u + 1]);
    return bigEndian ? static_cast<char32_t>(a << 8 | b) : static_cast<char32_t>(b << 8 | a);
  };
  for (std::size_t u = 0; u < units; ++u) {
    char32_t c = unit(u);
    if (c >= 0xD800 && c <= 0xDBFF && u + 1 < units) {
      const char32_t d = unit(u + 1);
      if (d >= 0xDC00 && d <= 0xDFFF) {
        appendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (d - 0xDC00));
        ++u;
        continue;
      }
    }
    if (c >= 0xD800 && c <= 0xDFFF) c = kReplacement;
    appendUtf8(out, c);
  }
  return out;
}

std::string utf8ToUtf16Bytes(std::string_view utf8, bool bigEndian) {
  std::string out;
  auto put = [&](char32_t u) {
    const auto hi = static_cast<char>((u >> 8) & 0xFF);
    const auto lo = static_cast<char>(u & 0xFF);
    if (bigEndian) {
      out += hi;
      out += lo;
    } else {
      out += lo;
      out += hi;
    }
  };
  for (char32_t cp : decodeUtf8(utf8)) {
    if (cp >= 0x10000) {
      cp -= 0x10000;
      put(0xD800 + (cp >> 10));
      put(0xDC00 + (cp & 0x3FF));
    } else {
      put(cp);
    }
  }
  return out;
}

// Returns the position of the last single-byte `c` in `text`, scanning by GBK
// characters, or npos.
std::size_t lastCharPosition(std::string_view text, char c) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = charLength(text, i);
    if (n == 1 && text[i] == c) found = i;
    i += n;
  }
  return found;
}

std::size_t firstCharPosition(std::string_view text, char c) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = charLength(text, i);
    if (n == 1 && text[i] == c) return i;
    i += n;
  }
  return std::string_view::npos;
}

// Copies `text` (a value or a default) as the Windows functions fill a buffer of `size`: one pair
// of enclosing quotes dropped, at most size - 1 characters, and when quotes were dropped and the
// buffer could not hold the closing one, one more character lost; then cut to size - 1 bytes at a
// character boundary.
std::string copyEntry(std::string_view text, std::size_t size) {
  if (size == 0) return std::string();
  std::vector<std::string_view> chars;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = charLength(text, i);
    chars.push_back(text.substr(i, n));
    i += n;
  }
  bool quoted = false;
  if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
      chars.back().size() == 1 && chars.back()[0] == text.front()) {
    quoted = true;
    chars.erase(chars.begin());
  }
  std::size_t count = std::min(chars.size(), size - 1);
  if (quoted && size >= chars.size() && count > 0) --count;
  std::string out;
  for (std::size_t i = 0; i < count; ++i) {
    if (out.size() + chars[i].size() > size - 1) break;
    out += chars[i];
  }
  return out;
}

}  // namespace

ProfileDocument ProfileDocument::parse(std::string_view bytes) {
  ProfileDocument doc;
  doc.bytes_.assign(bytes);
  const std::string& b = doc.bytes_;
  if (b.size() >= 3 && b.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    doc.encoding_ = ProfileEncoding::Utf8, doc.bodyBegin_ = 3;
  } else if (b.size() >= 2 && b.compare(0, 2, "\xFF\xFE") == 0) {
    doc.encoding_ = ProfileEncoding::Utf16Le, doc.bodyBegin_ = 2, doc.unitSize_ = 2;
  } else if (b.size() >= 2 && b.compare(0, 2, "\xFE\xFF") == 0) {
    doc.encoding_ = ProfileEncoding::Utf16Be, doc.bodyBegin_ = 2, doc.unitSize_ = 2;
  }

  const std::size_t unit = doc.unitSize_;
  const bool bigEndian = doc.encoding_ == ProfileEncoding::Utf16Be;
  auto unitAt = [&](std::size_t pos) -> unsigned {
    if (unit == 1) return static_cast<unsigned char>(b[pos]);
    const auto x = static_cast<unsigned char>(b[pos]);
    const auto y = static_cast<unsigned char>(b[pos + 1]);
    return bigEndian ? (x << 8 | y) : (y << 8 | x);
  };
  // A trailing odd byte of a UTF-16 file belongs to no character.
  const std::size_t limit = b.size() - (b.size() - doc.bodyBegin_) % unit;

  doc.sections_.push_back(ProfileSection{});
  std::size_t current = 0;
  std::size_t pos = doc.bodyBegin_;
  while (pos < limit) {
    Line line;
    line.begin = pos;
    std::size_t contentEnd = std::string::npos;
    while (pos < limit) {
      const unsigned u = unitAt(pos);
      if (u == '\r' || u == '\n') break;
      if (u == 0 && contentEnd == std::string::npos) contentEnd = pos;
      pos += unit;
    }
    line.end = pos;
    line.contentEnd = contentEnd == std::string::npos ? pos : contentEnd;
    if (pos < limit) {
      line.hasLineEnd = true;
      const bool cr = unitAt(pos) == '\r';
      pos += unit;
      if (cr && pos < limit && unitAt(pos) == '\n') pos += unit;
    } else {
      pos = b.size();
    }
    line.next = pos;

    const std::string_view raw(b.data() + line.begin, line.contentEnd - line.begin);
    switch (doc.encoding_) {
      case ProfileEncoding::Gbk:
        line.text.assign(raw);
        break;
      case ProfileEncoding::Utf8:
        line.text = utf8ToGbkLossy(raw);
        break;
      case ProfileEncoding::Utf16Le:
      case ProfileEncoding::Utf16Be:
        line.text = utf8ToGbkLossy(utf16BytesToUtf8(raw, bigEndian));
        break;
    }

    const std::string_view t = trimBlanks(line.text);
    if (!t.empty() && t.front() == '[') {
      const std::size_t close = lastCharPosition(t, ']');
      if (close != std::string_view::npos) {
        line.kind = Line::Kind::Header;
        ProfileSection section;
        section.name.assign(trimBlanks(t.substr(1, close - 1)));
        section.hasHeader = true;
        doc.sections_.push_back(std::move(section));
        current = doc.sections_.size() - 1;
      }
    }
    if (line.kind != Line::Kind::Header && !t.empty()) {
      line.kind = Line::Kind::Entry;
      ProfileEntry entry;
      const std::size_t eq = firstCharPosition(t, '=');
      if (eq == std::string_view::npos) {
        entry.key.assign(t);
      } else {
        entry.key.assign(trimBlanks(t.substr(0, eq)));
        entry.value.assign(trimBlanks(t.substr(eq + 1)));
        entry.hasValue = true;
      }
      line.entry = doc.sections_[current].entries.size();
      doc.sections_[current].entries.push_back(std::move(entry));
    }
    line.section = current;
    doc.lines_.push_back(std::move(line));
  }
  return doc;
}

std::optional<std::size_t> ProfileDocument::findSection(std::string_view name) const {
  const std::string_view wanted = trimBlanks(name);
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    if (gbk::namesEqual(sections_[i].name, wanted)) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> ProfileDocument::findLineOfEntry(std::size_t section,
                                                            std::string_view key) const {
  const std::string_view wanted = trimBlanks(key);
  const auto& entries = sections_[section].entries;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (gbk::namesEqual(entries[i].key, wanted)) {
      for (std::size_t l = 0; l < lines_.size(); ++l) {
        if (lines_[l].kind == Line::Kind::Entry && lines_[l].section == section &&
            lines_[l].entry == i) {
          return l;
        }
      }
    }
  }
  return std::nullopt;
}

std::optional<std::string> ProfileDocument::find(std::string_view section,
                                                 std::string_view key) const {
  const auto s = findSection(section);
  if (!s) return std::nullopt;
  const std::string_view wanted = trimBlanks(key);
  for (const ProfileEntry& e : sections_[*s].entries) {
    if (gbk::namesEqual(e.key, wanted)) {
      if (!e.hasValue) return std::nullopt;
      return copyEntry(e.value, kReadBufferSize);
    }
  }
  return std::nullopt;
}

std::string ProfileDocument::read(std::string_view section, std::string_view key,
                                  std::optional<std::string_view> defaultText,
                                  std::size_t bufferSize) const {
  if (bufferSize == 0) return std::string();
  if (const auto s = findSection(section)) {
    const std::string_view wanted = trimBlanks(key);
    for (const ProfileEntry& e : sections_[*s].entries) {
      if (gbk::namesEqual(e.key, wanted)) {
        if (e.hasValue) return copyEntry(e.value, bufferSize);
        break;  // the first match has no "=": it shadows later ones
      }
    }
  }
  std::string_view def = defaultText.value_or(std::string_view());
  while (!def.empty() && def.back() == ' ') def.remove_suffix(1);
  return copyEntry(def, bufferSize);
}

std::string ProfileDocument::encode(std::string_view text) const {
  switch (encoding_) {
    case ProfileEncoding::Gbk:
      return std::string(text);
    case ProfileEncoding::Utf8:
      return gbkToUtf8Lossy(text);
    case ProfileEncoding::Utf16Le:
      return utf8ToUtf16Bytes(gbkToUtf8Lossy(text), false);
    case ProfileEncoding::Utf16Be:
      return utf8ToUtf16Bytes(gbkToUtf8Lossy(text), true);
  }
  return std::string(text);
}

std::string ProfileDocument::replaceRange(std::size_t from, std::size_t to,
                                          std::string_view text) const {
  std::string out;
  out.reserve(bytes_.size() + text.size() * 2 + 8);
  out.append(bytes_, 0, from);
  out += encode(text);
  out.append(bytes_, to, std::string::npos);
  return out;
}

std::optional<std::string> ProfileDocument::withValue(std::string_view section,
                                                      std::string_view key,
                                                      std::string_view value) const {
  const std::string_view s = skipLeadingBlanks(section);
  const std::string_view k = skipLeadingBlanks(key);
  const std::string_view v = skipLeadingBlanks(value);
  std::string entryLine(k);
  entryLine += '=';
  entryLine += v;

  const auto sec = findSection(s);
  if (!sec) {
    std::string added;
    if (!lines_.empty() && !lines_.back().hasLineEnd) added += "\r\n";
    added += '[';
    added += s;
    added += "]\r\n";
    added += entryLine;
    added += "\r\n";
    return replaceRange(bytes_.size(), bytes_.size(), added);
  }

  if (const auto l = findLineOfEntry(*sec, k)) {
    const Line& line = lines_[*l];
    const ProfileEntry& entry = sections_[*sec].entries[line.entry];
    if (entry.hasValue && entry.value == v) return std::nullopt;
    std::string replaced = entry.key;
    replaced += '=';
    replaced += v;
    return replaceRange(line.begin, line.end, replaced);
  }

  // After the last non-blank line of the section (its header counts), or at the very top for
  // the nameless section when it holds nothing.
  std::size_t at = bodyBegin_;
  bool needsLineEnd = false;
  for (std::size_t l = 0; l < lines_.size(); ++l) {
    if (lines_[l].section == *sec && lines_[l].kind != Line::Kind::Blank) {
      at = lines_[l].next;
      needsLineEnd = !lines_[l].hasLineEnd;
    }
  }
  std::string added = needsLineEnd ? "\r\n" : "";
  added += entryLine;
  added += "\r\n";
  return replaceRange(at, at, added);
}

}  // namespace vexlo
