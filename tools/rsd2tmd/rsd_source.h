// Reading an RSD model from its files into what the converter takes.
#ifndef GANNET_TOOLS_RSD2TMD_RSD_SOURCE_H_
#define GANNET_TOOLS_RSD2TMD_RSD_SOURCE_H_

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tools/rsd2tmd/convert.h"

namespace rsd2tmd {

/// Reads the RSD file `rsd`, its PLY and MAT files and every TIM it lists
/// (names relative to the RSD file's folder). nullopt with `refusal` set to
/// the reader's message ("FILE:LINE: what", "FILE: what") for a file that
/// cannot be read or does not parse, and for a TIM whose image or palette
/// runs past video memory (the console would load it elsewhere).
std::optional<SourceModel> ReadSourceModel(const std::string& rsd, std::string& refusal);

/// Every file the model was read from: the RSD file, its PLY and MAT files
/// and its TIM files, as the reader found them.
std::vector<std::filesystem::path> SourceFiles(const std::string& rsd, const SourceModel& source);

}  // namespace rsd2tmd

#endif  // GANNET_TOOLS_RSD2TMD_RSD_SOURCE_H_
