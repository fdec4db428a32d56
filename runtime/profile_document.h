// The portable profile (INI) engine: reads and edits the bytes of one profile file the way the
// Windows profile functions GetPrivateProfileStringA / WritePrivateProfileStringA do under code
// page 936, with no file access of its own. It is also the project's own profile reader: the bank
// and score-book tools use the parsed view below.
//
// How a file is read:
// - Bytes are GBK. A file that starts with a UTF-8, UTF-16LE or UTF-16BE byte-order mark is read in
//   that encoding and seen as GBK; an edit writes it back in its own encoding. Nothing is guessed
//   without a mark.
// - A line ends at LF, at CR or at CR LF (a lone CR is a line break). A NUL ends a line's content;
//   the rest of that line is ignored.
// - Blanks are exactly 0x20, 0x09, 0x0B, 0x0C and 0x1A; they are trimmed at both ends of every
//   line, section name, key and value, and of the names a caller passes in.
// - A line is scanned by GBK characters: a byte 0x81-0xFE and the byte after it are one character,
//   so a second byte that equals "[", "]", "=" or "\" is never taken for one.
// - A line whose first character is "[" and which holds a "]" is a section header; the name runs
//   to the last "]" and is trimmed; text after that "]" is ignored. Any other non-blank line is an
//   entry: split at the first "=", or a line without "=" (which never yields a value). ";" and "#"
//   lines are entries like any other.
// - Lines before the first header belong to a section with the empty name, which always exists
//   and comes first, so a later "[]" header can never be reached.
// - Names are compared case-insensitively for ASCII letters only; double-byte characters compare
//   exactly. The first matching section wins (later duplicates are never searched), and in it the
//   first matching entry.
// - A found value is trimmed, then loses one pair of enclosing quotes (both " or both ') when it has
//   two bytes or more. A value is cut after 10239 bytes, never inside a double-byte character.
//
// How a file is edited (one key set to one value):
// - Leading blanks of section, key and value are dropped; trailing ones are written as given.
// - An existing entry (the first match, also a line without "=") becomes key=value, keeping the
//   key's spelling in the file and the line's own line end. The same value as stored changes
//   nothing at all.
// - A new key goes after the last non-blank line of the first matching section.
// - A new section "[section]\r\nkey=value\r\n" goes at the end; a CR LF is added first when the
//   last line has no line end.
// - Every byte outside the changed or inserted line is kept. A file built only by edits is
//   byte-identical to the one the Windows functions build.
// - Section, key and value are written as given: a CR or LF in them would make new lines. Callers
//   that pass untrusted text must refuse or cut such text first (profile_access.h does).
//
// Files without a byte-order mark need no document: profile_locator.h reads and edits their bytes
// in place, by the same rules.
//
// A ProfileDocument is a value; it keeps no file open and may be used from any one thread.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/profile_locator.h"

namespace vexlo {

// The encoding a profile file is stored in, chosen by its byte-order mark.
enum class ProfileEncoding { Gbk, Utf8, Utf16Le, Utf16Be };

// One key line of a section, as the file holds it (seen as GBK).
struct ProfileEntry {
  std::string key;    // trimmed; may be empty ("=value")
  std::string value;  // trimmed, quotes kept; empty for a line without "="
  bool hasValue = false;  // false for a line without "=" (it never yields a value)
};

// One section, in file order. The first section of every document is the nameless one of the
// lines before the first header (`hasHeader` false), present even when it holds nothing.
struct ProfileSection {
  std::string name;  // trimmed text between "[" and the last "]"
  bool hasHeader = false;
  std::vector<ProfileEntry> entries;  // in file order; duplicates kept
};

// Returns the encoding of a profile file's bytes, from its byte-order mark (GBK without one).
ProfileEncoding profileEncodingOf(std::string_view bytes);

class ProfileDocument {
 public:
  // The read buffer of the plugin: a value comes back with at most kReadBufferSize - 1 bytes.
  static constexpr std::size_t kReadBufferSize = 10240;

  // Parses the bytes of a profile file; a missing file is the empty text. Never fails: bytes that
  // form no header or entry are kept and ignored.
  static ProfileDocument parse(std::string_view bytes);

  // The sections in file order, the nameless one first.
  const std::vector<ProfileSection>& sections() const { return sections_; }

  ProfileEncoding encoding() const { return encoding_; }

  // Returns the value a read of `key` in `section` gives (trimmed, enclosing quotes dropped, cut
  // after 10239 bytes at a character boundary), or nothing when the first matching section holds
  // no matching entry with "=" first.
  std::optional<std::string> find(std::string_view section, std::string_view key) const;

  // Returns what GetPrivateProfileStringA puts in a buffer of `bufferSize` bytes: the value, or
  // else `defaultText` (none counts as empty) with trailing spaces dropped and enclosing quotes
  // removed, cut to bufferSize - 1 bytes at a character boundary (a quoted value cut by the buffer
  // loses one more character, as on Windows). Size 0 or 1 gives the empty text.
  std::string read(std::string_view section, std::string_view key,
                   std::optional<std::string_view> defaultText,
                   std::size_t bufferSize = kReadBufferSize) const;

  // Returns the edit of the file's bytes that sets `key` of `section` to `value` (positions in
  // bytes(), text in the file's own encoding), or nothing when the file would not change.
  std::optional<ProfileEdit> edit(std::string_view section, std::string_view key,
                                  std::string_view value) const;

  // Returns the file bytes after setting `key` of `section` to `value` (see the file comment), or
  // nothing when the file would not change.
  std::optional<std::string> withValue(std::string_view section, std::string_view key,
                                       std::string_view value) const;

  // The file's bytes as parsed.
  const std::string& bytes() const { return bytes_; }

 private:
  // Where one line of a file with a byte-order mark lies in the file and in its GBK view.
  struct MarkedLine {
    std::size_t viewBegin = 0;  // first byte of the line in view_
    std::size_t begin = 0;      // first byte of the line in bytes_
    std::size_t end = 0;        // before its line end in bytes_
  };

  // The GBK bytes the locator scans: the file itself, or view_ for a file with a byte-order mark.
  std::string_view gbkView() const;
  std::size_t filePosition(std::size_t viewPosition) const;
  std::string encode(std::string_view gbk) const;

  std::string bytes_;
  ProfileEncoding encoding_ = ProfileEncoding::Gbk;
  std::size_t bodyBegin_ = 0;  // after the byte-order mark
  // Files with a byte-order mark: every line converted to GBK, followed by a NUL when the line
  // holds one and by LF when it has a line end, so that it scans as the file does.
  std::string view_;
  std::vector<MarkedLine> markedLines_;
  std::vector<ProfileSection> sections_;
};

}  // namespace vexlo
