// The platform seam on Windows: profile files through the system's own profile functions, the run
// directory from the host's executable path, the system tick count, and the fatal fault as a modal
// message box that ends the process.
//
// Everything here uses only kernel32 and user32 (both already mapped into every host process), so
// platformRunDirectory() may be called from DllMain: it loads no library.
#include "runtime/platform.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "runtime/directory_part.h"

namespace vexlo {

namespace {

constexpr DWORD kReadBufferSize = 10240;  // a value is read up to 10239 bytes plus its NUL

bool isGbkLeadByte(char c) { return IsDBCSLeadByteEx(936, static_cast<BYTE>(c)) != FALSE; }

// Returns how many of the first `count` bytes of `text` form whole GBK characters: a lead byte
// in the last place has lost its trail byte to the cut.
std::size_t wholeCharacterLength(const char* text, std::size_t count) {
  std::size_t i = 0;
  while (i < count) {
    if (isGbkLeadByte(text[i])) {
      if (i + 1 >= count) return i;
      i += 2;
    } else {
      ++i;
    }
  }
  return count;
}

class WindowsProfileFiles final : public ProfileFiles {
 public:
  std::string readValue(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view defaultText) override {
    // An empty section or key name is never passed on: the A functions may crash on it.
    if (section.empty() || key.empty()) return std::string(defaultText);
    const std::string fileZ(file), sectionZ(section), keyZ(key), defaultZ(defaultText);
    // The buffer starts as NULs: a value never holds a NUL, so a byte the system counted but did
    // not write (Wine does this when the cut splits a double-byte character) shows as the end.
    std::string buffer(kReadBufferSize, '\0');
    const DWORD count = GetPrivateProfileStringA(sectionZ.c_str(), keyZ.c_str(), defaultZ.c_str(),
                                                 buffer.data(), kReadBufferSize, fileZ.c_str());
    std::size_t length = strnlen(buffer.data(), std::min<std::size_t>(count, kReadBufferSize - 1));
    if (count >= kReadBufferSize - 1) {
      // The value may have been cut: a lead byte left without its trail byte is dropped, so the
      // value ends at its last whole character.
      length = wholeCharacterLength(buffer.data(), length);
    }
    buffer.resize(length);
    return buffer;
  }

  bool writeValue(std::string_view file, std::string_view section, std::string_view key,
                  std::string_view value) override {
    // An empty section or key name would crash the A function on Windows (and Wine files such a
    // key where no read finds it): such a write fails and changes nothing.
    if (section.empty() || key.empty()) return false;
    const std::string fileZ(file), sectionZ(section), keyZ(key), valueZ(value);
    return WritePrivateProfileStringA(sectionZ.c_str(), keyZ.c_str(), valueZ.c_str(),
                                      fileZ.c_str()) != FALSE;
  }
};

// Finds the directory of the process's executable and makes it the current directory.
std::string fixRunDirectory() {
  char path[MAX_PATH + 1] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string fullPath;
  if (length >= MAX_PATH) {
    // The path may have been cut: a directory taken from a cut path would name another folder.
    // Ask again with room for the longest path the system has.
    std::string longPath(32768, '\0');
    const DWORD longLength =
        GetModuleFileNameA(nullptr, longPath.data(), static_cast<DWORD>(longPath.size()));
    if (longLength > 0 && longLength < longPath.size()) {
      longPath.resize(longLength);
      fullPath = std::move(longPath);
    }
  }
  if (fullPath.empty() && length > 0) fullPath.assign(path, strnlen(path, length));

  std::string directory = directoryPart(fullPath);
  if (!directory.empty()) {
    // "C:" alone would name the drive's current directory, not its root.
    const std::string target = directory.back() == ':' ? directory + "\\" : directory;
    SetCurrentDirectoryA(target.c_str());
  }
  return directory;
}

bool fatalFaultWithoutDialog() {
  char value[8] = {};
  const DWORD length = GetEnvironmentVariableA("VEXLO_FATAL_NO_DIALOG", value, sizeof value);
  return length > 0 && length < sizeof value && std::strcmp(value, "0") != 0;
}

}  // namespace

ProfileFiles& platformProfileFiles() {
  static WindowsProfileFiles files;
  return files;
}

const std::string& platformRunDirectory() {
  static const std::string directory = fixRunDirectory();
  return directory;
}

std::uint32_t platformMilliseconds() { return GetTickCount(); }

// When the environment variable VEXLO_FATAL_NO_DIALOG is set (to anything but "0"), the message
// goes to standard error instead of a message box, so that unattended tests never block.
// Nothing here allocates: the fault may be exhausted memory.
void platformFatalFault(std::string_view message) {
  char text[1024];
  const std::size_t length = std::min(message.size(), sizeof text - 1);
  std::memcpy(text, message.data(), length);
  text[length] = '\0';
  if (fatalFaultWithoutDialog()) {
    const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    if (err != nullptr && err != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(err, text, static_cast<DWORD>(length), &written, nullptr);
      WriteFile(err, "\r\n", 2, &written, nullptr);
    }
  } else {
    MessageBoxA(nullptr, text, "Vexlo", MB_OK | MB_ICONERROR | MB_SYSTEMMODAL);
  }
  ExitProcess(3);
}

}  // namespace vexlo
