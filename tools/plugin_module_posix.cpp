// Dynamic loading on POSIX: dlopen/dlsym, with dlerror's text as the reason a load fails; and the
// executable's folder from /proc/self/exe.
#include <dlfcn.h>

#include <system_error>

#include "tools/plugin_module.h"
#include "tools/system_library.h"

namespace vexlo {

void* system_library::open(const std::filesystem::path& file, std::string& reason) {
  std::error_code ec;
  // A path without a slash would make dlopen search the library path instead of this file.
  const std::string name = std::filesystem::absolute(file, ec).string();
  void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* why = dlerror();
    reason = std::string(": ") + (why ? why : "unknown reason");
  }
  return handle;
}

system_library::GenericFunction system_library::find(void* library, const char* name) {
  return reinterpret_cast<GenericFunction>(dlsym(library, name));
}

void system_library::close(void* library) { dlclose(library); }

std::filesystem::path executableDirectory() {
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path(ec) : self.parent_path();
}

}  // namespace vexlo
