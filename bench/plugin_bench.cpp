// Benchmarks of the plugin on score books of 1,000, 10,000 and 100,000 senders: one plugmain call
// through the real exports for a message that is no command, a right answer and the listing; one
// profile read and one profile write beneath them; and the plain file work they are measured
// against (open+read+scan, read+write). Counters give the score book's size and the peak heap
// growth of a profile read or write (counted by this program's allocator).
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <malloc.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

#include "runtime/code_page.h"
#include "runtime/platform.h"
#include "runtime/profile_access.h"
#include "runtime/run_time.h"
#include "store/file_paths.h"
#include "store/fixed_texts.h"

// A counting allocator: live and peak heap bytes of this program (the plugin has its own).
namespace {
std::atomic<std::size_t> liveBytes{0}, peakBytes{0};
void countUp(void* p) {
  std::size_t now = liveBytes += malloc_usable_size(p);
  std::size_t peak = peakBytes.load();
  while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
  }
}
}  // namespace

void* operator new(std::size_t n) {
  void* p = std::malloc(n ? n : 1);
  if (!p) throw std::bad_alloc();
  countUp(p);
  return p;
}
void* operator new[](std::size_t n) { return operator new(n); }
void operator delete(void* p) noexcept {
  if (!p) return;
  liveBytes -= malloc_usable_size(p);
  std::free(p);
}
void operator delete[](void* p) noexcept { operator delete(p); }
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
void operator delete[](void* p, std::size_t) noexcept { operator delete(p); }

namespace {

namespace fs = std::filesystem;
using namespace vexlo;

using Plugmain = const char* (*)(const char*, const char*, const char*, const char*, const char*);

constexpr const char* kGroup = "10001";

std::string senderId(long i) { return std::to_string(100000000 + i); }

struct Fixture {
  RunTime runTime;
  fs::path folder;
  Plugmain plugmain = nullptr;

  Fixture() {
    runTime.runDirectory = platformRunDirectory();  // this program's directory (ASCII)
    runTime.profiles = &platformProfileFiles();
    folder = fs::path(runTime.runDirectory) / "plugin";
    fs::create_directories(folder);
    // The plugin takes the same run directory.
    setenv("VEXLO_RUN_DIRECTORY", runTime.runDirectory.c_str(), 1);
    void* module = dlopen(VEXLO_PLUGIN_FILE, RTLD_NOW | RTLD_LOCAL);
    if (!module) {
      std::fprintf(stderr, "cannot load %s: %s\n", VEXLO_PLUGIN_FILE, dlerror());
      std::exit(2);
    }
    plugmain = reinterpret_cast<Plugmain>(dlsym(module, "plugmain"));
    // A bank of one category of kind 2 with one question, so every draw posts it and a wrong
    // answer changes nothing.
    std::string bank;
    bank.append("[").append(texts::selectionSection).append("]\r\n");
    bank.append(texts::selectionKey).append("=1\r\n");
    bank.append("[").append(texts::categorySectionPrefix).append("1]\r\n");
    bank.append(texts::titleKey).append("=T\r\n");
    bank.append(texts::questionCountKey).append("=1\r\n");
    bank.append(texts::questionKindKey).append("=2\r\n1=Q|B\r\n");
    writeFile(nativePath(bankPath(runTime)), bank);
  }

  // The on-disk path of a plugin path: the file name spelled in UTF-8 in the plugin folder.
  fs::path nativePath(const std::string& gbkPath) const {
    auto name = gbkToUtf8(std::string_view(gbkPath).substr(gbkPath.find_last_of('\\') + 1));
    return folder / fs::path(std::u8string(name->begin(), name->end()));
  }

  fs::path scoreBookFile() const { return nativePath(scoreBookPath(runTime)); }

  static void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  }

  // Writes a score book of `senders` senders (points, counts and level each) and one group answer.
  std::size_t makeScoreBook(long senders) {
    std::string out;
    out.append("[").append(texts::groupAnswerSection).append("]\r\n").append(kGroup).append("=B\r\n");
    const std::string_view sections[] = {texts::pointsSection, texts::correctCountSection,
                                         texts::wrongCountSection, texts::levelSection};
    const char* values[] = {"12", "9", "3", "1"};
    for (int s = 0; s < 4; ++s) {
      out.append("[").append(sections[s]).append("]\r\n");
      for (long i = 0; i < senders; ++i) out += senderId(i) + "=" + values[s] + "\r\n";
    }
    writeFile(scoreBookFile(), out);
    return out.size();
  }
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

long lastSize = -1;
std::size_t prepared(long senders) {
  static std::size_t bytes = 0;
  if (senders != lastSize) {
    bytes = fixture().makeScoreBook(senders);
    lastSize = senders;
  }
  return bytes;
}

void setCommon(benchmark::State& state, std::size_t bytes) {
  state.counters["file_bytes"] = static_cast<double>(bytes);
}

// The sender at the end of every section: the farthest key a read has to find.
std::string lastSender(long senders) { return senderId(senders - 1); }

void BM_MessageNoCommand(benchmark::State& state) {
  auto& f = fixture();
  std::size_t bytes = prepared(state.range(0));
  std::string sender = lastSender(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(f.plugmain("hello", "2", kGroup, sender.c_str(), nullptr));
  setCommon(state, bytes);
}

void BM_MessageRightAnswer(benchmark::State& state) {
  auto& f = fixture();
  std::size_t bytes = prepared(state.range(0));
  std::string sender = lastSender(state.range(0));
  const std::string draw(texts::drawCommand);
  for (auto _ : state) {
    state.PauseTiming();
    f.plugmain(draw.c_str(), "2", kGroup, sender.c_str(), nullptr);
    state.ResumeTiming();
    benchmark::DoNotOptimize(f.plugmain("B", "2", kGroup, sender.c_str(), nullptr));
  }
  setCommon(state, bytes);
}

void BM_MessageList(benchmark::State& state) {
  auto& f = fixture();
  std::size_t bytes = prepared(state.range(0));
  std::string sender = lastSender(state.range(0));
  const std::string list(texts::listCommand);
  for (auto _ : state)
    benchmark::DoNotOptimize(f.plugmain(list.c_str(), "2", kGroup, sender.c_str(), nullptr));
  setCommon(state, bytes);
}

// One profile read (the last sender's level) and one write (its points), through the same
// run-time code as the plugin; the peak heap growth of one call is reported.
void BM_ProfileRead(benchmark::State& state) {
  auto& f = fixture();
  std::size_t bytes = prepared(state.range(0));
  std::string sender = lastSender(state.range(0));
  std::string path = scoreBookPath(f.runTime);
  std::size_t peak = 0;
  for (auto _ : state) {
    std::size_t before = liveBytes.load();
    peakBytes = before;
    benchmark::DoNotOptimize(readProfileText(*f.runTime.profiles, path, texts::levelSection, sender));
    peak = std::max(peak, peakBytes.load() - before);
  }
  setCommon(state, bytes);
  state.counters["peak_heap_bytes"] = static_cast<double>(peak);
}

void BM_ProfileWrite(benchmark::State& state) {
  auto& f = fixture();
  std::size_t bytes = prepared(state.range(0));
  std::string sender = lastSender(state.range(0));
  std::string path = scoreBookPath(f.runTime);
  std::size_t peak = 0;
  long n = 0;
  for (auto _ : state) {
    std::string value = std::to_string(n++ % 2 ? 12 : 13);  // a real change every time
    std::size_t before = liveBytes.load();
    peakBytes = before;
    writeProfileText(*f.runTime.profiles, path, texts::pointsSection, sender, value);
    peak = std::max(peak, peakBytes.load() - before);
  }
  setCommon(state, bytes);
  state.counters["peak_heap_bytes"] = static_cast<double>(peak);
}

// Opens a file and reads all of it into one buffer sized from its length.
std::string readWhole(const fs::path& file) {
  std::string all;
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return all;
  struct stat info {};
  if (::fstat(fd, &info) == 0) {
    all.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < all.size()) {
      const ssize_t n = ::read(fd, all.data() + done, all.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    all.resize(done);
  }
  ::close(fd);
  return all;
}

// Goes through the lines of `all` and returns the start of the first line that begins with
// `needle`, or npos.
std::size_t scanLines(const std::string& all, const std::string& needle) {
  const char* data = all.data();
  const std::size_t size = all.size();
  for (std::size_t pos = 0; pos < size;) {
    if (size - pos >= needle.size() && std::memcmp(data + pos, needle.data(), needle.size()) == 0) {
      return pos;
    }
    const void* nl = std::memchr(data + pos, '\n', size - pos);
    if (nl == nullptr) break;
    pos = static_cast<std::size_t>(static_cast<const char*>(nl) - data) + 1;
  }
  return std::string::npos;
}

// Writes `all` to a temporary file beside `file` and renames it over `file`, with or without
// flushing it to disk first.
void writeThroughTemporary(const fs::path& file, const std::string& all, bool flush) {
  fs::path temporary = file;
  temporary += ".tmp";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return;
  std::size_t done = 0;
  while (done < all.size()) {
    const ssize_t n = ::write(fd, all.data() + done, all.size() - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  if (flush) ::fsync(fd);
  ::close(fd);
  ::rename(temporary.c_str(), file.c_str());
}

// Plain baselines: open, read the whole file and go through its lines to the last sender's line;
// read the whole file and write it back through a temporary file renamed over it (the profile
// write also flushes the file to disk: the flushed variant shows what that costs).
void BM_PlainOpenReadScan(benchmark::State& state) {
  auto& f = fixture();
  std::size_t bytes = prepared(state.range(0));
  std::string needle = lastSender(state.range(0)).append("=");
  fs::path file = f.scoreBookFile();
  for (auto _ : state) {
    benchmark::DoNotOptimize(scanLines(readWhole(file), needle));
  }
  setCommon(state, bytes);
}

void plainReadWrite(benchmark::State& state, bool flush) {
  auto& f = fixture();
  std::size_t bytes = prepared(state.range(0));
  fs::path file = f.scoreBookFile();
  for (auto _ : state) writeThroughTemporary(file, readWhole(file), flush);
  setCommon(state, bytes);
}

void BM_PlainReadWrite(benchmark::State& state) { plainReadWrite(state, false); }
void BM_PlainReadWriteFlushed(benchmark::State& state) { plainReadWrite(state, true); }

void sizes(benchmark::internal::Benchmark* b) {
  b->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_PlainOpenReadScan)->Apply(sizes);
BENCHMARK(BM_PlainReadWrite)->Apply(sizes);
BENCHMARK(BM_PlainReadWriteFlushed)->Apply(sizes);
BENCHMARK(BM_ProfileRead)->Apply(sizes);
BENCHMARK(BM_ProfileWrite)->Apply(sizes);
BENCHMARK(BM_MessageNoCommand)->Apply(sizes);
BENCHMARK(BM_MessageRightAnswer)->Apply(sizes);
BENCHMARK(BM_MessageList)->Apply(sizes);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  struct rusage before {};
  getrusage(RUSAGE_SELF, &before);
  benchmark::RunSpecifiedBenchmarks();
  struct rusage after {};
  getrusage(RUSAGE_SELF, &after);
  std::printf("peak resident set: %ld KiB at start of the runs, %ld KiB at the end\n",
              before.ru_maxrss, after.ru_maxrss);
  benchmark::Shutdown();
  return 0;
}
