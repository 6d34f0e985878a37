// How a step of the export ends the whole export, and the texts the steps
// share.
#ifndef GANNET_EXPORTER_EXPORT_STOP_H_
#define GANNET_EXPORTER_EXPORT_STOP_H_

#include <stdexcept>
#include <string>

namespace exporter {

/// Thrown by a step that ends the export. ExportRsdModel catches it, shows
/// message() (unless it is empty: the user has already answered a question)
/// and returns false; the output files close as the stack unwinds.
class ExportStop : public std::runtime_error {
 public:
  explicit ExportStop(const std::string& message) : std::runtime_error(message) {}
  std::string message() const { return what(); }
};

/// The comment line that starts every file an export creates.
inline constexpr const char* kCommentLine = "#created with Gannet v2 May 2023 for MarbleClay.";

/// The text that the face and model checks show when there is nothing to export.
inline constexpr const char* kNoModelData =
    "ERROR, no model selected or no model data is present! Please select the model to export.";

}  // namespace exporter

#endif  // GANNET_EXPORTER_EXPORT_STOP_H_
