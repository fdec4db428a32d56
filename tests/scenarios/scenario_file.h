// The scenario file: a readable UTF-8 script of messages sent to the plugin, the replies expected
// back, checks of the two profile files and hand edits of them between two messages. Parsing turns
// every text into the GBK bytes the plugin exchanges, so a run compares bytes, never UTF-8.
//
// Syntax, one directive per line ('#' starts a comment line, blank lines are skipped):
//   no plugin folder                      the run directory has no plugin folder
//   > KIND GROUP SENDER | MESSAGE         one call of plugmain; each of KIND, GROUP, SENDER is a
//                                         word, "" for the empty text or ~ for a null pointer; the
//                                         message is the rest after "| " (~ alone: null)
//   < LINE                                one line of the expected reply; the lines of a reply are
//                                         joined with CR LF ("<" alone: an empty line, so a single
//                                         "<" expects the empty reply)
//   or                                    starts another acceptable reply for the same message
//   info                                  one call of info, its reply given by "<" lines
//   check FILE: SECTION KEY = VALUE       the key holds exactly VALUE ("=" at the end: empty)
//   check FILE: SECTION KEY absent        the key is not in the section
//   check FILE: [SECTION] absent          the section is not in the file
//   check FILE: absent                    the file does not exist
//   check FILE exactly:  ... end          the file holds exactly these entries (order aside)
//   check plugin folder absent
//   set FILE: SECTION KEY = VALUE         hand edit: the key's line is replaced or added
//   write FILE:  ... end                  hand edit: the whole file is replaced by the block
//   delete FILE                           the file is removed
// FILE is "score" (the score book) or "bank" (the question bank). Block lines are INI text; their
// leading blanks are dropped and they are joined with CR LF. In every text, \r \n \t \s (blank)
// \\ and \xNN (one raw byte) are escapes; everything else is UTF-8 and becomes GBK.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vexlo::scenario {

enum class FileId { scoreBook, bank };

// One entry of a profile file: a key line (hasEquals) or a stray line without "=" (key holds it).
struct Entry {
  std::string section;
  std::string key;
  std::string value;
  bool hasEquals = true;
  auto operator<=>(const Entry&) const = default;
};

enum class StepKind {
  send,
  info,
  checkValue,
  checkKeyAbsent,
  checkSectionAbsent,
  checkFileAbsent,
  checkExactly,
  checkFolderAbsent,
  setValue,
  writeFile,
  deleteFile,
};

struct Step {
  int line = 0;  // where the step starts in the scenario file
  StepKind kind = StepKind::send;
  FileId file = FileId::scoreBook;
  // send: the five arguments (nullopt: a null pointer; `extra` is always null).
  std::optional<std::string> message, chatKind, groupId, senderId;
  std::string messageSource;            // the message as written, for reports
  std::vector<std::string> replies;     // send, info: the acceptable replies
  std::string section, key, value;      // checkValue, checkKeyAbsent, checkSectionAbsent, setValue
  std::string content;                  // writeFile: the new bytes of the file
  std::vector<Entry> entries;           // checkExactly: the expected entries, sorted
};

struct Scenario {
  bool pluginFolder = true;
  std::vector<Step> steps;
};

// Parses a scenario file's text. On a syntax error returns nothing and sets `error` to a message
// that names the line.
std::optional<Scenario> parseScenario(const std::string& utf8Text, std::string& error);

// Returns the entries of profile-file bytes as the profile reader sees them, section by section
// (lines before the first header belong to section ""); lines without "=" are kept as entries.
std::vector<Entry> parseEntries(const std::string& gbkBytes);

// Returns the names of the section headers of profile-file bytes, in file order.
std::vector<std::string> parseSections(const std::string& gbkBytes);

// Returns the bytes with one key set as the profile writer sets it (the first matching key of the
// first matching section replaced, else added to that section, else a new section at the end).
std::string setEntry(const std::string& gbkBytes, const std::string& section, const std::string& key,
                     const std::string& value);

}  // namespace vexlo::scenario
