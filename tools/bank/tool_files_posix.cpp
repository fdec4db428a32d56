// Tool file access on POSIX: UTF-8 file names, rename(2) for the atomic replace.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "runtime/code_page.h"
#include "tools/bank/tool_files_platform.h"

namespace vexlo::tools::platform {

char pathSeparator() { return '/'; }

std::string fileNameSpelling(std::string_view gbkName) {
  return gbkToUtf8(gbkName).value_or(std::string());
}

std::string argumentAsUtf8(const std::string& text) { return text; }

bool isDirectory(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool isRegularFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool replaceFile(const std::string& from, const std::string& to) {
  struct stat old {};
  if (::stat(to.c_str(), &old) == 0) ::chmod(from.c_str(), old.st_mode & 07777);  // keep its mode
  return std::rename(from.c_str(), to.c_str()) == 0;
}

std::string temporaryNameBeside(const std::string& path) {
  return path + ".tmp" + std::to_string(static_cast<long>(::getpid()));
}

void prepareUtf8Output() {}

}  // namespace vexlo::tools::platform
