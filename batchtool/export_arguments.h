// Cutting the arguments of "!objexport" and "!rsdexport" out of a command text.
#ifndef GANNET_BATCHTOOL_EXPORT_ARGUMENTS_H_
#define GANNET_BATCHTOOL_EXPORT_ARGUMENTS_H_

#include <string>
#include <string_view>

namespace batchtool {

/// The argument texts of one export line, not yet read as numbers.
struct ExportArgumentTexts {
  std::string name;
  std::string file_name;
  /// The scale.
  std::string scale;
  /// The launch mode; empty for "!objexport".
  std::string launch_mode;
};

/// Cuts the arguments position by position from `command_text` (the trimmed,
/// lower-case line): everything after the first space is the rest; the name
/// and file name are taken up to their next space; the number texts start at
/// positions computed from the lengths of the earlier arguments, which assumes
/// exactly one space between arguments (two spaces shift them, so the numbers
/// come out wrong, as scripts have always seen it). Missing arguments come out
/// empty or as parts of their neighbours. `with_launch_mode` cuts the scale
/// text at its first space and reads the launch mode after it.
ExportArgumentTexts CutExportArguments(std::string_view command_text, bool with_launch_mode);

}  // namespace batchtool

#endif  // GANNET_BATCHTOOL_EXPORT_ARGUMENTS_H_
