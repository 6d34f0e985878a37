// The RSD file, which names the PLY and MAT files and the TIM textures, and
// the ".PSX" project file that lists the TIM files and the graphics mode.
#ifndef GANNET_EXPORTER_RSD_FILE_H_
#define GANNET_EXPORTER_RSD_FILE_H_

#include <string>

#include "platform/file_system.h"

namespace exporter {

/// Writes the comment line, the magic line and the PLY= and MAT= lines.
void WriteRsdHeader(platform::OutputFile& rsd, const std::string& base_name);

/// Writes "NTEX=" and one "TEX[k]=" line per texture to the RSD file and,
/// when there is at least one texture, creates base_path + ".PSX" with the
/// same TIM files. Throws ExportStop when the project file cannot be
/// written.
void WriteTextureLines(platform::OutputFile& rsd, const std::string& base_path,
                       const std::string& base_name, int texture_count);

}  // namespace exporter

#endif  // GANNET_EXPORTER_RSD_FILE_H_
