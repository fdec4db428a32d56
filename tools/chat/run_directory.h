// The run directory of a chat session: the folder whose plugin/ subfolder holds the question bank
// and the score book. A new one gets the sample question bank; an existing bank is never replaced.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vexlo::chat {

// The question bank and the score book relative to the run directory (plugin/Vexlo设置.ini and
// plugin/Vexlo积分.ini, spelt in UTF-8).
std::filesystem::path bankFileInRunDirectory();
std::filesystem::path scoreBookFileInRunDirectory();

// The sample bank that the build (or an installation) puts in share/vexlo/ next to the folder of
// the vexlo executable, or nothing when there is none.
std::optional<std::filesystem::path> findSampleBank(const std::filesystem::path& executableDirectory);

struct PreparedRunDirectory {
  bool ok = false;
  std::string error;  // when not ok: one line
  std::string notes;  // what was done or is missing, one line each, each ended by "\n"
};

// Makes `directory` ready for a session: creates it when `create` is set (else it must exist),
// creates its plugin/ folder, and copies `sampleBank` there when no bank is present.
PreparedRunDirectory prepareRunDirectory(const std::filesystem::path& directory, bool create,
                                         const std::optional<std::filesystem::path>& sampleBank);

}  // namespace vexlo::chat
