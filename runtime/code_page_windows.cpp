// Conversions between GBK and UTF-8 through the system's code-page functions (code page 936).
// A conversion that would lose or invent a character fails instead.
#include "runtime/code_page.h"

#include <windows.h>

#include <climits>

namespace vexlo {

namespace {

constexpr UINT kGbk = 936;

// Returns the UTF-16 form of `text` in `codePage`, or nothing when a byte sequence is invalid.
std::optional<std::wstring> toWide(UINT codePage, std::string_view text) {
  if (text.empty()) return std::wstring();
  if (text.size() > INT_MAX) return std::nullopt;
  const int inLength = static_cast<int>(text.size());
  const int length =
      MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), inLength, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), inLength, wide.data(),
                          length) != length) {
    return std::nullopt;
  }
  return wide;
}

// Returns `wide` in `codePage`, or nothing when a character has no exact form there.
std::optional<std::string> fromWide(UINT codePage, const std::wstring& wide) {
  if (wide.empty()) return std::string();
  if (wide.size() > INT_MAX) return std::nullopt;
  const int inLength = static_cast<int>(wide.size());
  // CP_UTF8 takes no best-fit flag and no default-character check; code page 936 takes both.
  const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = codePage == CP_UTF8 ? nullptr : &usedDefault;
  const int length = WideCharToMultiByte(codePage, flags, wide.data(), inLength, nullptr, 0,
                                         nullptr, usedDefaultOut);
  if (length <= 0 || usedDefault) return std::nullopt;
  std::string text(static_cast<std::size_t>(length), '\0');
  if (WideCharToMultiByte(codePage, flags, wide.data(), inLength, text.data(), length, nullptr,
                          usedDefaultOut) != length ||
      usedDefault) {
    return std::nullopt;
  }
  return text;
}

}  // namespace

std::optional<std::string> gbkToUtf8(std::string_view gbk) {
  const auto wide = toWide(kGbk, gbk);
  if (!wide) return std::nullopt;
  return fromWide(CP_UTF8, *wide);
}

std::optional<std::string> utf8ToGbk(std::string_view utf8) {
  const auto wide = toWide(CP_UTF8, utf8);
  if (!wide) return std::nullopt;
  return fromWide(kGbk, *wide);
}

}  // namespace vexlo
