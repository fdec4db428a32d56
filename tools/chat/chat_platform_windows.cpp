// The terminal host on Windows: the plugin keeps its files in the folder of vexlo.exe; a Unicode
// console when one is attached, raw UTF-8 bytes through pipes and files.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <system_error>

#include "runtime/platform.h"
#include "tools/chat/chat_platform.h"

namespace vexlo::chat {
namespace {

std::wstring widen(std::string_view utf8) {
  if (utf8.empty()) return std::wstring();
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  return wide;
}

std::string narrowToUtf8(const wchar_t* wide, int length) {
  if (length <= 0) return std::string();
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) WideCharToMultiByte(CP_UTF8, 0, wide, length, utf8.data(), size, nullptr, nullptr);
  return utf8;
}

bool isConsole(DWORD which) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(which), &mode) != FALSE;
}

}  // namespace

std::filesystem::path pathFromArgument(const std::string& argument) {
  // Arguments arrive in the ANSI code page.
  if (argument.empty()) return {};
  const int size = static_cast<int>(argument.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, argument.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, argument.data(), size, wide.data(), length);
  return std::filesystem::path(wide);
}

std::filesystem::path defaultPluginName() { return "Vexlo7-1.7.cqp.dll"; }

bool runDirectoryCanBeChosen() { return false; }

std::filesystem::path defaultRunDirectory() { return executableDirectory(); }

void announceRunDirectory(const std::filesystem::path&) {}

std::string profileRunDirectory(const std::filesystem::path&) { return platformRunDirectory(); }

void prepareTerminal() {
  if (!isConsole(STD_INPUT_HANDLE)) _setmode(_fileno(stdin), _O_BINARY);
  if (!isConsole(STD_OUTPUT_HANDLE)) _setmode(_fileno(stdout), _O_BINARY);
}

bool inputIsTerminal() { return isConsole(STD_INPUT_HANDLE); }

std::optional<std::string> readInputLine() {
  if (isConsole(STD_INPUT_HANDLE)) {
    // The console hands out UTF-16 whatever its code page; read until the line end.
    std::wstring line;
    wchar_t buffer[512];
    for (;;) {
      DWORD count = 0;
      if (!ReadConsoleW(GetStdHandle(STD_INPUT_HANDLE), buffer, 512, &count, nullptr) ||
          count == 0) {
        if (line.empty()) return std::nullopt;
        break;
      }
      line.append(buffer, count);
      if (line.back() == L'\n') break;
    }
    while (!line.empty() && (line.back() == L'\n' || line.back() == L'\r')) line.pop_back();
    // Ctrl+Z at the start of a line ends the input, as in other console programs.
    if (line == L"\x1A") return std::nullopt;
    return narrowToUtf8(line.data(), static_cast<int>(line.size()));
  }
  std::string line;
  if (!std::getline(std::cin, line)) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

void writeOutput(std::string_view utf8) {
  if (isConsole(STD_OUTPUT_HANDLE)) {
    const std::wstring wide = widen(utf8);
    DWORD written = 0;
    WriteConsoleW(GetStdHandle(STD_OUTPUT_HANDLE), wide.data(), static_cast<DWORD>(wide.size()),
                  &written, nullptr);
    return;
  }
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fflush(stdout);
}

}  // namespace vexlo::chat
