#include "exporter/export_driver.h"

#include <string>

#include "exporter/export_rsd_model.h"
#include "exportlib/conversion_error.h"
#include "exportlib/object_attributes.h"

namespace exporter {

std::uint8_t ExecuteExport(const mcp::HostApi& host, mcp::Handle scene,
                           const mcp::ExportParams& params, const exportlib::UserChannel& channel) {
  bool handed_over = false;
  try {
    const std::string output_path = params.path == nullptr ? "" : params.path;
    const double scale = params.scale;
    const std::int32_t count = host.GetRootObjectCount(scene);
    // Objects after the exported one are not read: whatever their attributes
    // hold cannot spoil an export that has run.
    for (std::int32_t i = 0; i < count && !handed_over; ++i) {
      const mcp::Handle object = host.GetRootObject(scene, i);
      std::int32_t activated = 0;
      try {
        activated = exportlib::ReadIntAttribute(host, object, "Activated", 0);
      } catch (const exportlib::ConversionError& error) {
        exportlib::ShowSafely(
            channel, "Error: the \"Activated\" attribute of object (" +
                         exportlib::ReadTextAttribute(host, object, "Name", "(noname)") +
                         ") is not a number: " + error.what() + ", the export has stopped.");
        return 0;
      }
      exportlib::ReadTextAttribute(host, object, "Name", "(noname)");
      if (activated != 0) {
        handed_over = true;
        ExportRsdModel(host, scene, i, output_path, scale, kLaunchAsk,
                       RsdExportOptions::ForExporter(), channel);
      }
    }
    if (!handed_over) {
      exportlib::ShowSafely(
          channel,
          "ERROR! No model selected or no model data is present! Please select the root model to "
          "export.");
    }
  } catch (const std::exception& error) {
    exportlib::ShowSafely(channel, std::string("Error: the export has stopped: ") + error.what());
  } catch (...) {
    exportlib::ShowSafely(channel, "Error: the export has stopped.");
  }
  return handed_over ? 1 : 0;
}

}  // namespace exporter
