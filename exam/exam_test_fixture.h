// The fixture of the engine's unit tests: a fresh ExamState and a RunTime over a temporary run
// directory with a plugin folder (real files through the platform's profile functions) and a clock
// the test sets. Included by the tests only.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "exam/exam_state.h"
#include "exam/handle_message.h"
#include "runtime/platform.h"
#include "runtime/profile_access.h"
#include "runtime/run_time.h"
#include "store/file_paths.h"
#include "store/fixed_texts.h"

namespace vexlo {

// One value of a profile file: section, key, value.
struct Entry {
  std::string section;
  std::string key;
  std::string value;
};

// Profile files that record every access ("read section key", "write section key=value") and pass
// it on to the platform's.
class RecordingProfileFiles : public ProfileFiles {
 public:
  std::string readValue(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view defaultText) override {
    log.push_back("read " + std::string(section) + " " + std::string(key));
    return platformProfileFiles().readValue(file, section, key, defaultText);
  }
  bool writeValue(std::string_view file, std::string_view section, std::string_view key,
                  std::string_view value) override {
    log.push_back("write " + std::string(section) + " " + std::string(key) + "=" +
                  std::string(value));
    return platformProfileFiles().writeValue(file, section, key, value);
  }
  std::vector<std::string> log;
};

class ExamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    do {
      directory_ = base / ("vexlo-exam-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(directory_));
    std::filesystem::create_directory(directory_ / "plugin");
    runTime.runDirectory = directory_.string();
    runTime.profiles = &recording;
    runTime.clock = [this] { return clock; };
  }

  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }

  // Sends one message as plugmain would pass it; returns the reply.
  std::string send(std::string message, const std::string& chatKind = "2",
                   const std::string& groupId = "10001", const std::string& senderId = "111") {
    return handleMessage(state, runTime, message, chatKind, groupId, senderId, "");
  }

  void writeBank(std::initializer_list<Entry> entries) {
    for (const Entry& e : entries) {
      writeProfileText(platformProfileFiles(), bankPath(runTime), e.section, e.key, e.value);
    }
  }
  void writeScores(std::initializer_list<Entry> entries) {
    for (const Entry& e : entries) {
      writeProfileText(platformProfileFiles(), scoreBookPath(runTime), e.section, e.key, e.value);
    }
  }
  // A missing key reads as "(absent)", so tests tell it from an empty value.
  std::string score(std::string_view section, std::string_view key) {
    return readProfileText(platformProfileFiles(), scoreBookPath(runTime), section, key,
                           "(absent)");
  }
  std::string bank(std::string_view section, std::string_view key) {
    return readProfileText(platformProfileFiles(), bankPath(runTime), section, key, "(absent)");
  }

  // A selected category 1 with one question, so every draw takes line 1.
  void oneQuestionCategory(const std::string& kind, const std::string& line,
                           const std::string& title = "Sums") {
    writeBank({{"内容类型", "类型", "1"},
               {"问题内容1", "标题", title},
               {"问题内容1", "问题个数", "1"},
               {"问题内容1", "题目类型", kind},
               {"问题内容1", "1", line}});
  }

  void removePluginFolder() { std::filesystem::remove_all(directory_ / "plugin"); }

  ExamState state;
  RecordingProfileFiles recording;
  RunTime runTime;
  std::uint32_t clock = 5;

 private:
  std::filesystem::path directory_;
};

}  // namespace vexlo
