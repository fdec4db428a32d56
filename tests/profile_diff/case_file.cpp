// Reading case files and printing bytes in their escape syntax.
#include "tests/profile_diff/case_file.h"

#include <cctype>
#include <charconv>
#include <cstdio>

#include "runtime/code_page.h"
#include "tests/common/escaped_text.h"

namespace vexlo::profile_diff {

namespace {

// Decodes the body of a quoted text from `pos`, up to its end or, inside a repetition, up to the
// closing \}. Returns nothing with `error` set on a bad escape or text that has no GBK form.
std::optional<std::string> decode(std::string_view body, std::size_t& pos, bool inRepeat,
                                  std::string& error) {
  std::string out;
  std::string plain;  // a run of UTF-8 text, converted as a whole
  auto flushPlain = [&]() -> bool {
    if (plain.empty()) return true;
    const auto gbk = utf8ToGbk(plain);
    if (!gbk) {
      error = "text without a GBK form: " + plain;
      return false;
    }
    out += *gbk;
    plain.clear();
    return true;
  };
  while (pos < body.size()) {
    const char c = body[pos];
    if (c != '\\') {
      plain += c;
      ++pos;
      continue;
    }
    if (!flushPlain()) return std::nullopt;
    if (pos + 1 >= body.size()) {
      error = "a lone backslash at the end";
      return std::nullopt;
    }
    ++pos;  // the backslash
    const test_text::CommonEscape common = test_text::readCommonEscape(body, pos);
    if (common.kind == test_text::CommonEscape::Kind::Byte) {
      out += common.byte;
      continue;
    }
    if (common.kind == test_text::CommonEscape::Kind::BadHex) {
      error = "\\x needs two hex digits";
      return std::nullopt;
    }
    const char e = body[pos++];
    switch (e) {
      case '"': out += '"'; break;
      case '{': {
        const std::size_t star = body.find('*', pos);
        int count = 0;
        const auto [end, ec] =
            std::from_chars(body.data() + pos, body.data() + (star == std::string_view::npos ? pos : star), count);
        if (star == std::string_view::npos || ec != std::errc() || end != body.data() + star ||
            count < 0) {
          error = "\\{ needs a count and \"*\"";
          return std::nullopt;
        }
        pos = star + 1;
        const auto unit = decode(body, pos, true, error);
        if (!unit) return std::nullopt;
        for (int i = 0; i < count; ++i) out += *unit;
        break;
      }
      case '}':
        if (!inRepeat) {
          error = "\\} without \\{";
          return std::nullopt;
        }
        return out;
      default:
        error = std::string("unknown escape \\") + e;
        return std::nullopt;
    }
  }
  if (!flushPlain()) return std::nullopt;
  if (inRepeat) {
    error = "\\{ without \\}";
    return std::nullopt;
  }
  return out;
}

struct Token {
  std::string text;
  bool quoted = false;
};

// Splits a statement line into bare words and decoded quoted texts.
std::optional<std::vector<Token>> tokenize(std::string_view line, std::string& error) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
      ++i;
      continue;
    }
    if (line[i] == '"') {
      std::size_t j = i + 1;
      while (j < line.size() && line[j] != '"') j += line[j] == '\\' ? 2 : 1;
      if (j >= line.size()) {
        error = "a quoted text without its closing quote";
        return std::nullopt;
      }
      std::size_t pos = 0;
      const auto text = decode(line.substr(i + 1, j - i - 1), pos, false, error);
      if (!text) return std::nullopt;
      tokens.push_back({*text, true});
      i = j + 1;
    } else {
      std::size_t j = i;
      while (j < line.size() && line[j] != ' ' && line[j] != '\t' && line[j] != '\r' && line[j] != '"') ++j;
      tokens.push_back({std::string(line.substr(i, j - i)), false});
      i = j;
    }
  }
  return tokens;
}

bool validName(const std::string& name, bool allowSlash) {
  if (name.empty() || name.front() == '/' || name.find("..") != std::string::npos) return false;
  for (char c : name) {
    const bool ok = std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.' ||
                    (allowSlash && c == '/');
    if (!ok) return false;
  }
  return true;
}

}  // namespace

std::optional<std::vector<Case>> parseCaseFile(std::string_view text, std::string& error) {
  std::vector<Case> cases;
  int lineNumber = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    const auto fail = [&](const std::string& what) {
      error = "line " + std::to_string(lineNumber) + ": " + what;
      return std::nullopt;
    };
    const std::size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string_view::npos || line[first] == '#') continue;
    std::string tokenError;
    const auto tokens = tokenize(line, tokenError);
    if (!tokens) return fail(tokenError);
    const std::vector<Token>& t = *tokens;
    const std::string& verb = t[0].text;
    auto quotedFrom = [&](std::size_t from) {
      for (std::size_t i = from; i < t.size(); ++i)
        if (!t[i].quoted) return false;
      return true;
    };
    if (verb == "case") {
      if (t.size() != 2 || !validName(t[1].text, false)) return fail("case needs one name");
      cases.push_back({t[1].text, {}});
      continue;
    }
    if (cases.empty()) return fail("a statement before the first case");
    if (t.size() < 2 || t[1].quoted || !validName(t[1].text, true)) return fail("a file name is missing");
    Statement s;
    s.line = lineNumber;
    s.file = t[1].text;
    if (verb == "file" && t.size() == 3 && quotedFrom(2)) {
      s.kind = Statement::Kind::File;
      s.text = t[2].text;
    } else if (verb == "read" && (t.size() == 4 || t.size() == 5) && quotedFrom(2)) {
      s.kind = Statement::Kind::Read;
      s.section = t[2].text;
      s.key = t[3].text;
      if (t.size() == 5) s.text = t[4].text;
    } else if (verb == "write" && t.size() == 5 && quotedFrom(2)) {
      s.kind = Statement::Kind::Write;
      s.section = t[2].text;
      s.key = t[3].text;
      s.text = t[4].text;
    } else if (verb == "compare" && t.size() == 2) {
      s.kind = Statement::Kind::Compare;
    } else {
      return fail("not a statement: " + std::string(line));
    }
    cases.back().statements.push_back(std::move(s));
  }
  return cases;
}

std::string quoteBytes(std::string_view bytes) {
  std::string out = "\"";
  auto escapeOne = [&out](unsigned char b) {
    switch (b) {
      case '\\': out += "\\\\"; return;
      case '"': out += "\\\""; return;
      case '\r': out += "\\r"; return;
      case '\n': out += "\\n"; return;
      case '\t': out += "\\t"; return;
      default: break;
    }
    if (b >= 0x20 && b < 0x7F) {
      out += static_cast<char>(b);
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", b);
      out += hex;
    }
  };
  constexpr std::size_t kFoldFrom = 32;  // bytes in a run before it is folded
  std::size_t i = 0;
  while (i < bytes.size()) {
    bool folded = false;
    for (std::size_t unit = 1; unit <= 2 && !folded; ++unit) {
      if (i + unit > bytes.size()) break;
      const std::string_view piece = bytes.substr(i, unit);
      std::size_t count = 1;
      while (bytes.substr(i + count * unit, unit) == piece) ++count;
      if (count * unit >= kFoldFrom) {
        out += "\\{" + std::to_string(count) + "*";
        for (char c : piece) escapeOne(static_cast<unsigned char>(c));
        out += "\\}";
        i += count * unit;
        folded = true;
      }
    }
    if (!folded) escapeOne(static_cast<unsigned char>(bytes[i++]));
  }
  return out + "\"";
}

}  // namespace vexlo::profile_diff
