// The parts of the Windows output paths the host hands to an export: the
// base path every file of the export is named after, and its last
// component. Only '\' and ':' separate components ('/' is part of a name),
// as the host and the console tools have always read these paths.
#ifndef GANNET_EXPORTLIB_PATH_PARTS_H_
#define GANNET_EXPORTLIB_PATH_PARTS_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace exportlib {

/// `output_path` without its last four characters, whatever they are
/// (normally the ending ".rsd" or ".obj"); empty when it has fewer than four.
std::string BasePath(std::string_view output_path);

/// Index just after the last '\' or ':' of `path`; 0 when it has neither.
std::size_t LastComponentStart(std::string_view path);

/// The text after the last '\' or ':' of `path`; the whole path when it has
/// neither.
std::string LastComponent(std::string_view path);

}  // namespace exportlib

#endif  // GANNET_EXPORTLIB_PATH_PARTS_H_
