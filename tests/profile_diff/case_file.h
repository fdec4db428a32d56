// Case files of the profile differential test: a starting set of files and a sequence of reads
// and writes, run the same way through the Windows profile functions and through the portable
// engine, whose printed results must be identical.
//
// A case file is UTF-8 text, one statement per line; blank lines and lines starting with "#" are
// ignored. A file may hold several cases; each runs in a fresh, empty folder.
//
//   case <name>                                   starts a case (letters, digits, "-", "_")
//   file <name> "<bytes>"                         writes a file with exactly these bytes
//   read <name> "<section>" "<key>" ["<default>"] reads one value (no default: the empty text)
//   write <name> "<section>" "<key>" "<value>"    writes one value
//   compare <name>                                this file is built only by writes: its bytes
//                                                 are printed (and so compared) when the case ends
//
// <name> is an ASCII file name relative to the case's folder; "/" separates folders (folders of a
// "file" statement are created, others are not). Inside double quotes: \\ \" \r \n \t, \xNN for
// one raw byte, \{N*text\} for N copies of text (text may hold escapes), and any other character
// is UTF-8 that stands for its GBK bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexlo::profile_diff {

struct Statement {
  enum class Kind { File, Read, Write, Compare };
  Kind kind = Kind::Read;
  int line = 0;             // line number in the case file
  std::string file;         // relative name, "/" separated
  std::string section;      // Read, Write
  std::string key;          // Read, Write
  std::string text;         // File: its bytes; Read: the default; Write: the value
};

struct Case {
  std::string name;
  std::vector<Statement> statements;
};

// Returns the cases of a case file, or nothing with `error` set ("line N: what is wrong").
std::optional<std::vector<Case>> parseCaseFile(std::string_view text, std::string& error);

// Returns `bytes` as a double-quoted text in the escape syntax above, printable ASCII kept, every
// other byte as \xNN (\r \n \t by name), and long runs of one byte or one byte pair folded into
// \{N*...\}. The form is the same on every platform, so two outputs compare as plain text.
std::string quoteBytes(std::string_view bytes);

}  // namespace vexlo::profile_diff
