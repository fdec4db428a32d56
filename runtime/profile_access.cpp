// Reading and writing one value of a profile file with the rules every caller relies on: skipped
// leading control bytes on reads, and a guard on writes so that no text can add lines or change an
// entry other than the one it names. Sits above both platform implementations.
#include "runtime/profile_access.h"

#include "runtime/profile_document.h"

namespace vexlo {

namespace {

// A name as the C boundary sees it: up to its first NUL.
std::string_view upToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

// Skips the leading bytes 0x01-0x20 (control characters and the blank); 0x80 and above stay.
std::string_view skipLeadingControls(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) >= 0x01 &&
         static_cast<unsigned char>(text[i]) <= 0x20) {
    ++i;
  }
  return text.substr(i);
}

bool holdsLineBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// True when a name written into a header or an entry line reads back as that same name: no line
// break or NUL, not empty once the leading bytes a read skips are gone, and no lead byte at the end
// (it would swallow the "]" or "=" that follows it).
bool isWritableName(std::string_view name) {
  return !holdsLineBreakOrNul(name) && !skipLeadingControls(name).empty() &&
         !gbk::endsInLoneLeadByte(name);
}

std::string readWith(ProfileFiles& files, std::string_view file, std::string_view section,
                     std::string_view key, std::string_view defaultText) {
  file = skipLeadingControls(upToNul(file));
  section = skipLeadingControls(upToNul(section));
  key = skipLeadingControls(upToNul(key));
  if (file.empty() || section.empty() || key.empty()) return std::string();
  return files.readValue(file, section, key, upToNul(defaultText));
}

}  // namespace

std::string readProfileText(ProfileFiles& files, std::string_view file, std::string_view section,
                            std::string_view key) {
  return readWith(files, file, section, key, std::string_view());
}

std::string readProfileText(ProfileFiles& files, std::string_view file, std::string_view section,
                            std::string_view key, std::string_view defaultText) {
  return readWith(files, file, section, key, defaultText);
}

bool writeProfileText(ProfileFiles& files, std::string_view file, std::string_view section,
                      std::string_view key, std::string_view value) {
  file = upToNul(file);
  if (file.empty() || !isWritableName(section) || !isWritableName(key)) return false;
  // A key holding "=" would be split there on reading; one starting with "[" would read as a
  // section header.
  if (key.find('=') != std::string_view::npos || skipLeadingControls(key).front() == '[') {
    return false;
  }
  const std::size_t cut = value.find_first_of(std::string_view("\r\n\0", 3));
  if (cut != std::string_view::npos) value = value.substr(0, cut);
  return files.writeValue(file, section, key, value);
}

}  // namespace vexlo
