// The POSIX platform on real files: Windows-style GBK paths, a missing folder, atomic replacement
// that keeps permissions, reads that never cache, a writer killed at random moments, and the
// fatal fault.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/code_page.h"
#include "runtime/platform.h"
#include "runtime/profile_document.h"

namespace vexlo {
namespace {

// A fresh folder under the temporary folder, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
    pattern += "/vexlo-profile-XXXXXX";
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempFolder() { std::system(("rm -rf '" + path_ + "'").c_str()); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void putFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::vector<std::string> namesIn(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* d = ::opendir(folder.c_str())) {
    while (dirent* e = ::readdir(d)) {
      const std::string n = e->d_name;
      if (n != "." && n != "..") names.push_back(n);
    }
    ::closedir(d);
  }
  return names;
}

std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(PosixProfileFiles, WindowsPathsNameUtf8FilesWithGbkContents) {
  TempFolder dir;
  ASSERT_EQ(::mkdir((dir.path() + "/plugin").c_str(), 0755), 0);
  ProfileFiles& files = platformProfileFiles();
  // 乗 is 0x81 0x5C: its second byte is a backslash that must not split the name.
  const std::string book = dir.path() + "\\plugin\\Vexlo积分乗.ini";
  EXPECT_TRUE(files.writeValue(book, "用户积分", "10001", "5"));
  EXPECT_EQ(namesIn(dir.path() + "/plugin"), std::vector<std::string>{utf8(u8"Vexlo积分乗.ini")});
  EXPECT_EQ(fileBytes(dir.path() + "/plugin/" + utf8(u8"Vexlo积分乗.ini")),
            "[用户积分]\r\n10001=5\r\n");
  EXPECT_EQ(files.readValue(book, "用户积分", "10001", "D"), "5");
  // The same file by its POSIX path.
  EXPECT_EQ(files.readValue(dir.path() + "/plugin/Vexlo积分乗.ini", "用户积分", "10001", "D"), "5");
}

TEST(PosixProfileFiles, MissingFolderIsNeverCreated) {
  TempFolder dir;
  ProfileFiles& files = platformProfileFiles();
  const std::string book = dir.path() + "\\plugin\\book.ini";
  EXPECT_FALSE(files.writeValue(book, "s", "k", "1"));
  EXPECT_TRUE(namesIn(dir.path()).empty());
  EXPECT_EQ(files.readValue(book, "s", "k", "DEF"), "DEF");
}

TEST(PosixProfileFiles, WriteReplacesTheFileAtomicallyKeepingPermissions) {
  TempFolder dir;
  ProfileFiles& files = platformProfileFiles();
  const std::string path = dir.path() + "/book.ini";
  putFile(path, "[s]\r\nk=1\r\n");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  struct stat before {};
  ASSERT_EQ(::stat(path.c_str(), &before), 0);

  EXPECT_TRUE(files.writeValue(path, "s", "k", "2"));
  struct stat after {};
  ASSERT_EQ(::stat(path.c_str(), &after), 0);
  EXPECT_NE(after.st_ino, before.st_ino) << "the new content is a new file renamed into place";
  EXPECT_EQ(after.st_mode & 07777, 0640u);
  EXPECT_EQ(fileBytes(path), "[s]\r\nk=2\r\n");
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"book.ini"}) << "no temporary file left";

  // The same value again: the file is not touched at all.
  EXPECT_TRUE(files.writeValue(path, "s", "k", "2"));
  struct stat unchanged {};
  ASSERT_EQ(::stat(path.c_str(), &unchanged), 0);
  EXPECT_EQ(unchanged.st_ino, after.st_ino);
  EXPECT_EQ(unchanged.st_mtim.tv_nsec, after.st_mtim.tv_nsec);
}

TEST(PosixProfileFiles, ReadOnlyFileOrFolderStaysAsItWas) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write anything";
  TempFolder dir;
  ProfileFiles& files = platformProfileFiles();
  const std::string path = dir.path() + "/book.ini";
  putFile(path, "[s]\r\nk=1\r\n");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_FALSE(files.writeValue(path, "s", "k", "2"));
  EXPECT_EQ(fileBytes(path), "[s]\r\nk=1\r\n");
  ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
  ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
  EXPECT_FALSE(files.writeValue(path, "s", "k", "2"));
  EXPECT_EQ(fileBytes(path), "[s]\r\nk=1\r\n");
  ::chmod(dir.path().c_str(), 0755);
}

TEST(PosixProfileFiles, ReadsNeverCache) {
  TempFolder dir;
  ProfileFiles& files = platformProfileFiles();
  const std::string path = dir.path() + "/book.ini";
  putFile(path, "[s]\r\nk=1\r\n");
  struct stat old {};
  ASSERT_EQ(::stat(path.c_str(), &old), 0);
  EXPECT_EQ(files.readValue(path, "s", "k", "D"), "1");
  // A hidden change: same size, and the old modification time put back.
  putFile(path, "[s]\r\nk=2\r\n");
  const timespec times[2] = {old.st_atim, old.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  EXPECT_EQ(files.readValue(path, "s", "k", "D"), "2");
  // A write after a hidden change keeps it.
  putFile(path, "[s]\r\nk=2\r\nx=external\r\n");
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  EXPECT_TRUE(files.writeValue(path, "s", "y", "new"));
  EXPECT_EQ(fileBytes(path), "[s]\r\nk=2\r\nx=external\r\ny=new\r\n");
}

// A writer killed at any moment leaves the old or the new file, never a torn one.
TEST(PosixProfileFiles, KilledWriterLeavesACompleteFile) {
  TempFolder dir;
  const std::string path = dir.path() + "/book.ini";
  std::string book = "[pad]\r\n";
  for (int i = 0; i < 300; ++i) book += "k" + std::to_string(i) + "=" + std::string(100, 'x') + "\r\n";
  book += "[score]\r\n111=0\r\n";
  putFile(path, book);

#ifdef __SANITIZE_ADDRESS__
  const int kills = 60;  // a fork of a sanitized process is slow
#else
  const int kills = 200;
#endif
  std::mt19937 random(20240601);
  for (int kill = 0; kill < kills; ++kill) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ProfileFiles& files = platformProfileFiles();
      for (unsigned n = 1;; ++n) files.writeValue(path, "score", "111", std::to_string(n));
    }
    ::usleep(static_cast<useconds_t>(random() % 3000));  // a varying moment, not a measurement
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);

    const auto doc = ProfileDocument::parse(fileBytes(path));
    ASSERT_EQ(doc.sections().size(), 3u) << "after kill " << kill;
    ASSERT_EQ(doc.sections()[1].entries.size(), 300u) << "after kill " << kill;
    ASSERT_EQ(doc.find("pad", "k299"), std::string(100, 'x')) << "after kill " << kill;
    const auto score = doc.find("score", "111");
    ASSERT_TRUE(score && !score->empty() &&
                score->find_first_not_of("0123456789") == std::string::npos)
        << "after kill " << kill;
  }
}

// Without VEXLO_RUN_DIRECTORY the run directory is the executable's folder. With it (read once at
// load, UTF-8 on disk) it comes back as GBK, and a GBK path built on it reaches that folder: the
// test runs itself again with the variable set to a folder with a Chinese name.
TEST(PosixPlatform, RunDirectoryFromTheExecutableOrTheEnvironment) {
  const std::string& dir = platformRunDirectory();
  ASSERT_FALSE(dir.empty());
  EXPECT_NE(dir.back(), '/');
  const char* fromEnvironment = std::getenv("VEXLO_RUN_DIRECTORY");
  if (fromEnvironment != nullptr && std::getenv("VEXLO_RUN_DIRECTORY_CHILD") != nullptr) {
    std::string expected = fromEnvironment;
    while (!expected.empty() && expected.back() == '/') expected.pop_back();
    EXPECT_EQ(gbkToUtf8(dir), expected);
    EXPECT_TRUE(platformProfileFiles().writeValue(dir + "\\plugin\\积分.ini", "s", "k", "1"));
    return;
  }
  if (fromEnvironment != nullptr) GTEST_SKIP() << "the run directory is set from outside";
  struct stat self {}, inDir {};
  ASSERT_EQ(::stat("/proc/self/exe", &self), 0);
  ASSERT_EQ(::stat((dir + "/runtime_tests").c_str(), &inDir), 0);
  EXPECT_EQ(self.st_ino, inDir.st_ino);

  TempFolder temp;
  const std::string runDir = temp.path() + "/" + utf8(u8"运行目录");
  ASSERT_EQ(::mkdir(runDir.c_str(), 0755), 0);
  ASSERT_EQ(::mkdir((runDir + "/plugin").c_str(), 0755), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::setenv("VEXLO_RUN_DIRECTORY", (runDir + "/").c_str(), 1);
    ::setenv("VEXLO_RUN_DIRECTORY_CHILD", "1", 1);
    ::execl("/proc/self/exe", "runtime_tests",
            "--gtest_filter=PosixPlatform.RunDirectoryFromTheExecutableOrTheEnvironment",
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(fileBytes(runDir + "/plugin/" + utf8(u8"积分.ini")), "[s]\r\nk=1\r\n");
}

TEST(PosixPlatformDeathTest, FatalFaultEndsTheProcessWithAMessage) {
  EXPECT_EXIT(platformFatalFault("out of memory: 4096 bytes"), ::testing::ExitedWithCode(3),
              "out of memory: 4096 bytes");
}

}  // namespace
}  // namespace vexlo
