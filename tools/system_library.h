// The platform's dynamic loading, beneath the plugin loader (plugin_module.h): one implementation
// per platform (plugin_module_posix.cpp: dlopen; plugin_module_windows.cpp: LoadLibraryW).
#pragma once

#include <filesystem>
#include <string>

namespace vexlo::system_library {

// Any exported function, before it is cast to its own type.
using GenericFunction = void (*)();

// Loads the library at `file` (an existing file, any characters in its folders). On failure returns
// null and sets `reason` to the system's account, ready to follow the file's name (": ..." or
// " (system error N)").
void* open(const std::filesystem::path& file, std::string& reason);

// Returns the export `name` of an opened library, or null.
GenericFunction find(void* library, const char* name);

// Unloads a library that `open` returned.
void close(void* library);

}  // namespace vexlo::system_library
