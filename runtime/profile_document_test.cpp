// The portable profile engine: reads against the cases measured on Windows' profile functions
// (tests/data/windows-profile-golden-read.tsv), the bytes that edits produce, and the parsed view.
#include "runtime/profile_document.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace vexlo {
namespace {

using namespace std::string_literals;

// Turns the C escapes of the golden file (\r \n \t \\ \xNN) into bytes.
std::string unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 >= text.size()) {
      out += text[i];
      continue;
    }
    const char c = text[++i];
    if (c == 'r') out += '\r';
    else if (c == 'n') out += '\n';
    else if (c == 't') out += '\t';
    else if (c == '\\') out += '\\';
    else if (c == 'x') {
      out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
      i += 2;
    } else {
      ADD_FAILURE() << "unknown escape \\" << c;
    }
  }
  return out;
}

std::vector<std::string> splitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

// Rows where Windows turns an invalid GBK sequence into "?" and swallows the byte after the lead
// byte, even a line break. The engine keeps such bytes and ends the line at its line break instead.
const std::set<std::pair<std::string, std::string>> kInvalidGbkRows = {
    {"T2.1", "va0"},  {"T2c.5", "a"},    {"T2c.5", "c"},     {"T2c.5", "d"},
    {"T1.4", "klead"}, {"T1.4", "kleadsp"}, {"T1.4", "k817F"},
};

TEST(ProfileDocumentGolden, ReadsAsTheWindowsFunctions) {
  const char* source = std::getenv("VEXLO_SOURCE_DIR");
  ASSERT_NE(source, nullptr) << "VEXLO_SOURCE_DIR names the source tree";
  std::ifstream in(std::string(source) + "/tests/data/windows-profile-golden-read.tsv",
                   std::ios::binary);
  ASSERT_TRUE(in) << "golden file missing";
  std::string line;
  int checked = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#' || line.rfind("case\t", 0) == 0) continue;
    const auto f = splitTabs(line);
    ASSERT_EQ(f.size(), 8u) << line;
    if (kInvalidGbkRows.count({f[0], f[3]})) continue;
    const std::string file = unescape(f[1]);
    const std::optional<std::string> def =
        f[4] == "NULL" ? std::nullopt : std::optional<std::string>(unescape(f[4]));
    std::string expected = unescape(f[7]);
    // "~" marks a byte Windows counts but never writes when the buffer cuts a double-byte
    // character: the engine cuts before that character instead.
    if (!expected.empty() && expected.back() == '~' && file.find('~') == std::string::npos) {
      expected.pop_back();
      if (!expected.empty() && gbk::endsInLoneLeadByte(expected)) expected.pop_back();
    }
    const auto doc = ProfileDocument::parse(file);
    EXPECT_EQ(doc.read(unescape(f[2]), unescape(f[3]), def, std::stoul(f[5])), expected)
        << f[0] << " section=" << f[2] << " key=" << f[3] << " size=" << f[5];
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

TEST(ProfileDocumentRead, LongValuesAreCutAtACharacterBoundary) {
  const std::string x10237(10237, 'x'), x10238(10238, 'x'), x10239(10239, 'x');
  const struct {
    std::string value, expected;
  } cases[] = {
      {x10239, x10239},
      {x10239 + "x", x10239},
      {std::string(20000, 'x'), x10239},
      {x10237 + "中", x10237 + "中"},
      {x10238 + "中", x10238},  // Windows would count a byte it never wrote
      {x10239 + "中", x10239},
      {"\"" + x10239 + "\"", x10238},  // a cut quoted value loses one more byte, as on Windows
      {"\"" + x10238 + "\"", x10238},
  };
  for (const auto& c : cases) {
    const auto doc = ProfileDocument::parse("[s]\r\nk=" + c.value + "\r\n");
    EXPECT_EQ(doc.read("s", "k", "D"), c.expected) << c.value.size();
    EXPECT_EQ(doc.find("s", "k"), c.expected);
  }
}

// The parsed view the tools use: sections in file order with the nameless one first, every entry
// line kept, and the same lookup as a read.
TEST(ProfileDocumentView, SectionsAndEntriesInFileOrder) {
  const auto doc = ProfileDocument::parse(
      "top=0\r\n[s]\r\na=1\r\nkeyonly\r\n;c=2\r\na=dup\r\n\r\n[t]\r\nq=\"x\"\r\n[S]\r\nb=3\r\n"s);
  const auto& s = doc.sections();
  ASSERT_EQ(s.size(), 4u);
  EXPECT_FALSE(s[0].hasHeader);
  EXPECT_EQ(s[0].name, "");
  ASSERT_EQ(s[0].entries.size(), 1u);
  EXPECT_EQ(s[1].name, "s");
  ASSERT_EQ(s[1].entries.size(), 4u);
  EXPECT_EQ(s[1].entries[1].key, "keyonly");
  EXPECT_FALSE(s[1].entries[1].hasValue);
  EXPECT_EQ(s[1].entries[2].key, ";c");
  EXPECT_EQ(s[1].entries[3].value, "dup");
  EXPECT_EQ(s[2].entries[0].value, "\"x\"");  // the view keeps quotes
  EXPECT_EQ(s[3].name, "S");

  EXPECT_EQ(doc.find("S", "A"), "1");  // first section, first key
  EXPECT_EQ(doc.find("s", "b"), std::nullopt);  // the later [S] is never searched
  EXPECT_EQ(doc.find("t", "q"), "x");
  EXPECT_EQ(doc.find("s", "keyonly"), std::nullopt);
}

// Edits. A file built only by edits is byte-identical to the one Windows builds; an edit of an
// existing file keeps every byte outside the line it changes or inserts.
struct EditCase {
  const char* name;
  std::string before;
  std::string section, key, value;
  std::optional<std::string> after;  // nothing: the file is not written at all
};

TEST(ProfileDocumentEdit, BytesOfOneEdit) {
  const EditCase cases[] = {
      {"new file", "", "用户积分", "10001", "5", "[用户积分]\r\n10001=5\r\n"},
      {"second bytes equal to ASCII punctuation", "", "\x81\\\x81|\x81]\x81[",
       "\x81\\\x81|\x81]\x81[", "\x81\\\x81|\x81]\x81[",
       "[\x81\\\x81|\x81]\x81[]\r\n\x81\\\x81|\x81]\x81[=\x81\\\x81|\x81]\x81[\r\n"},
      {"new section appended", "[a]\r\nx=1\r\n", "b", "y", "2", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"},
      {"new section after a last line without line end", "[a]\r\nx=1", "b", "y", "2",
       "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"},
      {"new section keeps blank lines and LF endings", "[a]\nx=1\n\n", "b", "y", "2",
       "[a]\nx=1\n\n[b]\r\ny=2\r\n"},
      {"new section after a comment", "[a]\r\nx=1\r\n;trailing comment\r\n", "b", "y", "2",
       "[a]\r\nx=1\r\n;trailing comment\r\n[b]\r\ny=2\r\n"},
      {"new key after the last non-blank line", "[a]\r\nx=1\r\n\r\n;c\r\n\r\n[b]\r\ny=2\r\n", "a",
       "z", "3", "[a]\r\nx=1\r\n\r\n;c\r\nz=3\r\n\r\n[b]\r\ny=2\r\n"},
      {"new key in an empty section", "[a]\r\n[b]\r\ny=2\r\n", "a", "z", "3",
       "[a]\r\nz=3\r\n[b]\r\ny=2\r\n"},
      {"new key goes to the first of duplicate sections", "[a]\r\nx=1\r\n[b]\r\n[a]\r\nw=0\r\n",
       "A", "w", "9", "[a]\r\nx=1\r\nw=9\r\n[b]\r\n[a]\r\nw=0\r\n"},
      {"new key after a last line without line end", "[a]\r\nx=1", "a", "z", "3",
       "[a]\r\nx=1\r\nz=3\r\n"},
      {"replaced value keeps the spellings", "[SeC]\r\nKey=1\r\n", "sec", "KEY", "2",
       "[SeC]\r\nKey=2\r\n"},
      {"replaced value: only that line changes",
       "; head\n\n  [ a ]  \n  KeY  =  1  \n#hash=1\n\n[b]\ny = 2\t\n", "a", "key", "5",
       "; head\n\n  [ a ]  \nKeY=5\n#hash=1\n\n[b]\ny = 2\t\n"},
      {"first of duplicate keys", "[a]\r\nk=1\r\nk=2\r\n", "a", "k", "3", "[a]\r\nk=3\r\nk=2\r\n"},
      {"a line without = is a key", "[s]\r\nkeyonly\r\nk2\r\n", "s", "keyonly", "v",
       "[s]\r\nkeyonly=v\r\nk2\r\n"},
      {"stored value compared raw", "[s]\r\nk=\"abc\"\r\n", "s", "k", "abc", "[s]\r\nk=abc\r\n"},
      {"same value: no write", "[s]\n  k = 1 \n;c\n", "s", "k", "1", std::nullopt},
      {"same empty value: no write", "[s]\r\nk=\r\n", "s", "k", "", std::nullopt},
      {"NUL tail of other lines kept", "[s]\r\na=1\0x\r\nb=2\r\n"s, "s", "b", "3",
       "[s]\r\na=1\0x\r\nb=3\r\n"s},
      {"NUL tail of the changed line dropped", "[s]\r\na=1\0x\r\n"s, "s", "a", "2",
       "[s]\r\na=2\r\n"},
      {"leading blanks dropped, trailing kept", "", " \tt  ", "  sp  ", "\x1Av\x1A",
       "[t  ]\r\nsp  =v\x1A\r\n"},
      {"a GBK header is not closed by a second byte", "[u\x81]\r\nk=1\r\n", "u\x81]", "k", "2",
       "[u\x81]\r\nk=1\r\n[u\x81]]\r\nk=2\r\n"},
      {"UTF-8 file: new key stored in UTF-8",
       "\xEF\xBB\xBF[\xE7\x94\xA8\xE6\x88\xB7\xE7\xA7\xAF\xE5\x88\x86]\r\n123=x\r\n", "用户积分",
       "456", "题目",
       "\xEF\xBB\xBF[\xE7\x94\xA8\xE6\x88\xB7\xE7\xA7\xAF\xE5\x88\x86]\r\n123=x\r\n"
       "456=\xE9\xA2\x98\xE7\x9B\xAE\r\n"},
      {"UTF-8 mark only", "\xEF\xBB\xBF", "s", "k", "1", "\xEF\xBB\xBF[s]\r\nk=1\r\n"},
      {"UTF-8 file holding GBK bytes keeps them", "\xEF\xBB\xBF[s]\r\nk=\xD6\xD0\r\n", "s", "j",
       "1", "\xEF\xBB\xBF[s]\r\nk=\xD6\xD0\r\nj=1\r\n"},
      {"UTF-16LE file", "\xFF\xFE[\0s\0]\0\r\0\n\0"s, "s", "k", "中",
       "\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\x2D\x4E\r\0\n\0"s},
      {"UTF-8 file: new key in an earlier section",
       "\xEF\xBB\xBF[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n", "a", "z", "3",
       "\xEF\xBB\xBF[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n"},
      {"UTF-16LE file: NUL tail of the last line, new section",
       "\xFF\xFE[\0s\0]\0\n\0k\0=\0v\0\0\0x\0"s, "t", "k", "1",
       "\xFF\xFE[\0s\0]\0\n\0k\0=\0v\0\0\0x\0\r\0\n\0[\0t\0]\0\r\0\n\0k\0=\0001\0\r\0\n\0"s},
      {"UTF-16BE file, value replaced", "\xFE\xFF\0[\0s\0]\0\n\0k\0=\0v"s, "s", "k", "w",
       "\xFE\xFF\0[\0s\0]\0\n\0k\0=\0w"s},
  };
  for (const auto& c : cases) {
    const auto doc = ProfileDocument::parse(c.before);
    const auto after = doc.withValue(c.section, c.key, c.value);
    EXPECT_EQ(after, c.after) << c.name;
    if (after) {
      // Whatever was written reads back (trailing blanks and quotes aside).
      const auto reread = ProfileDocument::parse(*after);
      EXPECT_EQ(reread.find(c.section, c.key),
                std::string(gbk::trimBlanks(c.value))) << c.name;
    }
  }
}

// A sequence of edits on a new file, as the Windows functions build it, and what reads give back.
TEST(ProfileDocumentEdit, FileBuiltOnlyByEdits) {
  const struct {
    const char* key;
    std::string value, read;
  } steps[] = {
      {"empty", "", ""},        {"blanks", "  v  ", "v"},   {"tabs", "\tv\t", "v"},
      {"dq", "\"v\"", "v"},     {"dqb", "\" v \"", " v "}, {"sq", "'v'", "v"},
      {"lone", "\"v", "\"v"},   {"semi", ";v", ";v"},      {"ctl", "\x0Bv\x0B", "v"},
  };
  std::string file;
  for (const auto& s : steps) file = *ProfileDocument::parse(file).withValue("s", s.key, s.value);
  EXPECT_EQ(file,
            "[s]\r\nempty=\r\nblanks=v  \r\ntabs=v\t\r\ndq=\"v\"\r\ndqb=\" v \"\r\nsq='v'\r\n"
            "lone=\"v\r\nsemi=;v\r\nctl=v\x0B\r\n");
  const auto doc = ProfileDocument::parse(file);
  for (const auto& s : steps) {
    EXPECT_EQ(doc.read("s", s.key, "DEF"), s.read) << s.key;
  }
  // Later sections go at the end; a new key of an earlier section goes before them.
  file = *doc.withValue("t", "k", "1");
  file = *ProfileDocument::parse(file).withValue("s", "z", "2");
  const std::string tail = "ctl=v\x0B\r\nz=2\r\n[t]\r\nk=1\r\n";
  ASSERT_GE(file.size(), tail.size());
  EXPECT_EQ(file.substr(file.size() - tail.size()), tail);
}

TEST(GbkNames, CaseFoldingOnlyForSingleByteLetters) {
  const struct {
    std::string a, b;
    bool equal;
  } cases[] = {
      {"SeC", "sec", true},          {"\x81" "A", "\x81" "a", false},
      {"\xA3\xC1", "\xA3\xE1", false}, {"a\x81" "A", "A\x81" "A", true},
      {"k", "k\x81", false},
  };
  for (const auto& c : cases) EXPECT_EQ(gbk::namesEqual(c.a, c.b), c.equal) << c.a << "|" << c.b;
}

}  // namespace
}  // namespace vexlo
