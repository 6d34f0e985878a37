// Output files of an export whose failures end the export with the message
// both plug-ins have always shown for them.
#ifndef GANNET_EXPORTLIB_CHECKED_OUTPUT_H_
#define GANNET_EXPORTLIB_CHECKED_OUTPUT_H_

#include <string>

#include "platform/file_system.h"

namespace exportlib {

/// One output file with the path it was created at, for the messages.
struct CheckedOutput {
  std::string path;
  platform::OutputFile file;
};

/// Creates or truncates `path`. Throws ExportStop("Error: Can not create the
/// file " + path) when that fails.
CheckedOutput CreateCheckedOutput(const std::string& path);

/// Closes `output`. Throws ExportStop("Error: Can not write the file " +
/// path) when the file did not take every byte written to it: a short write
/// is a lost file, to be reported rather than used.
void CloseCheckedOutput(CheckedOutput& output);

}  // namespace exportlib

#endif  // GANNET_EXPORTLIB_CHECKED_OUTPUT_H_
