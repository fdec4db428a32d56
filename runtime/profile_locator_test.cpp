// The locator against a plain line-by-line search: on files made of the bytes that matter (brackets,
// "=", blanks, every line end, NUL, GBK characters whose second byte is punctuation, letters of
// both cases), it must find the same section, entry and insertion point, whatever shortcut it takes.
#include "runtime/profile_locator.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace vexlo {
namespace {

using namespace std::string_literals;

// What a search finds, in a form both searches can give.
struct Found {
  ProfileSpot::Found kind = ProfileSpot::Found::Nothing;
  std::size_t lineBegin = 0, lineEnd = 0;
  std::string key, value;
  bool hasValue = false;
  std::size_t insertAt = 0;
  bool needsLineEnd = false;
  bool operator==(const Found&) const = default;
};

Found fromSpot(const ProfileSpot& spot) {
  Found f;
  f.kind = spot.found;
  if (spot.found == ProfileSpot::Found::Entry) {
    f.lineBegin = spot.line.begin, f.lineEnd = spot.line.end;
    f.key = spot.entry.name, f.value = spot.entry.value, f.hasValue = spot.entry.hasValue;
  } else if (spot.found == ProfileSpot::Found::Section) {
    f.insertAt = spot.insertAt, f.needsLineEnd = spot.insertNeedsLineEnd;
  } else {
    f.needsLineEnd = spot.endsWithoutLineEnd;
  }
  return f;
}

// The plain search: split every line byte by byte, classify each, walk the sections in order.
Found plainSearch(std::string_view b, std::string_view section, std::string_view key) {
  const std::string_view wantedSection = gbk::trimBlanks(section);
  const std::string_view wantedKey = gbk::trimBlanks(key);
  Found f;
  bool inside = wantedSection.empty();
  if (inside) f.kind = ProfileSpot::Found::Section;
  bool lastHasLineEnd = true;
  for (std::size_t pos = 0; pos < b.size();) {
    const std::size_t begin = pos;
    while (pos < b.size() && b[pos] != '\r' && b[pos] != '\n') ++pos;
    const std::size_t end = pos;
    const std::string_view line = b.substr(begin, end - begin);
    const std::string_view content = line.substr(0, line.find('\0'));
    lastHasLineEnd = pos < b.size();
    if (pos < b.size()) {
      const bool cr = b[pos++] == '\r';
      if (cr && pos < b.size() && b[pos] == '\n') ++pos;
    }
    const ProfileLine l = classifyProfileLine(content);
    if (l.kind == ProfileLine::Kind::Header) {
      if (inside) return f;
      if (f.kind == ProfileSpot::Found::Nothing && gbk::namesEqual(l.name, wantedSection)) {
        inside = true;
        f.kind = ProfileSpot::Found::Section;
        f.insertAt = pos, f.needsLineEnd = !lastHasLineEnd;
      }
    } else if (l.kind == ProfileLine::Kind::Entry && inside) {
      if (gbk::namesEqual(l.name, wantedKey)) {
        Found e;
        e.kind = ProfileSpot::Found::Entry;
        e.lineBegin = begin, e.lineEnd = end;
        e.key = l.name, e.value = l.value, e.hasValue = l.hasValue;
        return e;
      }
      f.insertAt = pos, f.needsLineEnd = !lastHasLineEnd;
    }
  }
  if (f.kind == ProfileSpot::Found::Nothing) f.needsLineEnd = !b.empty() && !lastHasLineEnd;
  return f;
}

TEST(ProfileLocator, FindsWhatAPlainLineByLineSearchFinds) {
  const std::vector<std::string> pieces = {
      "[", "]", "=", " ", "\t", "\x0B", "\x1A", "\r", "\n", "\r\n", "\0"s, "s", "S", "k", "K",
      "kk", "12345678", "\x81[", "\x81]", "\x81=", "\x81 ", "\xD6\xD0", "\x81", "\"",
  };
  const std::vector<std::string> sections = {"s", " S\t", "", "kk", "\x81[", "\xD6\xD0", "[s]"};
  const std::vector<std::string> keys = {"k", "K ", "kk", "", "s", "\x81=", "\xD6\xD0", "12345678"};
  std::mt19937 random(20240611);
  for (int round = 0; round < 4000; ++round) {
    std::string file;
    const int length = std::uniform_int_distribution<int>(0, 80)(random);
    for (int i = 0; i < length; ++i) {
      file += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
    }
    for (const std::string& section : sections) {
      for (const std::string& key : keys) {
        ASSERT_EQ(fromSpot(locateProfileEntry(file, section, key)), plainSearch(file, section, key))
            << "round " << round << " section [" << section << "] key [" << key << "]";
      }
    }
  }
}

// The shortcuts by name: a "[" counts only as the first non-blank byte of a line, a line is read
// past control bytes that end nothing, and a key that begins like the wanted one is not it.
TEST(ProfileLocator, ShortcutsKeepTheRules) {
  const struct {
    const char* name;
    std::string file, section, key;
    ProfileSpot::Found found;
    std::string value;
  } cases[] = {
      {"bracket inside a line", "x=[s]\r\n[s]\r\nk=1\r\n", "s", "k", ProfileSpot::Found::Entry, "1"},
      {"bracket after blanks", "\t \x0B[s]\nk=2\n", "s", "k", ProfileSpot::Found::Entry, "2"},
      {"bracket as a second byte", "\x81[s]\r\nk=1\r\n", "s", "k", ProfileSpot::Found::Nothing, ""},
      {"bracket after a NUL", "\0[s]\r\nk=1\r\n"s, "s", "k", ProfileSpot::Found::Nothing, ""},
      {"lone CR ends a line", "a=1\r[s]\rk=3", "s", "k", ProfileSpot::Found::Entry, "3"},
      {"tabs across eight-byte words", "[s]\r\n\t\t\t\t\t\t\t\tk\t\t\t\t\t\t\t=\t\t4\t\r\n", "s", "k",
       ProfileSpot::Found::Entry, "4"},
      {"longer key first", "[s]\r\nkk=1\r\nk =2\r\n", "s", "K", ProfileSpot::Found::Entry, "2"},
      {"key with a double-byte tail", "[s]\r\nk\x81=1\r\nk=5\r\n", "s", "k", ProfileSpot::Found::Entry,
       "5"},
      {"later section of the same name not searched", "[s]\r\n[t]\r\n[S]\r\nk=1\r\n", "s", "k",
       ProfileSpot::Found::Section, ""},
  };
  for (const auto& c : cases) {
    const ProfileSpot spot = locateProfileEntry(c.file, c.section, c.key);
    EXPECT_EQ(spot.found, c.found) << c.name;
    if (spot.found == ProfileSpot::Found::Entry) {
      EXPECT_EQ(spot.entry.value, c.value) << c.name;
    }
  }
}

}  // namespace
}  // namespace vexlo
