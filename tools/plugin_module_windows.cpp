// Dynamic loading on Windows: LoadLibraryW, so that a folder outside the ANSI code page (say one
// named in Chinese on a Western system) still loads, and GetProcAddress; the reason a load fails is
// the system error number. The executable's folder comes from GetModuleFileNameW.
#include <windows.h>

#include <system_error>

#include "tools/plugin_module.h"
#include "tools/system_library.h"

namespace vexlo {

void* system_library::open(const std::filesystem::path& file, std::string& reason) {
  std::error_code ec;
  // The wide form reaches any folder, whatever the code page can spell.
  const std::wstring name = std::filesystem::absolute(file, ec).wstring();
  HMODULE module = LoadLibraryW(name.c_str());
  if (!module) reason = " (system error " + std::to_string(GetLastError()) + ")";
  return reinterpret_cast<void*>(module);
}

system_library::GenericFunction system_library::find(void* library, const char* name) {
  // Through the generic function type, which any function pointer may be cast to and from.
  return reinterpret_cast<GenericFunction>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void system_library::close(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

std::filesystem::path executableDirectory() {
  std::wstring path(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length < path.size() ? length : 0);
  return std::filesystem::path(path).parent_path();
}

}  // namespace vexlo
