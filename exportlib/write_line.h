// The line writer of every text file the plug-ins write.
#ifndef GANNET_EXPORTLIB_WRITE_LINE_H_
#define GANNET_EXPORTLIB_WRITE_LINE_H_

#include <string_view>

#include "platform/file_system.h"

namespace exportlib {

/// Writes `text`, then CR LF. Returns true; a short write is remembered by the
/// file (OutputFile::ok) for the caller to report at the end.
bool WriteLine(platform::OutputFile& file, std::string_view text);

}  // namespace exportlib

#endif  // GANNET_EXPORTLIB_WRITE_LINE_H_
