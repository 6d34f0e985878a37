#include "exporter/rsd_file.h"

#include "exporter/export_stop.h"
#include "exporter/line_text.h"
#include "exportlib/checked_output.h"
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
  exportlib::CheckedOutput project = exportlib::CreateCheckedOutput(project_path);
  exportlib::WriteLine(project.file, kCommentLine);
  exportlib::WriteLine(project.file, "[TIM Files]");
  for (int k = 0; k < texture_count; ++k) {
    const std::string tim = base_name + Decimal(k) + ".tim";
    exportlib::WriteLine(rsd, "TEX[" + Decimal(k) + "]=" + tim);
    exportlib::WriteLine(project.file, "File_" + Decimal(k) + "=" + tim);
  }
  exportlib::WriteLine(project.file, "#Gracphics mode is from the rsdv NY executable");
  exportlib::WriteLine(project.file, "[Graphics Mode]");
  exportlib::WriteLine(project.file, "Width=640");
  exportlib::WriteLine(project.file, "Height=240");
  exportlib::CloseCheckedOutput(project);
}

}  // namespace exporter
