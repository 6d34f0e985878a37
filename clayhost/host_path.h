// Paths between the host and a plug-in that thinks in Windows paths.
#ifndef GANNET_CLAYHOST_HOST_PATH_H_
#define GANNET_CLAYHOST_HOST_PATH_H_

#include <optional>
#include <string>

namespace clayhost {

/// The spelling under which a plug-in gets the host's `path`, made absolute
/// first. POSIX: through drive Z: ("/tmp/out/ship.rsd" becomes
/// "Z:\\tmp\\out\\ship.rsd"). Win32: the absolute path itself.
std::string PluginPathForHostPath(const std::string& path);

/// The host's path for a path that a plug-in names. POSIX: the drive mapping
/// of platform/windows_path.h (GANNET_DRIVE_<LETTER>, C: and Z: defaults);
/// nullopt for an unmapped drive. Win32: the path itself.
std::optional<std::string> HostPathForPluginPath(const std::string& plugin_path);

/// Maps drive `letter` (A to Z) to `folder` for the plug-ins loaded from now
/// on. POSIX: sets GANNET_DRIVE_<LETTER> to the folder made absolute; a
/// folder that does not exist is refused. Win32: drives belong to the
/// system. Answers false with the reason in `*error`.
bool MapDrive(char letter, const std::string& folder, std::string* error);

}  // namespace clayhost

#endif  // GANNET_CLAYHOST_HOST_PATH_H_
