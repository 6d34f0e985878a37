// POSIX only: the small Windows-like environment in which the plug-ins' own
// drive-letter paths and command lines work unchanged.
//
// Each drive letter maps to a folder: GANNET_DRIVE_<LETTER> (for example
// GANNET_DRIVE_C=/srv/clay) when set; otherwise C: maps to $HOME/.marbleclay/c
// and Z: to "/" (as wine does, so every POSIX path has a Windows spelling);
// other letters are unmapped. Backslashes become slashes, and each existing
// component is looked up without regard to ASCII case.
#ifndef GANNET_PLATFORM_WINDOWS_PATH_H_
#define GANNET_PLATFORM_WINDOWS_PATH_H_

#include <optional>
#include <string>

namespace platform {

/// The POSIX path for a Windows path ("C:\\Program Files\\x.bat"); a path
/// without a drive letter is taken relative to the current folder with its
/// backslashes turned. nullopt when the drive is unmapped.
std::optional<std::string> ToPosixPath(const std::string& windows_path);
/// The Windows spelling of an absolute POSIX path through drive Z:
/// ("/tmp/out/ship.rsd" becomes "Z:\\tmp\\out\\ship.rsd").
std::string ToWindowsPath(const std::string& posix_path);

}  // namespace platform

#endif  // GANNET_PLATFORM_WINDOWS_PATH_H_
