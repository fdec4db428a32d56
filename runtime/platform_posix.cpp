// The platform seam on POSIX: profile files through the portable engine on real files, the run
// directory from /proc/self/exe (or VEXLO_RUN_DIRECTORY), a monotonic millisecond clock, and the
// fatal fault as a line on standard error followed by an immediate end with exit code 3.
//
// File names: the plugin passes Windows-style GBK paths ("<run directory>\plugin\<name>.ini").
// Backslashes (never a GBK second byte) become "/", and the name is spelled in UTF-8 on disk; the
// contents stay GBK byte for byte. A path without backslashes is used as it is, after GBK to UTF-8.
//
// Writes are atomic: the new content goes to a temporary file in the same folder, is flushed to
// disk and renamed over the old file, which keeps its permissions. A failed write leaves the old
// file as it was; a missing folder is never created. Reads never cache.
//
// Every access reads the whole file with one read into one buffer and finds the one section and key
// in place; a write sends the old bytes before and after the changed line straight from that buffer
// to the temporary file. Files with a byte-order mark go through the document's GBK view instead.
#include "runtime/platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>

#include "runtime/code_page.h"
#include "runtime/profile_document.h"
#include "runtime/profile_locator.h"

namespace vexlo {

namespace {

// The run directory in both spellings: GBK for the plugin, the native bytes for the file system.
struct RunDirectory {
  std::string gbk;
  std::string native;
};

RunDirectory findRunDirectory() {
  std::string native;
  if (const char* fromEnvironment = std::getenv("VEXLO_RUN_DIRECTORY");
      fromEnvironment != nullptr && *fromEnvironment != '\0') {
    native = fromEnvironment;
  } else {
    std::string exe(PATH_MAX, '\0');
    const ssize_t length = readlink("/proc/self/exe", exe.data(), exe.size());
    if (length > 0 && static_cast<std::size_t>(length) < exe.size()) {
      exe.resize(static_cast<std::size_t>(length));
      const std::size_t slash = exe.rfind('/');
      if (slash != std::string::npos) native = exe.substr(0, slash);
    }
  }
  while (!native.empty() && native.back() == '/') native.pop_back();
  RunDirectory dir;
  dir.native = native;
  // A directory without a GBK spelling is passed on as its own bytes; paths that start with it are
  // recognised before any conversion (nativePath), so it still reaches the right folder.
  const auto gbk = utf8ToGbk(native);
  dir.gbk = gbk ? *gbk : native;
  return dir;
}

const RunDirectory& runDirectory() {
  static const RunDirectory dir = findRunDirectory();
  return dir;
}

// Fixes the run directory while the module loads, before any export can be called.
[[maybe_unused]] const bool runDirectoryFixedAtLoad = (runDirectory(), true);

// Returns the file-system path of a GBK path.
std::string nativePath(std::string_view path) {
  const RunDirectory& dir = runDirectory();
  std::string out;
  if (!dir.gbk.empty() && path.substr(0, dir.gbk.size()) == dir.gbk &&
      (path.size() == dir.gbk.size() || path[dir.gbk.size()] == '\\' ||
       path[dir.gbk.size()] == '/')) {
    out = dir.native;
    path.remove_prefix(dir.gbk.size());
  }
  std::string mapped;
  mapped.reserve(path.size());
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (gbk::isLeadByte(path[i]) && i + 1 < path.size()) {
      mapped += path[i];
      mapped += path[++i];
    } else {
      mapped += path[i] == '\\' ? '/' : path[i];
    }
  }
  const auto utf8 = gbkToUtf8(mapped);
  out += utf8 ? *utf8 : mapped;
  return out;
}

// Closes a file descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now; returns false when the close reported an error.
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

enum class ReadStatus { Read, Missing, Failed };

// The bytes of a whole file in one buffer, sized from the file's length; never zero-filled.
class FileBytes {
 public:
  std::string_view view() const { return std::string_view(data_.get(), size_); }

  // Reads the whole file. A file or folder that does not exist is Missing; anything else that
  // stops the read (no permission, not a regular file, an I/O error) is Failed.
  ReadStatus read(const std::string& path, struct stat& info) {
    size_ = 0;
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::Failed;
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return ReadStatus::Failed;
    // One byte more than the length: a read that fills it shows that the file grew meanwhile.
    std::size_t capacity = static_cast<std::size_t>(info.st_size) + 1;
    data_ = std::make_unique_for_overwrite<char[]>(capacity);
    for (;;) {
      if (size_ == capacity) {
        auto larger = std::make_unique_for_overwrite<char[]>(capacity * 2);
        std::memcpy(larger.get(), data_.get(), size_);
        data_ = std::move(larger);
        capacity *= 2;
      }
      const ssize_t n = ::read(fd.get(), data_.get() + size_, capacity - size_);
      if (n < 0) {
        if (errno == EINTR) continue;
        return ReadStatus::Failed;
      }
      if (n == 0) return ReadStatus::Read;
      size_ += static_cast<std::size_t>(n);
    }
  }

 private:
  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0;
};

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Replaces the file at `path` by the bytes of `pieces`, one after the other, in one rename. `old` describes the file it replaces, or
// is null for a new file (which then gets the usual permissions under the process's umask).
bool replaceFile(const std::string& path, std::initializer_list<std::string_view> pieces,
                 const struct stat* old) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  static unsigned counter = 0;

  std::string temp;
  int raw = -1;
  for (int attempt = 0; attempt < 100 && raw < 0; ++attempt) {
    temp = folder + "/." + name + ".tmp-" + std::to_string(::getpid()) + "-" +
           std::to_string(counter++);
    raw = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (raw < 0 && errno != EEXIST) return false;  // e.g. the folder does not exist
  }
  if (raw < 0) return false;
  Descriptor fd(raw);
  bool ok = true;
  for (std::string_view piece : pieces) ok = ok && writeAll(fd.get(), piece);
  if (ok && old != nullptr) {
    if (old->st_uid != ::geteuid() || old->st_gid != ::getegid()) {
      [[maybe_unused]] const int ignored = ::fchown(fd.get(), old->st_uid, old->st_gid);
    }
    ok = ::fchmod(fd.get(), old->st_mode & 07777) == 0;
  }
  ok = ok && ::fsync(fd.get()) == 0;
  ok = fd.close() && ok;
  ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  // Make the rename itself durable; the new content is already in place either way.
  Descriptor dirFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dirFd.get() >= 0) ::fsync(dirFd.get());
  return true;
}

class PosixProfileFiles final : public ProfileFiles {
 public:
  std::string readValue(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view defaultText) override {
    FileBytes bytes;
    struct stat info {};
    const std::string_view content =
        bytes.read(nativePath(file), info) == ReadStatus::Read ? bytes.view() : std::string_view();
    // A file with a byte-order mark is seen through its GBK view; every other file in place.
    if (profileEncodingOf(content) != ProfileEncoding::Gbk) {
      return ProfileDocument::parse(content).read(section, key, defaultText);
    }
    return profileReadResult(locateProfileEntry(content, section, key), defaultText,
                             ProfileDocument::kReadBufferSize);
  }

  bool writeValue(std::string_view file, std::string_view section, std::string_view key,
                  std::string_view value) override {
    std::string path = nativePath(file);
    // A link is followed: the file it names is replaced, the link stays.
    struct stat linkInfo {};
    if (::lstat(path.c_str(), &linkInfo) == 0 && S_ISLNK(linkInfo.st_mode)) {
      char* target = ::realpath(path.c_str(), nullptr);
      if (target == nullptr) return false;
      path = target;
      std::free(target);
    }
    FileBytes bytes;
    struct stat info {};
    const ReadStatus status = bytes.read(path, info);
    if (status == ReadStatus::Failed) return false;
    const bool exists = status == ReadStatus::Read;
    // A file the process may not write stays as it is, as on Windows.
    if (exists && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return false;
    const std::string_view content = bytes.view();
    const auto edit = profileEncodingOf(content) != ProfileEncoding::Gbk
                          ? ProfileDocument::parse(content).edit(section, key, value)
                          : profileEditFor(content, section, key, value);
    if (!edit) return true;  // the same value: nothing to write
    // The new file is the old bytes around the one changed line, written straight from the buffer.
    return replaceFile(path,
                       {content.substr(0, edit->from), edit->text, content.substr(edit->to)},
                       exists ? &info : nullptr);
  }
};

}  // namespace

ProfileFiles& platformProfileFiles() {
  static PosixProfileFiles files;
  return files;
}

const std::string& platformRunDirectory() { return runDirectory().gbk; }

std::uint32_t platformMilliseconds() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                  static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
  return static_cast<std::uint32_t>(ms);
}

void platformFatalFault(std::string_view message) {
  std::string line(message);
  line += '\n';
  [[maybe_unused]] const bool written = writeAll(STDERR_FILENO, line);
  ::_exit(3);
}

}  // namespace vexlo
