// The single-pass locator of the profile engine: finds one key of one section in the GBK bytes of a
// profile file without copying them, and from that gives the value a read returns or the one edit a
// write makes. The rules (line ends, blanks, headers, GBK characters, names without ASCII case,
// first section and first key win) are those described in profile_document.h. Pure functions of
// their arguments; safe from any thread.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/unicode_text.h"  // gbk::isLeadByte, gbk::isTrailByte

namespace vexlo {

// GBK character helpers shared with the callers above the engine (the byte classes are in
// unicode_text.h).
namespace gbk {

// True when the text ends in a lead byte that has no second byte.
bool endsInLoneLeadByte(std::string_view text);

// True for the blanks the profile functions trim: 0x20, 0x09, 0x0B, 0x0C, 0x1A.
inline bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\x0B' || c == '\x0C' || c == '\x1A'; }

// Returns `text` without blanks at either end (character-wise: a second byte is never trimmed).
std::string_view trimBlanks(std::string_view text);

// True when the two names are equal, ASCII letters compared without case, double-byte characters
// compared exactly.
bool namesEqual(std::string_view a, std::string_view b);

}  // namespace gbk

// One line of a profile file: where its bytes are. Positions are offsets in the scanned bytes.
struct ProfileLineSpan {
  std::size_t begin = 0;       // first byte of the line
  std::size_t contentEnd = 0;  // after its content: its first NUL, else == end
  std::size_t end = 0;         // before its line end
  std::size_t next = 0;        // after its line end (== the size of the bytes for the last line)
  bool hasLineEnd = false;     // ends in CR, LF or CR LF
};

// Returns the line that starts at `pos`. REQUIRES: pos < bytes.size().
ProfileLineSpan profileLineAt(std::string_view bytes, std::size_t pos);

// What the content of one line (up to its NUL) holds.
struct ProfileLine {
  enum class Kind { Blank, Header, Entry } kind = Kind::Blank;
  std::string_view name;   // Header: the trimmed section name; Entry: the trimmed key
  std::string_view value;  // Entry: the trimmed value, quotes kept; empty without "="
  bool hasValue = false;   // Entry: false for a line without "=" (it never yields a value)
};

// Classifies one line's content. The views point into `content`.
ProfileLine classifyProfileLine(std::string_view content);

// Where `key` of `section` is, or where it would go.
struct ProfileSpot {
  enum class Found {
    Entry,    // the first matching entry of the first matching section: see `line`, `entry`
    Section,  // the section, but no matching entry: a new line goes at `insertAt`
    Nothing,  // no matching section: a new section goes at the end of the bytes
  } found = Found::Nothing;
  ProfileLineSpan line;  // Entry: the entry's line
  ProfileLine entry;     // Entry: its key as spelled in the file, its value
  std::size_t insertAt = 0;        // Section: after the section's last non-blank line
  bool insertNeedsLineEnd = false;  // Section: that line has no line end of its own
  bool endsWithoutLineEnd = false;  // Nothing: the last line of the bytes has no line end
};

// Finds the first section named `section` and in it the first entry keyed `key` (both trimmed,
// ASCII letters without case). An empty section name is the nameless section of the lines before
// the first header. One pass over the bytes, no allocation.
ProfileSpot locateProfileEntry(std::string_view bytes, std::string_view section, std::string_view key);

// Returns what GetPrivateProfileStringA puts in a buffer of `bufferSize` bytes for what `spot`
// found (see ProfileDocument::read).
std::string profileReadResult(const ProfileSpot& spot, std::optional<std::string_view> defaultText,
                              std::size_t bufferSize);

// One edit of a profile file: the bytes [from, to) are replaced by `text` (GBK).
struct ProfileEdit {
  std::size_t from = 0;
  std::size_t to = 0;
  std::string text;
};

// Returns the edit that sets `key` of `section` to `value` in `bytes` (see ProfileDocument::withValue),
// or nothing when the stored value is already `value`.
std::optional<ProfileEdit> profileEditFor(std::string_view bytes, std::string_view section,
                                          std::string_view key, std::string_view value);

}  // namespace vexlo
