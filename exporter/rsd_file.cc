#include "exporter/rsd_file.h"

#include <optional>

#include "exporter/export_stop.h"
#include "exporter/line_text.h"
#include "exportlib/write_line.h"

namespace exporter {

void WriteRsdHeader(platform::OutputFile& rsd, const std::string& base_name) {
  exportlib::WriteLine(rsd, kCommentLine);
  exportlib::WriteLine(rsd, "@RSD940102");
  exportlib::WriteLine(rsd, "PLY=" + base_name + ".ply");
  exportlib::WriteLine(rsd, "MAT=" + base_name + ".mat");
}

void WriteTextureLines(platform::OutputFile& rsd, const std::string& base_path,
                       const std::string& base_name, int texture_count) {
  exportlib::WriteLine(rsd, "NTEX=" + Decimal(texture_count));
  if (texture_count == 0) {
    return;
  }
  const std::string project_path = base_path + ".PSX";
  std::optional<platform::OutputFile> project = platform::OutputFile::Create(project_path);
  if (!project) {
    throw ExportStop("Error: Can not create the file " + project_path);
  }
  exportlib::WriteLine(*project, kCommentLine);
  exportlib::WriteLine(*project, "[TIM Files]");
  for (int k = 0; k < texture_count; ++k) {
    const std::string tim = base_name + Decimal(k) + ".tim";
    exportlib::WriteLine(rsd, "TEX[" + Decimal(k) + "]=" + tim);
    exportlib::WriteLine(*project, "File_" + Decimal(k) + "=" + tim);
  }
  exportlib::WriteLine(*project, "#Gracphics mode is from the rsdv NY executable");
  exportlib::WriteLine(*project, "[Graphics Mode]");
  exportlib::WriteLine(*project, "Width=640");
  exportlib::WriteLine(*project, "Height=240");
  if (!project->Close()) {
    throw ExportStop("Error: Can not write the file " + project_path);
  }
}

}  // namespace exporter
