// The terminal host on Windows: LoadLibraryA for the plugin, which keeps its files in the folder of
// vexlo.exe; a Unicode console when one is attached, raw UTF-8 bytes through pipes and files.
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

using InfoFunction = const char*(WINAPI*)();
using PlugmainFunction = const char*(WINAPI*)(const char*, const char*, const char*, const char*,
                                              const char*);

class WindowsPlugin final : public PluginLibrary {
 public:
  WindowsPlugin(HMODULE module, InfoFunction infoFunction, PlugmainFunction plugmainFunction)
      : module_(module), info_(infoFunction), plugmain_(plugmainFunction) {}
  ~WindowsPlugin() override { FreeLibrary(module_); }
  WindowsPlugin(const WindowsPlugin&) = delete;
  WindowsPlugin& operator=(const WindowsPlugin&) = delete;

  std::string info() override {
    const char* text = info_();
    return text ? std::string(text) : std::string();
  }

  std::string plugmain(std::string_view message, std::string_view chatKind,
                       std::string_view groupId, std::string_view senderId) override {
    const std::string m(message), k(chatKind), g(groupId), s(senderId), extra;
    const char* reply = plugmain_(m.c_str(), k.c_str(), g.c_str(), s.c_str(), extra.c_str());
    return reply ? std::string(reply) : std::string();
  }

 private:
  HMODULE module_;
  InfoFunction info_;
  PlugmainFunction plugmain_;
};

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

std::unique_ptr<PluginLibrary> loadPlugin(const std::filesystem::path& file, std::string& error) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) {
    error = "no plugin at " + pathText(file);
    return nullptr;
  }
  // The wide form reaches any folder, whatever the code page can spell.
  const std::wstring name = std::filesystem::absolute(file, ec).wstring();
  HMODULE module = LoadLibraryW(name.c_str());
  if (!module) {
    error = "cannot load " + pathText(file) + " (system error " + std::to_string(GetLastError()) +
            ")";
    return nullptr;
  }
  FARPROC infoSymbol = GetProcAddress(module, "info");
  FARPROC plugmainSymbol = GetProcAddress(module, "plugmain");
  if (!infoSymbol || !plugmainSymbol) {
    FreeLibrary(module);
    error = pathText(file) + " is not a Vexlo plugin: it lacks the export " +
            (infoSymbol ? "plugmain" : "info");
    return nullptr;
  }
  // Through the generic function type, which any function pointer may be cast to and from.
  using Generic = void (*)();
  return std::make_unique<WindowsPlugin>(
      module, reinterpret_cast<InfoFunction>(reinterpret_cast<Generic>(infoSymbol)),
      reinterpret_cast<PlugmainFunction>(reinterpret_cast<Generic>(plugmainSymbol)));
}

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

std::filesystem::path executableDirectory() {
  std::wstring path(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length < path.size() ? length : 0);
  return std::filesystem::path(path).parent_path();
}

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
