// Splitting the script file into its lines.
#ifndef GANNET_BATCHTOOL_SCRIPT_LINES_H_
#define GANNET_BATCHTOOL_SCRIPT_LINES_H_

#include <string_view>
#include <vector>

namespace batchtool {

/// The lines of `script` in file order. A line ends at LF (so also at CR LF);
/// its text is everything before its first CR or LF, of any length. A Ctrl-Z
/// (code 26) ends the file. A final line without a line end counts; the line
/// end of the last line does not start another one. The views point into
/// `script`.
std::vector<std::string_view> SplitScriptLines(std::string_view script);

}  // namespace batchtool

#endif  // GANNET_BATCHTOOL_SCRIPT_LINES_H_
