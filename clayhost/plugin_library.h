// A plug-in library (.mcp) loaded into the host process.
//
// Once a library is open, the message boxes of the plug-in reach the host's
// ClayHostMessageBox (platform/host_hook.h). POSIX: the plug-in's weak
// reference resolves to the host executable's export when the library is
// loaded. Win32: Open patches the library's import of MessageBoxA to a
// function that forwards to ClayHostMessageBox.
#ifndef GANNET_CLAYHOST_PLUGIN_LIBRARY_H_
#define GANNET_CLAYHOST_PLUGIN_LIBRARY_H_

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace clayhost {

/// An open plug-in library; unloaded by its destructor.
class PluginLibrary {
 public:
  /// Loads the library at `path` and resolves its imports. On failure returns
  /// nullopt and sets `*error` to the system's reason.
  static std::optional<PluginLibrary> Open(const std::string& path, std::string* error);

  PluginLibrary(PluginLibrary&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  PluginLibrary& operator=(PluginLibrary&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;
  ~PluginLibrary();

  /// The address of the export `name`, or 0 when the library has none.
  std::uintptr_t Find(const char* name) const;

 private:
  explicit PluginLibrary(void* handle) : handle_(handle) {}
  void* handle_ = nullptr;
};

}  // namespace clayhost

#endif  // GANNET_CLAYHOST_PLUGIN_LIBRARY_H_
