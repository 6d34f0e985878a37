#include "batchtool/tool_switch.h"

#include <array>
#include <exception>
#include <optional>
#include <string>

#include "batchtool/obj_export.h"
#include "batchtool/script_interpreter.h"
#include "exporter/export_rsd_model.h"
#include "platform/file_system.h"

namespace batchtool {
namespace {

// As stored since the tool's first release: each separator is a pair of
// backslashes, which the file system reads as one.
constexpr std::array<const char*, 2> kScriptLocations = {
    "C:\\\\Program Files\\\\MarbleCLAY\\\\Plugin\\\\SkerryScript.txt",
    "C:\\\\MarbleCLAY\\\\plugin\\\\SkerryScript.txt"};

constexpr const char* kScriptNotFound =
    "ERROR: MarbleCLay not found in the expected locations!!\r\nExpected locations are:\r\n1) "
    "C:\\MarbleCLAY\r\n2) C:\\Program Files\\MarbleCLAY\r\nPlease make sure your MarbleCLAY "
    "folder is one of the above!";

// The path as the user knows it, with single separators.
std::string ShownPath(std::string path) {
  for (auto pair = path.find("\\\\"); pair != std::string::npos; pair = path.find("\\\\", pair)) {
    path.erase(pair, 1);
  }
  return path;
}

std::optional<std::string> FindScript() {
  for (const char* location : kScriptLocations) {
    if (platform::FileExists(location)) {
      return location;
    }
  }
  return std::nullopt;
}

std::int32_t LocateAndRun(const mcp::HostApi& host, mcp::Handle scene,
                          const exportlib::UserChannel& channel, const ObjectWriters& writers) {
  const auto location = FindScript();
  if (!location) {
    channel.show_message(kScriptNotFound);
    return 0;
  }
  // The whole file is read at once, so it is closed again before any line runs.
  const auto script = platform::ReadFile(*location);
  if (!script) {
    channel.show_message("ERROR: The script could not be read: " + ShownPath(*location));
    return 0;
  }
  const ScriptContext context{.host = host, .scene = scene, .channel = channel, .writers = writers};
  return RunScript(*script, context) == ScriptOutcome::kCompleted ? 1 : 0;
}

}  // namespace

ObjectWriters ShippedWriters(const mcp::HostApi& host, const exportlib::UserChannel& channel) {
  return {
      .write_obj = [&host, &channel](
                       mcp::Handle scene, std::int32_t index, const std::string& path,
                       double scale) { ExportObjModel(host, scene, index, path, scale, channel); },
      .write_rsd =
          [&host, &channel](mcp::Handle scene, std::int32_t index, const std::string& path,
                            double scale, std::int32_t launch_mode) {
            exporter::ExportRsdModel(host, scene, index, path, scale, launch_mode,
                                     exporter::RsdExportOptions::ForBatchTool(), channel);
          }};
}

std::int32_t RunToolScript(const mcp::HostApi& host, mcp::Handle scene,
                           const exportlib::UserChannel& channel, const ObjectWriters& writers) {
  try {
    return LocateAndRun(host, scene, channel, writers);
  } catch (const std::exception& error) {
    // Nothing may escape into the host; the run counts as stopped.
    exportlib::ShowSafely(channel, std::string("ERROR: ") + error.what());
  } catch (...) {
    exportlib::ShowSafely(channel, "ERROR: The script run failed.");
  }
  return 0;
}

std::int32_t RunToolScript(const mcp::HostApi& host, mcp::Handle scene,
                           const exportlib::UserChannel& channel) {
  try {
    const ObjectWriters writers = ShippedWriters(host, channel);
    return RunToolScript(host, scene, channel, writers);
  } catch (...) {
    return 0;
  }
}

}  // namespace batchtool
