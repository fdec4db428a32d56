// Preparing the run directory of a chat session.
#include "tools/chat/run_directory.h"

#include <algorithm>
#include <system_error>

#include "runtime/code_page.h"
#include "store/fixed_texts.h"
#include "tools/chat/chat_platform.h"

namespace vexlo::chat {
namespace {

// "\plugin\<name>" (GBK) as a relative path in UTF-8.
std::filesystem::path relativeFromTail(std::string_view gbkTail) {
  std::string utf8 = gbkToUtf8(gbkTail).value_or(std::string());
  std::replace(utf8.begin(), utf8.end(), '\\', '/');
  const std::size_t start = utf8.find_first_not_of('/');
  return pathFromUtf8(start == std::string::npos ? std::string() : utf8.substr(start));
}

}  // namespace

std::filesystem::path bankFileInRunDirectory() { return relativeFromTail(texts::bankTail); }

std::filesystem::path scoreBookFileInRunDirectory() {
  return relativeFromTail(texts::scoreBookTail);
}

std::optional<std::filesystem::path> findSampleBank(const std::filesystem::path& executableDirectory) {
  const std::filesystem::path candidate = executableDirectory.parent_path() / "share" / "vexlo" /
                                          bankFileInRunDirectory().filename();
  std::error_code ec;
  if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
  return std::nullopt;
}

PreparedRunDirectory prepareRunDirectory(const std::filesystem::path& directory, bool create,
                                         const std::optional<std::filesystem::path>& sampleBank) {
  PreparedRunDirectory result;
  std::error_code ec;
  if (!create && !std::filesystem::is_directory(directory, ec)) {
    result.error = "the run directory " + pathText(directory) + " does not exist";
    return result;
  }
  const std::filesystem::path bank = directory / bankFileInRunDirectory();
  std::filesystem::create_directories(bank.parent_path(), ec);
  if (ec || !std::filesystem::is_directory(bank.parent_path(), ec)) {
    result.error = "cannot make the folder " + pathText(bank.parent_path());
    return result;
  }
  result.ok = true;
  if (std::filesystem::exists(bank, ec)) return result;
  if (sampleBank) {
    // Copied under another name first, so a failed copy never leaves half a bank behind.
    std::filesystem::path partial = bank;
    partial += ".new";
    if (std::filesystem::copy_file(*sampleBank, partial,
                                   std::filesystem::copy_options::overwrite_existing, ec) &&
        (std::filesystem::rename(partial, bank, ec), !ec)) {
      result.notes += "Put the sample question bank at " + pathText(bank) + "\n";
    } else {
      std::error_code ignored;
      std::filesystem::remove(partial, ignored);
      result.notes += "Could not copy the sample question bank to " + pathText(bank) + ": " +
                      ec.message() + "\n";
    }
  } else {
    result.notes += "There is no question bank at " + pathText(bank) +
                    ", so questions come out empty.\n";
  }
  return result;
}

}  // namespace vexlo::chat
