#include "clayhost/plugin_library.h"

#include <dlfcn.h>

namespace clayhost {

std::optional<PluginLibrary> PluginLibrary::Open(const std::string& path, std::string* error) {
  // A name without a slash would be searched on the library path; the user
  // means the file.
  const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
  void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = dlerror();
    *error = reason != nullptr ? reason : "unknown reason";
    return std::nullopt;
  }
  return PluginLibrary(handle);
}

PluginLibrary::~PluginLibrary() {
  if (handle_ != nullptr) {
    dlclose(handle_);
  }
}

std::uintptr_t PluginLibrary::Find(const char* name) const {
  return reinterpret_cast<std::uintptr_t>(dlsym(handle_, name));
}

}  // namespace clayhost
