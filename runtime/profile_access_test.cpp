// Profile access above the platform: skipped leading bytes and empty names on reads, defaults, and
// the write guard that keeps any text from adding lines or changing another entry.
#include "runtime/profile_access.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "runtime/profile_document.h"

namespace vexlo {
namespace {

using namespace std::string_literals;

// Profile files held in memory, edited by the portable engine; counts the reads that reach it.
class MemoryProfileFiles final : public ProfileFiles {
 public:
  std::string readValue(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view defaultText) override {
    ++reads;
    const auto it = files.find(std::string(file));
    return ProfileDocument::parse(it == files.end() ? "" : it->second)
        .read(section, key, defaultText);
  }
  bool writeValue(std::string_view file, std::string_view section, std::string_view key,
                  std::string_view value) override {
    std::string& bytes = files[std::string(file)];
    if (auto updated = ProfileDocument::parse(bytes).withValue(section, key, value)) {
      bytes = *updated;
    }
    return true;
  }
  std::map<std::string, std::string> files;
  int reads = 0;
};

TEST(ReadProfileText, SkipsLeadingControlBytesAndStopsOnEmptyNames) {
  MemoryProfileFiles files;
  files.files["F"] = "[s]\r\nk=v\r\nempty=\r\n";
  const struct {
    std::string file, section, key;
    std::string withoutDefault, withDefault;
    bool reachesFile;
  } cases[] = {
      {"F", "s", "k", "v", "v", true},
      {"\x01\x1F F", "\t s", "\x05k", "v", "v", true},
      {"F", "s", "empty", "", "", true},  // present but empty: not the default
      {"F", "s", "missing", "", "DEF", true},
      {"F", "nosec", "k", "", "DEF", true},
      {"nofile", "s", "k", "", "DEF", true},
      {"F", "s", "", "", "", false},  // an empty name gives the empty text, never the default
      {"F", " \x01", "k", "", "", false},
      {"\x20", "s", "k", "", "", false},
      {"F", "s", "\xA1\xA1k", "", "DEF", true},  // 0x80 and above are never skipped
  };
  for (const auto& c : cases) {
    files.reads = 0;
    EXPECT_EQ(readProfileText(files, c.file, c.section, c.key), c.withoutDefault) << c.key;
    EXPECT_EQ(readProfileText(files, c.file, c.section, c.key, "DEF"), c.withDefault) << c.key;
    EXPECT_EQ(files.reads, c.reachesFile ? 2 : 0) << c.key;
  }
}

// Every write that would add a line or reach another entry is refused or cut; the file may only
// ever gain or change the one entry named.
TEST(WriteProfileText, NeverInjectsLinesOrChangesAnotherEntry) {
  const std::string before = "[s]\r\nk=1\r\n[other]\r\nx=9\r\n";
  const struct {
    const char* name;
    std::string section, key, value;
    bool written;
    std::string after;
  } cases[] = {
      {"plain", "s", "k", "2", true, "[s]\r\nk=2\r\n[other]\r\nx=9\r\n"},
      {"value cut at LF", "s", "k", "3\nx=evil", true, "[s]\r\nk=3\r\n[other]\r\nx=9\r\n"},
      {"value cut at CR", "s", "n", "4\r[other]\r\nx=0", true,
       "[s]\r\nk=1\r\nn=4\r\n[other]\r\nx=9\r\n"},
      {"value cut at NUL", "s", "k", "5\0\r\nx=0"s, true, "[s]\r\nk=5\r\n[other]\r\nx=9\r\n"},
      {"section with LF", "s]\r\n[other", "x", "0", false, before},
      {"section with CR", "other\r", "x", "0", false, before},
      {"key with LF", "s", "k\nx", "0", false, before},
      {"key with NUL", "s", "k\0x"s, "0", false, before},
      {"section with NUL", "other\0"s, "x", "0", false, before},
      {"key with =", "s", "x=9", "0", false, before},
      {"key opening a header", "s", "[other]", "0", false, before},
      {"key opening a header after blanks", "s", " \t\x1A[other]", "0", false, before},
      {"empty key", "s", "", "0", false, before},
      {"blank key", "s", " \t", "0", false, before},
      {"empty section", "", "k", "0", false, before},
      {"section ending in a lone lead byte", "s\x81", "k", "0", false, before},
      {"key ending in a lone lead byte", "s", "k\x81", "0", false, before},
      {"] in a section reads back", "u]v", "k", "1", true, before + "[u]v]\r\nk=1\r\n"},
      {"second byte equal to \\ and ]", "s", "\x81\\\x81]", "1", true,
       "[s]\r\nk=1\r\n\x81\\\x81]=1\r\n[other]\r\nx=9\r\n"},
  };
  for (const auto& c : cases) {
    MemoryProfileFiles files;
    files.files["F"] = before;
    EXPECT_EQ(writeProfileText(files, "F", c.section, c.key, c.value), c.written) << c.name;
    EXPECT_EQ(files.files["F"], c.after) << c.name;
  }
}

TEST(WriteProfileText, EmptyValueIsWrittenAndReadsAsEmptyNotDefault) {
  MemoryProfileFiles files;
  EXPECT_TRUE(writeProfileText(files, "F", "s", "k", ""));
  EXPECT_EQ(files.files["F"], "[s]\r\nk=\r\n");
  EXPECT_EQ(readProfileText(files, "F", "s", "k", "DEF"), "");
}

}  // namespace
}  // namespace vexlo
