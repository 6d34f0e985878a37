#include "tools/rsd2tmd/rsd_source.h"

#include "tools/rsdformat/read_error.h"

namespace rsd2tmd {

std::optional<SourceModel> ReadSourceModel(const std::string& rsd, std::string& refusal) {
  try {
    SourceModel source;
    source.rsd = rsdformat::ReadRsd(rsd);
    source.ply = rsdformat::ReadPly(rsdformat::ResolveName(rsd, source.rsd.ply));
    source.mat = rsdformat::ReadMat(rsdformat::ResolveName(rsd, source.rsd.mat));
    for (const std::string& tim : source.rsd.textures) {
      source.tims.push_back(rsdformat::ReadTim(rsdformat::ResolveName(rsd, tim)));
      if (const auto outside = rsdformat::OutsideVideoMemory(source.tims.back())) {
        throw rsdformat::ReadError(source.tims.back().file, "", *outside);
      }
    }
    return source;
  } catch (const rsdformat::ReadError& error) {
    refusal = error.what();
    return std::nullopt;
  }
}

std::vector<std::filesystem::path> SourceFiles(const std::string& rsd, const SourceModel& source) {
  std::vector<std::filesystem::path> files = {rsd, rsdformat::ResolveName(rsd, source.rsd.ply),
                                              rsdformat::ResolveName(rsd, source.rsd.mat)};
  for (const rsdformat::TimFile& tim : source.tims) {
    files.emplace_back(tim.file);
  }
  return files;
}

}  // namespace rsd2tmd
