// One plug-in run through the lifecycle the MarbleClay host gives it: load,
// MCP_PluginEntry, the callback table, the description records, the working
// calls, MCP_ReleasePlugin and unloading.
#ifndef GANNET_CLAYHOST_PLUGIN_SESSION_H_
#define GANNET_CLAYHOST_PLUGIN_SESSION_H_

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "clayhost/host_callbacks.h"
#include "clayhost/plugin_library.h"
#include "clayhost/scene.h"
#include "clayhost/submitted_records.h"
#include "hostplugin/mcp_abi.h"

namespace clayhost {

/// The host version handed to MCP_PluginEntry unless the user names another.
inline constexpr std::uint32_t kDefaultHostVersion = 0x50600;

/// The two context values the host passes to the exports.
inline constexpr mcp::Context kContext0 = 0x0C1A0001;
inline constexpr mcp::Context kContext1 = 0x0C1A0002;

/// The kind a plug-in reports in its PluginInfoRecord.
enum class PluginKind { kExporter = 1, kTool = 2 };

/// A loaded and described plug-in. Its callbacks serve this session while it
/// lives; only one session may live at a time.
class PluginSession {
 public:
  /// Loads the plug-in at `path` and runs the lifecycle up to the working
  /// calls. With `trace`, every call and every submitted record is printed
  /// there. Misuse by the plug-in is reported on `diagnostics`. When the
  /// plug-in cannot be loaded or described, returns null and sets `*error`.
  static std::unique_ptr<PluginSession> Start(const std::string& path, std::uint32_t host_version,
                                              std::ostream* trace, std::ostream& diagnostics,
                                              std::string* error);
  ~PluginSession();
  PluginSession(const PluginSession&) = delete;
  PluginSession& operator=(const PluginSession&) = delete;

  PluginKind kind() const { return kind_; }
  /// The identifier the plug-in reported.
  std::uint64_t id() const { return id_; }
  /// Every record submitted so far, in order.
  const std::vector<SubmittedRecord>& records() const { return records_; }
  /// The file extension an exporter's ExporterInfoRecord names ("rsd"),
  /// without the dot; empty for a tool or a record without one.
  std::string extension() const;
  /// How many SaveTexture calls the host could not carry out so far.
  int failed_saves() const { return state_.failed_saves; }

  /// MCP_ExecuteExport on `scene` with the output path in the plug-in's
  /// spelling and the scale; its result.
  std::uint8_t Export(const Scene& scene, const std::string& plugin_path, float scale);
  /// MCP_ToolSwitch with switch state 1 on `scene`; its result.
  std::int32_t SwitchTool(const Scene& scene);
  /// MCP_ReleasePlugin; called by the destructor when not called before.
  void Release();

 private:
  struct Exports;
  PluginSession(PluginLibrary library, std::ostream* trace, std::ostream& diagnostics);
  bool Describe(std::uint32_t host_version, std::string* error);
  void OnSubmit(const SubmitCall& call);
  std::uint32_t id_low() const { return static_cast<std::uint32_t>(id_); }
  std::uint32_t id_high() const { return static_cast<std::uint32_t>(id_ >> 32); }

  PluginLibrary library_;
  std::unique_ptr<Exports> exports_;
  std::ostream* trace_;
  std::ostream* diagnostics_;
  HostState state_;
  std::unique_ptr<ServeHostState> serving_;
  // The description export being called, if any: it decides what each
  // submitted kind means.
  std::optional<DescriptionCall> during_;
  std::vector<SubmittedRecord> records_;
  PluginKind kind_ = PluginKind::kExporter;
  std::uint64_t id_ = 0;
  bool released_ = false;
};

}  // namespace clayhost

#endif  // GANNET_CLAYHOST_PLUGIN_SESSION_H_
