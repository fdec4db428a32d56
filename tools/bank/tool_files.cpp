// Finding the plugin's profile files and reading and writing whole files, for the tools.
#include "tools/bank/tool_files.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "runtime/profile_document.h"
#include "tools/bank/tool_files_platform.h"

namespace vexlo::tools {

namespace {

// Splits a GBK path tail such as \plugin\name.ini into its folder and file names, reading it by
// GBK characters (a second byte 0x5C is no separator).
void splitTail(std::string_view tail, std::string& folder, std::string& name) {
  std::vector<std::string> parts(1);
  for (std::size_t i = 0; i < tail.size(); ++i) {
    if (gbk::isLeadByte(tail[i]) && i + 1 < tail.size()) {
      parts.back() += tail.substr(i, 2);
      ++i;
    } else if (tail[i] == '\\') {
      if (!parts.back().empty()) parts.emplace_back();
    } else {
      parts.back() += tail[i];
    }
  }
  name = parts.back();
  folder = parts.size() >= 2 ? parts[parts.size() - 2] : std::string();
}

std::string fileNameOf(const std::string& path) {
  const auto slash = path.find_last_of(platform::pathSeparator() == '/' ? "/" : "/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string join(std::string folder, std::string_view name) {
  // A folder written with "/" (accepted on Windows too) goes on with "/".
  const char separator = folder.find('/') != std::string::npos ? '/' : platform::pathSeparator();
  if (!folder.empty() && folder.back() != '/' && folder.back() != platform::pathSeparator()) {
    folder += separator;
  }
  return folder + std::string(name);
}

}  // namespace

LocatedFile locateProfileFile(std::string_view argument, std::string_view gbkTail) {
  std::string folderName, gbkName;
  splitTail(gbkTail, folderName, gbkName);
  LocatedFile located;
  located.hostName = platform::fileNameSpelling(gbkName);
  const std::string given = argument.empty() ? std::string(".") : std::string(argument);
  if (platform::isDirectory(given)) {
    const std::string inPlugin = join(join(given, platform::fileNameSpelling(folderName)),
                                      located.hostName);
    const std::string direct = join(given, located.hostName);
    located.path = !platform::isRegularFile(inPlugin) && platform::isRegularFile(direct) ? direct
                                                                                         : inPlugin;
  } else {
    located.path = given;
    located.nameMatches = gbk::namesEqual(fileNameOf(given), located.hostName);
  }
  located.exists = platform::isRegularFile(located.path);
  return located;
}

std::string argumentAsUtf8(const std::string& text) { return platform::argumentAsUtf8(text); }

std::optional<std::string> readWholeFile(const std::string& path) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                             &std::fclose);
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, got);
  if (std::ferror(file.get())) return std::nullopt;
  return bytes;
}

bool writeWholeFile(const std::string& path, std::string_view bytes) {
  const std::string temporary = platform::temporaryNameBeside(path);
  {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(temporary.c_str(), "wb"),
                                                         &std::fclose);
    if (!file) return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    written = std::fclose(file.release()) == 0 && written;  // a failed close is a failed write
    if (!written) {
      std::remove(temporary.c_str());
      return false;
    }
  }
  if (!platform::replaceFile(temporary, path)) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

void prepareUtf8Output() { platform::prepareUtf8Output(); }

void writeOut(std::string_view utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fflush(stdout);
}

void writeError(std::string_view utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), stderr);
  std::fflush(stderr);
}

}  // namespace vexlo::tools
