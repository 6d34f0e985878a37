// How a step of the export ends the whole export, and the texts the steps
// share.
#ifndef GANNET_EXPORTER_EXPORT_STOP_H_
#define GANNET_EXPORTER_EXPORT_STOP_H_

#include "exportlib/export_stop.h"

namespace exporter {

/// The exporter's steps throw the stop both plug-ins share; ExportRsdModel
/// catches it.
using exportlib::ExportStop;

/// The comment line that starts every file an export creates.
inline constexpr const char* kCommentLine = "#created with Gannet v2 May 2023 for MarbleClay.";

/// The text that the face and model checks show when there is nothing to export.
inline constexpr const char* kNoModelData =
    "ERROR, no model selected or no model data is present! Please select the model to export.";

}  // namespace exporter

#endif  // GANNET_EXPORTER_EXPORT_STOP_H_
