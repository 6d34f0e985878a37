// Reading an RSD model from its files into what the converter takes.
#ifndef GANNET_TOOLS_RSD2TMD_RSD_SOURCE_H_
#define GANNET_TOOLS_RSD2TMD_RSD_SOURCE_H_

#include <optional>
#include <string>

#include "tools/rsd2tmd/convert.h"

namespace rsd2tmd {

/// Reads the RSD file `rsd`, its PLY and MAT files and every TIM it lists
/// (names relative to the RSD file's folder). nullopt with `refusal` set to
/// the reader's message ("FILE:LINE: what", "FILE: what") for a file that
/// cannot be read or does not parse.
std::optional<SourceModel> ReadSourceModel(const std::string& rsd, std::string& refusal);

}  // namespace rsd2tmd

#endif  // GANNET_TOOLS_RSD2TMD_RSD_SOURCE_H_
