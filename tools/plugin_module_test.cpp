// The plugin loader's refusals: each names the file and why, also in a folder named in Chinese.
#include "tools/plugin_module.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <system_error>

namespace vexlo {
namespace {

std::string utf8Text(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

TEST(PluginModule, RefusesWhatIsNoLoadableLibrary) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / fs::path(u8"vexlo-loader-试玩");
  std::error_code ec;
  fs::remove_all(folder, ec);
  ASSERT_TRUE(fs::create_directories(folder));
  std::ofstream(folder / "garbage.dll", std::ios::binary) << "not a library";

  struct Case {
    const char* file;
    const char* reason;  // what follows the file name in the message
  };
  const Case cases[] = {
      {"missing.dll", "no plugin at "},
      {"garbage.dll", "cannot load "},
  };
  for (const Case& c : cases) {
    std::string error;
    const fs::path file = folder / c.file;
    EXPECT_EQ(PluginModule::load(file, error), nullptr) << c.file;
    EXPECT_EQ(error.rfind(c.reason + utf8Text(file), 0), 0u) << error;
  }
  fs::remove_all(folder, ec);
}

}  // namespace
}  // namespace vexlo
