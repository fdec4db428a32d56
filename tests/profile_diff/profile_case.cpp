// The case program of the profile differential test: runs every case of the case files named on
// the command line, each in a fresh folder, and prints the result of every read and write and the
// final bytes of every compared file. Exit status 0 when every case ran, 2 on a bad case file or a
// folder or file it could not prepare.
//
// Output, per case:  "case <name>", then "<line> read <quoted>", "<line> write ok|failed", and at
// the end "file <name> <quoted>" or "file <name> missing" for each compared file.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <random>
#include <sstream>
#include <string>

#include "tests/profile_diff/case_file.h"
#include "tests/profile_diff/case_runner.h"

namespace fs = std::filesystem;
using namespace vexlo::profile_diff;

namespace {

// A fresh, empty folder for one case, removed with its content afterwards.
class CaseFolder {
 public:
  CaseFolder() {
    std::random_device random;
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const fs::path candidate = base / ("vexlo-profile-diff-" + std::to_string(random()));
      std::error_code ec;
      if (fs::create_directory(candidate, ec)) path_ = candidate;
    }
  }
  ~CaseFolder() {
    std::error_code ec;
    if (!path_.empty()) fs::remove_all(path_, ec);
  }
  bool ready() const { return !path_.empty(); }

  // The platform path of a "/"-separated name inside the folder.
  std::string pathOf(const std::string& name) const {
    std::string path = path_.string();
    path += pathSeparator();
    for (char c : name) path += c == '/' ? pathSeparator() : c;
    return path;
  }

 private:
  fs::path path_;
};

bool putFile(const std::string& path, const std::string& bytes) {
  std::error_code ec;
  fs::create_directories(fs::path(path).parent_path(), ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::optional<std::string> fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool runCase(const Case& c) {
  CaseFolder folder;
  if (!folder.ready()) {
    std::cerr << "case " << c.name << ": no temporary folder\n";
    return false;
  }
  std::cout << "case " << c.name << "\n";
  std::vector<std::string> compared;
  for (const Statement& s : c.statements) {
    const std::string path = folder.pathOf(s.file);
    switch (s.kind) {
      case Statement::Kind::File:
        if (!putFile(path, s.text)) {
          std::cerr << "case " << c.name << ", line " << s.line << ": cannot write " << s.file << "\n";
          return false;
        }
        break;
      case Statement::Kind::Read:
        std::cout << s.line << " read " << quoteBytes(readRaw(path, s.section, s.key, s.text)) << "\n";
        break;
      case Statement::Kind::Write:
        std::cout << s.line << " write " << (writeRaw(path, s.section, s.key, s.text) ? "ok" : "failed")
                  << "\n";
        break;
      case Statement::Kind::Compare:
        compared.push_back(s.file);
        break;
    }
  }
  for (const std::string& name : compared) {
    const auto bytes = fileBytes(folder.pathOf(name));
    std::cout << "file " << name << " " << (bytes ? quoteBytes(*bytes) : "missing") << "\n";
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  prepareOutput();
  if (argc < 2) {
    std::cerr << "usage: profile_case CASE_FILE...\n";
    return 2;
  }
  for (int i = 1; i < argc; ++i) {
    const auto text = fileBytes(argv[i]);
    if (!text) {
      std::cerr << argv[i] << ": cannot read\n";
      return 2;
    }
    std::string error;
    const auto cases = parseCaseFile(*text, error);
    if (!cases) {
      std::cerr << argv[i] << ": " << error << "\n";
      return 2;
    }
    for (const Case& c : *cases) {
      if (!runCase(c)) return 2;
    }
  }
  std::cout.flush();
  return 0;
}
