// Unicode text forms where GBK texts meet files and sources in another encoding: UTF-8 encoding,
// decoding and validation, and UTF-16 bytes of either byte order to and from UTF-8; and the GBK byte
// classes such code needs. Pure functions of their arguments, no platform calls; safe from any thread.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vexlo {

namespace gbk {

// True for a byte that starts a double-byte character (0x81-0xFE).
inline bool isLeadByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b >= 0x81 && b <= 0xFE;
}

// True for a byte that can follow a lead byte in a character code page 936 defines (0x40-0x7E,
// 0x80-0xFE).
inline bool isTrailByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE);
}

}  // namespace gbk

namespace unicode {

// The character that stands for input that forms no character.
inline constexpr char32_t kReplacement = 0xFFFD;

// Appends the UTF-8 form of `code`. REQUIRES: code <= 0x10FFFF (a surrogate is encoded as is).
void appendUtf8(std::string& out, char32_t code);

// One UTF-8 sequence as read at a position of a text.
struct Utf8Sequence {
  char32_t code = kReplacement;  // the character; kReplacement when `valid` is false
  std::size_t length = 1;        // bytes taken: the whole sequence, or for a bad one the longest
                                 // beginning of a well-formed sequence (at least 1)
  bool valid = false;            // a well-formed sequence: shortest form, no surrogate, <= 0x10FFFF
};

// Reads the UTF-8 sequence that starts at `at`. REQUIRES: at < text.size().
Utf8Sequence decodeUtf8At(std::string_view text, std::size_t at);

// Returns the characters of UTF-8 text; each bad sequence (see Utf8Sequence::length) becomes one
// kReplacement.
std::u32string decodeUtf8(std::string_view text);

// Returns the offset of the first byte where the text stops being well-formed UTF-8, or
// std::string_view::npos when all of it is.
std::size_t firstInvalidUtf8(std::string_view text);

// True when the whole text is well-formed UTF-8.
inline bool isValidUtf8(std::string_view text) {
  return firstInvalidUtf8(text) == std::string_view::npos;
}

enum class ByteOrder { LittleEndian, BigEndian };

// Returns UTF-16 bytes (without a mark) as UTF-8. A surrogate pair becomes its character, a lone
// surrogate becomes kReplacement, a last odd byte is dropped. When `wellFormed` is given it is set
// to false on either fault and to true otherwise.
std::string utf16BytesToUtf8(std::string_view bytes, ByteOrder order, bool* wellFormed = nullptr);

// Returns the UTF-16 bytes (without a mark) of UTF-8 text; bad sequences become kReplacement as
// decodeUtf8 reads them.
std::string utf8ToUtf16Bytes(std::string_view utf8, ByteOrder order);

}  // namespace unicode

}  // namespace vexlo
