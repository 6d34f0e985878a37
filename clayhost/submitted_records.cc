#include "clayhost/submitted_records.h"

#include <cstdio>
#include <ostream>

#include "clayhost/ansi_text.h"

namespace clayhost {
namespace {

std::optional<RecordType> TypeFor(DescriptionCall during, std::int32_t kind) {
  switch (during) {
    case DescriptionCall::kPluginInfo:
      if (kind == mcp::kInfoKindPlugin) {
        return RecordType::kPluginInfo;
      }
      break;
    case DescriptionCall::kExporterInfo:
      if (kind == mcp::kInfoKindExporter) {
        return RecordType::kExporterInfo;
      }
      if (kind == mcp::kInfoKindExporterOptions) {
        return RecordType::kExporterOptions;
      }
      break;
    case DescriptionCall::kToolInfo:
      if (kind == mcp::kInfoKindTool) {
        return RecordType::kToolInfo;
      }
      break;
  }
  return std::nullopt;
}

const char* CallName(DescriptionCall during) {
  switch (during) {
    case DescriptionCall::kPluginInfo:
      return "MCP_GetPluginInfo";
    case DescriptionCall::kExporterInfo:
      return "MCP_GetExporterInfo";
    case DescriptionCall::kToolInfo:
      return "MCP_GetToolInfo";
  }
  return "";
}

std::size_t SizeOf(RecordType type) {
  switch (type) {
    case RecordType::kPluginInfo:
      return sizeof(mcp::PluginInfoRecord);
    case RecordType::kExporterInfo:
      return sizeof(mcp::ExporterInfoRecord);
    case RecordType::kExporterOptions:
      return sizeof(mcp::ExporterOptionsRecord);
    case RecordType::kToolInfo:
      return sizeof(mcp::ToolInfoRecord);
  }
  return 0;
}

std::optional<std::string> CopyText(const char* text) {
  if (text == nullptr) {
    return std::nullopt;
  }
  return std::string(text);
}

std::vector<std::optional<std::string>> CopyTexts(const SubmittedRecord& record) {
  switch (record.type) {
    case RecordType::kPluginInfo: {
      const auto fields = record.As<mcp::PluginInfoRecord>();
      return {CopyText(fields.name), CopyText(fields.description)};
    }
    case RecordType::kExporterInfo: {
      const auto fields = record.As<mcp::ExporterInfoRecord>();
      return {CopyText(fields.extension), CopyText(fields.description)};
    }
    case RecordType::kExporterOptions:
      return {CopyText(record.As<mcp::ExporterOptionsRecord>().options)};
    case RecordType::kToolInfo:
      return {CopyText(record.As<mcp::ToolInfoRecord>().text)};
  }
  return {};
}

/// Writes "indent name = value" lines.
class FieldPrinter {
 public:
  FieldPrinter(std::ostream& out, const std::string& indent) : out_(&out), indent_(indent) {}

  void Integer(const char* name, unsigned long long value) {
    *out_ << indent_ << name << " = " << value << "\n";
  }
  void Handle(const char* name, std::uintptr_t value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
    *out_ << indent_ << name << " = " << text << "\n";
  }
  void Float(const char* name, float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char text[64];
    std::snprintf(text, sizeof text, "%.9g (0x%08X)", static_cast<double>(value), bits);
    *out_ << indent_ << name << " = " << text << "\n";
  }
  void Text(const char* name, const std::optional<std::string>& value) {
    *out_ << indent_ << name << " = " << (value ? QuoteBytes(*value) : "null") << "\n";
  }
  void Bytes(const char* name, const std::uint8_t* bytes, std::size_t count) {
    *out_ << indent_ << name << " =";
    for (std::size_t i = 0; i < count; ++i) {
      char text[4];
      std::snprintf(text, sizeof text, "%02X", bytes[i]);
      *out_ << " " << text;
    }
    *out_ << "\n";
  }
  void Title(const char* name) { *out_ << indent_ << name << "\n"; }

 private:
  std::ostream* out_;
  std::string indent_;
};

}  // namespace

std::optional<SubmittedRecord> CopySubmission(const SubmitCall& call, DescriptionCall during,
                                              std::string* problem) {
  const auto type = TypeFor(during, call.kind);
  if (!type) {
    *problem = "kind " + std::to_string(call.kind) + " is no record of " + CallName(during);
    return std::nullopt;
  }
  const std::size_t size = SizeOf(*type);
  if (call.size < 0 || static_cast<std::size_t>(call.size) != size) {
    *problem = "kind " + std::to_string(call.kind) + " record of " + std::to_string(call.size) +
               " bytes; it has " + std::to_string(size);
    return std::nullopt;
  }
  if (call.record == nullptr) {
    *problem = "null record";
    return std::nullopt;
  }
  SubmittedRecord record;
  record.call = call;
  record.call.record = nullptr;
  record.type = *type;
  const auto* bytes = static_cast<const std::uint8_t*>(call.record);
  record.bytes.assign(bytes, bytes + size);
  record.texts = CopyTexts(record);
  return record;
}

void PrintRecord(const SubmittedRecord& record, std::ostream& out, const std::string& indent) {
  FieldPrinter title(out, indent);
  FieldPrinter field(out, indent + "  ");
  switch (record.type) {
    case RecordType::kPluginInfo: {
      const auto fields = record.As<mcp::PluginInfoRecord>();
      title.Title("PluginInfoRecord");
      field.Text("name", record.texts[0]);
      field.Text("description", record.texts[1]);
      field.Integer("kind", fields.kind);
      field.Integer("id", fields.id);
      field.Integer("value", fields.value);
      break;
    }
    case RecordType::kExporterInfo: {
      const auto fields = record.As<mcp::ExporterInfoRecord>();
      title.Title("ExporterInfoRecord");
      field.Integer("value0", fields.value0);
      field.Text("extension", record.texts[0]);
      field.Text("description", record.texts[1]);
      field.Integer("value12", fields.value12);
      field.Integer("value14", fields.value14);
      field.Integer("value16", fields.value16);
      field.Integer("value18", fields.value18);
      field.Float("scale", fields.scale);
      field.Integer("value23", fields.value23);
      break;
    }
    case RecordType::kExporterOptions: {
      const auto fields = record.As<mcp::ExporterOptionsRecord>();
      title.Title("ExporterOptionsRecord");
      field.Integer("size", fields.size);
      field.Integer("reserved4", fields.reserved4);
      field.Text("options", record.texts[0]);
      field.Bytes("reserved", fields.reserved, sizeof fields.reserved);
      break;
    }
    case RecordType::kToolInfo: {
      const auto fields = record.As<mcp::ToolInfoRecord>();
      title.Title("ToolInfoRecord");
      field.Integer("width", fields.width);
      field.Integer("height", fields.height);
      field.Handle("bitmap", fields.bitmap);
      field.Text("text", record.texts[0]);
      field.Integer("value16", fields.value16);
      field.Bytes("reserved", fields.reserved, sizeof fields.reserved);
      break;
    }
  }
}

}  // namespace clayhost
