// The Windows platform seam: run directory, reads cut at a character boundary, failed writes, and
// the fatal fault without a dialog.
#include "runtime/platform.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace vexlo {
namespace {

std::string modulePath() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length);
}

// A fresh, empty folder under the temporary folder, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() {
    char base[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, base);
    path_ = std::string(base) + "vexlo-platform-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(counter_++);
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TempFolder() { removeTree(path_); }
  const std::string& path() const { return path_; }

 private:
  static void removeTree(const std::string& dir) {
    WIN32_FIND_DATAA found;
    const HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string child = dir + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          removeTree(child);
        } else {
          DeleteFileA(child.c_str());
        }
      } while (FindNextFileA(h, &found));
      FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
  }
  static inline int counter_ = 0;
  std::string path_;
};

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(WindowsPlatform, RunDirectoryIsTheExecutablesFolderAndBecomesCurrent) {
  const std::string& dir = platformRunDirectory();
  const std::string exe = modulePath();
  ASSERT_FALSE(dir.empty());
  EXPECT_NE(dir.back(), '\\');
  ASSERT_GT(exe.size(), dir.size() + 1);
  EXPECT_EQ(exe.substr(0, dir.size() + 1), dir + "\\");
  EXPECT_EQ(exe.find('\\', dir.size() + 1), std::string::npos) << exe;

  char current[MAX_PATH + 1] = {};
  const DWORD length = GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_EQ(std::string(current, length), dir);
  EXPECT_EQ(&platformRunDirectory(), &dir);  // fixed once
}

std::string pairs(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "中";
  return text;
}

TEST(WindowsPlatform, LongValuesAreCutAfter10239BytesAtACharacterBoundary) {
  TempFolder folder;
  const std::string file = folder.path() + "\\long.ini";
  const std::string x(10240, 'x');
  struct Case {
    std::string value;
    std::string expected;
  };
  const Case cases[] = {
      {x.substr(0, 10239), x.substr(0, 10239)},
      {x, x.substr(0, 10239)},
      {x.substr(0, 10237) + "中", x.substr(0, 10237) + "中"},
      {x.substr(0, 10238) + "中", x.substr(0, 10238)},  // the cut falls inside the pair
      {x.substr(0, 10239) + "中", x.substr(0, 10239)},
      {pairs(5120), pairs(5119)},                       // pairs only: the cut splits the last
      {"x" + pairs(5120), "x" + pairs(5119)},           // the cut falls between two pairs
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(platformProfileFiles().writeValue(file, "s", "k", c.value));
    const std::string read = platformProfileFiles().readValue(file, "s", "k", "DEF");
    EXPECT_EQ(read.size(), c.expected.size()) << "value of " << c.value.size() << " bytes";
    EXPECT_TRUE(read == c.expected) << "value of " << c.value.size() << " bytes";
  }
}

TEST(WindowsPlatform, FailedWritesChangeNothing) {
  TempFolder folder;
  ProfileFiles& files = platformProfileFiles();
  const std::string missing = folder.path() + "\\nodir\\score.ini";
  EXPECT_FALSE(files.writeValue(missing, "s", "k", "1"));
  EXPECT_FALSE(exists(folder.path() + "\\nodir"));
  EXPECT_EQ(files.readValue(missing, "s", "k", "DEF"), "DEF");

  // An empty section or key name is refused before it reaches the system.
  const std::string file = folder.path() + "\\empty-names.ini";
  EXPECT_FALSE(files.writeValue(file, "", "k", "1"));
  EXPECT_FALSE(files.writeValue(file, "s", "", "1"));
  EXPECT_FALSE(exists(file));
}

TEST(WindowsPlatformDeathTest, FatalFaultEndsTheProcessWithItsMessage) {
  SetEnvironmentVariableA("VEXLO_FATAL_NO_DIALOG", "1");
  EXPECT_EXIT(platformFatalFault("out of memory: 64 bytes"), testing::ExitedWithCode(3),
              "out of memory: 64 bytes");
}

}  // namespace
}  // namespace vexlo
