// UTF-8 and UTF-16 conversions shared by the profile engine and the tools.
#include "runtime/unicode_text.h"

namespace vexlo::unicode {

void appendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

Utf8Sequence decodeUtf8At(std::string_view text, std::size_t at) {
  const auto b = static_cast<unsigned char>(text[at]);
  if (b < 0x80) return {b, 1, true};
  std::size_t need = 0;
  char32_t code = 0;
  // The range of the second byte excludes overlong forms, surrogates and codes above 0x10FFFF.
  unsigned char lo = 0x80, hi = 0xBF;
  if (b >= 0xC2 && b <= 0xDF) {
    need = 1, code = b & 0x1F;
  } else if (b >= 0xE0 && b <= 0xEF) {
    need = 2, code = b & 0x0F;
    if (b == 0xE0) lo = 0xA0;
    if (b == 0xED) hi = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    need = 3, code = b & 0x07;
    if (b == 0xF0) lo = 0x90;
    if (b == 0xF4) hi = 0x8F;
  } else {
    return {};
  }
  std::size_t next = at + 1;
  for (std::size_t k = 0; k < need; ++k, ++next) {
    if (next >= text.size()) return {kReplacement, next - at, false};
    const auto c = static_cast<unsigned char>(text[next]);
    if (c < lo || c > hi) return {kReplacement, next - at, false};
    lo = 0x80, hi = 0xBF;
    code = (code << 6) | (c & 0x3F);
  }
  return {code, next - at, true};
}

std::u32string decodeUtf8(std::string_view text) {
  std::u32string out;
  for (std::size_t i = 0; i < text.size();) {
    const Utf8Sequence one = decodeUtf8At(text, i);
    out += one.code;
    i += one.length;
  }
  return out;
}

std::size_t firstInvalidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const Utf8Sequence one = decodeUtf8At(text, i);
    if (!one.valid) return i;
    i += one.length;
  }
  return std::string_view::npos;
}

std::string utf16BytesToUtf8(std::string_view bytes, ByteOrder order, bool* wellFormed) {
  bool clean = bytes.size() % 2 == 0;
  std::string out;
  const std::size_t units = bytes.size() / 2;
  auto unit = [&](std::size_t u) -> char32_t {
    const auto a = static_cast<unsigned char>(bytes[2 * u]);
    const auto b = static_cast<unsigned char>(bytes[2 * u + 1]);
    return order == ByteOrder::BigEndian ? static_cast<char32_t>(a << 8 | b)
                                         : static_cast<char32_t>(b << 8 | a);
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
    if (c >= 0xD800 && c <= 0xDFFF) {
      clean = false;
      c = kReplacement;
    }
    appendUtf8(out, c);
  }
  if (wellFormed) *wellFormed = clean;
  return out;
}

std::string utf8ToUtf16Bytes(std::string_view utf8, ByteOrder order) {
  std::string out;
  auto put = [&](char32_t u) {
    const auto hi = static_cast<char>((u >> 8) & 0xFF);
    const auto lo = static_cast<char>(u & 0xFF);
    if (order == ByteOrder::BigEndian) {
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

}  // namespace vexlo::unicode
