// Tool file access on Windows: file names in the ANSI code page (936 where the plugin runs),
// MoveFileExA for the atomic replace, a UTF-8 console.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "runtime/code_page.h"
#include "tools/bank/tool_files_platform.h"

namespace vexlo::tools::platform {

char pathSeparator() { return '\\'; }

std::string fileNameSpelling(std::string_view gbkName) { return std::string(gbkName); }

std::string argumentAsUtf8(const std::string& text) {
  return gbkToUtf8(text).value_or(text);
}

bool isDirectory(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool isRegularFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool replaceFile(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

std::string temporaryNameBeside(const std::string& path) {
  return path + ".tmp" + std::to_string(static_cast<unsigned long>(GetCurrentProcessId()));
}

void prepareUtf8Output() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  SetConsoleOutputCP(CP_UTF8);
}

}  // namespace vexlo::tools::platform
