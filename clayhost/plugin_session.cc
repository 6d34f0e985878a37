#include "clayhost/plugin_session.h"

#include <cstdio>
#include <cstring>
#include <ostream>

#include "clayhost/ansi_text.h"
#include "clayhost/texture_image.h"

namespace clayhost {
namespace {

std::string Hex(unsigned long long value) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%llX", value);
  return text;
}

template <typename Fn>
Fn Resolve(const PluginLibrary& library, const char* name) {
  return reinterpret_cast<Fn>(library.Find(name));
}

}  // namespace

struct PluginSession::Exports {
  mcp::InitializePluginProcFn initialize = nullptr;
  mcp::PluginEntryFn entry = nullptr;
  mcp::GetPluginInfoFn get_plugin_info = nullptr;
  mcp::ReleasePluginFn release = nullptr;
  mcp::GetExporterInfoFn get_exporter_info = nullptr;
  mcp::ExecuteExportFn execute_export = nullptr;
  mcp::GetToolInfoFn get_tool_info = nullptr;
  mcp::ToolSwitchFn tool_switch = nullptr;
};

std::unique_ptr<PluginSession> PluginSession::Start(const std::string& path,
                                                    std::uint32_t host_version, std::ostream* trace,
                                                    std::ostream& diagnostics, std::string* error) {
  std::string reason;
  auto library = PluginLibrary::Open(path, &reason);
  if (!library) {
    *error = "cannot load the plug-in " + path + ": " + reason;
    return nullptr;
  }
  std::unique_ptr<PluginSession> session(
      new PluginSession(std::move(*library), trace, diagnostics));
  Exports& exports = *session->exports_;
  const PluginLibrary& loaded = session->library_;
  exports.initialize =
      Resolve<mcp::InitializePluginProcFn>(loaded, mcp::kExportInitializePluginProc);
  exports.entry = Resolve<mcp::PluginEntryFn>(loaded, mcp::kExportPluginEntry);
  exports.get_plugin_info = Resolve<mcp::GetPluginInfoFn>(loaded, mcp::kExportGetPluginInfo);
  exports.release = Resolve<mcp::ReleasePluginFn>(loaded, mcp::kExportReleasePlugin);
  exports.get_exporter_info = Resolve<mcp::GetExporterInfoFn>(loaded, mcp::kExportGetExporterInfo);
  exports.execute_export = Resolve<mcp::ExecuteExportFn>(loaded, mcp::kExportExecuteExport);
  exports.get_tool_info = Resolve<mcp::GetToolInfoFn>(loaded, mcp::kExportGetToolInfo);
  exports.tool_switch = Resolve<mcp::ToolSwitchFn>(loaded, mcp::kExportToolSwitch);
  const std::pair<const void*, const char*> common[] = {
      {reinterpret_cast<const void*>(exports.initialize), mcp::kExportInitializePluginProc},
      {reinterpret_cast<const void*>(exports.entry), mcp::kExportPluginEntry},
      {reinterpret_cast<const void*>(exports.get_plugin_info), mcp::kExportGetPluginInfo},
      {reinterpret_cast<const void*>(exports.release), mcp::kExportReleasePlugin},
  };
  for (const auto& [address, name] : common) {
    if (address == nullptr) {
      *error = path + " is not a plug-in: it has no export " + name;
      session->released_ = true;  // nothing of the lifecycle ran
      return nullptr;
    }
  }
  if (!session->Describe(host_version, error)) {
    *error = path + ": " + *error;
    return nullptr;
  }
  return session;
}

PluginSession::PluginSession(PluginLibrary library, std::ostream* trace, std::ostream& diagnostics)
    : library_(std::move(library)),
      exports_(std::make_unique<Exports>()),
      trace_(trace),
      diagnostics_(&diagnostics) {
  state_.diagnostics = diagnostics_;
  state_.read_image = &ReadImageFile;
  state_.submit = [this](const SubmitCall& call) { OnSubmit(call); };
  serving_ = std::make_unique<ServeHostState>(state_);
}

PluginSession::~PluginSession() {
  if (!released_) {
    Release();
  }
}

bool PluginSession::Describe(std::uint32_t host_version, std::string* error) {
  const std::int32_t accepted = exports_->entry(0, 0, host_version);
  if (trace_ != nullptr) {
    *trace_ << "MCP_PluginEntry(0, 0, " << Hex(host_version) << ") = " << accepted << "\n";
  }
  if (accepted != 1) {
    *error = "the plug-in refused host version " + Hex(host_version) +
             " (MCP_PluginEntry answered " + std::to_string(accepted) + ")";
    released_ = true;  // a refused plug-in is unloaded without release
    return false;
  }

  const auto slots = CallbackSlotValues();
  int mismatches = 0;
  for (int index = 0; index < mcp::kCallbackSlotCount; ++index) {
    const std::int32_t answer = exports_->initialize(index, slots[index]);
    if (answer != index) {
      ++mismatches;
      *diagnostics_ << "clayhost: plug-in error: MCP_InitializePluginProc(" << index
                    << ") answered " << answer << "\n";
    }
  }
  if (trace_ != nullptr) {
    *trace_ << "MCP_InitializePluginProc(0 .. " << mcp::kCallbackSlotCount - 1
            << ") = " << (mismatches == 0 ? "each its index" : "not always its index") << "\n";
  }

  during_ = DescriptionCall::kPluginInfo;
  const std::size_t before = records_.size();
  if (trace_ != nullptr) {
    *trace_ << mcp::kExportGetPluginInfo << "(" << Hex(kContext0) << ", " << Hex(kContext1)
            << ", 0)\n";
  }
  const std::uint8_t described = exports_->get_plugin_info(kContext0, kContext1, 0);
  during_.reset();
  if (trace_ != nullptr) {
    // Records were printed as they came; the answer closes the call.
    *trace_ << "= " << static_cast<int>(described) << "\n";
  }
  const SubmittedRecord* info = nullptr;
  for (std::size_t i = before; i < records_.size(); ++i) {
    if (records_[i].type == RecordType::kPluginInfo) {
      info = &records_[i];
    }
  }
  if (described == 0 || info == nullptr) {
    *error = described == 0 ? "MCP_GetPluginInfo(index 0) answered false"
                            : "MCP_GetPluginInfo submitted no PluginInfoRecord";
    return false;
  }
  const auto fields = info->As<mcp::PluginInfoRecord>();
  id_ = fields.id;
  if (fields.kind != static_cast<std::uint16_t>(PluginKind::kExporter) &&
      fields.kind != static_cast<std::uint16_t>(PluginKind::kTool)) {
    *error = "the plug-in reports kind " + std::to_string(fields.kind) +
             ", neither exporter (1) nor tool (2)";
    return false;
  }
  kind_ = static_cast<PluginKind>(fields.kind);

  const bool exporter = kind_ == PluginKind::kExporter;
  const void* describe = exporter ? reinterpret_cast<const void*>(exports_->get_exporter_info)
                                  : reinterpret_cast<const void*>(exports_->get_tool_info);
  const void* work = exporter ? reinterpret_cast<const void*>(exports_->execute_export)
                              : reinterpret_cast<const void*>(exports_->tool_switch);
  if (describe == nullptr || work == nullptr) {
    *error =
        std::string("the ") + (exporter ? "exporter" : "tool") + " plug-in has no export " +
        (describe == nullptr ? (exporter ? mcp::kExportGetExporterInfo : mcp::kExportGetToolInfo)
                             : (exporter ? mcp::kExportExecuteExport : mcp::kExportToolSwitch));
    return false;
  }
  during_ = exporter ? DescriptionCall::kExporterInfo : DescriptionCall::kToolInfo;
  const std::size_t first_kind_record = records_.size();
  if (trace_ != nullptr) {
    *trace_ << (exporter ? mcp::kExportGetExporterInfo : mcp::kExportGetToolInfo) << "("
            << Hex(kContext0) << ", " << Hex(kContext1) << ", " << id_low() << ", " << id_high()
            << ")\n";
  }
  const std::uint8_t answered =
      exporter ? exports_->get_exporter_info(kContext0, kContext1, id_low(), id_high())
               : exports_->get_tool_info(kContext0, kContext1, id_low(), id_high());
  if (trace_ != nullptr) {
    *trace_ << "= " << static_cast<int>(answered) << "\n";
  }
  const RecordType wanted = exporter ? RecordType::kExporterInfo : RecordType::kToolInfo;
  bool found = false;
  for (std::size_t i = first_kind_record; i < records_.size(); ++i) {
    found = found || records_[i].type == wanted;
  }
  during_.reset();
  if (answered == 0 || !found) {
    *error = std::string(exporter ? mcp::kExportGetExporterInfo : mcp::kExportGetToolInfo) +
             (answered == 0 ? " answered false" : " submitted no description record");
    return false;
  }
  return true;
}

void PluginSession::OnSubmit(const SubmitCall& call) {
  if (!during_) {
    *diagnostics_ << "clayhost: plug-in error: SubmitInfo: called outside MCP_GetPluginInfo, "
                     "MCP_GetExporterInfo and MCP_GetToolInfo; record refused\n";
    return;
  }
  const std::uint64_t expected_id = *during_ == DescriptionCall::kPluginInfo ? 0 : id_;
  if (trace_ != nullptr) {
    *trace_ << "  SubmitInfo(" << call.id_low << ", " << call.id_high << ", " << Hex(call.context0)
            << ", " << Hex(call.context1) << ", kind " << call.kind << ", " << call.size
            << " bytes)\n";
  }
  if ((static_cast<std::uint64_t>(call.id_high) << 32 | call.id_low) != expected_id) {
    *diagnostics_ << "clayhost: plug-in error: SubmitInfo: identifier " << call.id_low << ":"
                  << call.id_high << " where " << static_cast<std::uint32_t>(expected_id) << ":"
                  << static_cast<std::uint32_t>(expected_id >> 32) << " belongs\n";
  }
  if (call.context0 != kContext0 || call.context1 != kContext1) {
    *diagnostics_ << "clayhost: plug-in error: SubmitInfo: context " << Hex(call.context0) << ", "
                  << Hex(call.context1) << " is not the host's " << Hex(kContext0) << ", "
                  << Hex(kContext1) << "\n";
  }
  std::string problem;
  auto record = CopySubmission(call, *during_, &problem);
  if (!record) {
    *diagnostics_ << "clayhost: plug-in error: SubmitInfo: " << problem << "; record refused\n";
    return;
  }
  if (trace_ != nullptr) {
    PrintRecord(*record, *trace_, "    ");
  }
  records_.push_back(std::move(*record));
}

std::string PluginSession::extension() const {
  for (const SubmittedRecord& record : records_) {
    if (record.type == RecordType::kExporterInfo && !record.texts.empty() && record.texts[0]) {
      return *record.texts[0];
    }
  }
  return {};
}

std::uint8_t PluginSession::Export(const Scene& scene, const std::string& plugin_path,
                                   float scale) {
  mcp::ExportParams params;
  std::memset(&params, 0, sizeof params);
  params.path = plugin_path.c_str();
  params.scale = scale;
  state_.Serve(&scene);
  const std::uint8_t result =
      exports_->execute_export(kContext0, kContext1, id_low(), id_high(), SceneHandle(), &params);
  state_.Serve(nullptr);
  if (trace_ != nullptr) {
    *trace_ << "MCP_ExecuteExport(" << Hex(kContext0) << ", " << Hex(kContext1) << ", " << id_low()
            << ", " << id_high() << ", " << Hex(SceneHandle()) << ", " << QuoteBytes(plugin_path)
            << ", " << scale << ") = " << static_cast<int>(result) << "\n";
  }
  return result;
}

std::int32_t PluginSession::SwitchTool(const Scene& scene) {
  mcp::ToolStateRecord tool_state;
  std::memset(&tool_state, 0, sizeof tool_state);
  state_.Serve(&scene);
  const std::int32_t result = exports_->tool_switch(kContext0, kContext1, id_low(), id_high(), 1,
                                                    SceneHandle(), &tool_state);
  state_.Serve(nullptr);
  if (trace_ != nullptr) {
    *trace_ << "MCP_ToolSwitch(" << Hex(kContext0) << ", " << Hex(kContext1) << ", " << id_low()
            << ", " << id_high() << ", 1, " << Hex(SceneHandle()) << ") = " << result << "\n";
  }
  return result;
}

void PluginSession::Release() {
  released_ = true;
  const std::uintptr_t answer = exports_->release(id_low(), id_high());
  if (trace_ != nullptr) {
    *trace_ << "MCP_ReleasePlugin(" << id_low() << ", " << id_high() << ") = " << answer << "\n";
  }
}

}  // namespace clayhost
