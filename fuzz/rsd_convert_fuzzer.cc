// The PLY, MAT and TIM readers and the TMD converter over arbitrary texts.
//
// Input: byte 0, taken mod 4, picks the vertex factor 1, 10, 100 or 0.5;
// then the PLY text, "#MAT", the MAT text, "#TIM", the bytes of texture 0
// (a missing part is empty).
//
// Besides the sanitizers' checks, each run must keep what the converter
// promises: bad input ends in a message that names a file; a model it
// converts encodes to a TMD file that the checker finds sound, with one
// primitive per polygon and every vertex and normal.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/rsd2tmd/convert.h"
#include "tools/rsd2tmd/tmd_file.h"
#include "tools/rsdformat/read_error.h"

namespace {

void Require(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "converter broke its promise: %s\n", what);
    std::abort();
  }
}

// The part of `rest` before `separator`, removing both from `rest`.
std::string_view TakeUntil(std::string_view& rest, std::string_view separator) {
  const std::size_t at = rest.find(separator);
  const std::string_view part = rest.substr(0, at);
  rest.remove_prefix(at == std::string_view::npos ? rest.size() : at + separator.size());
  return part;
}

bool NamesAFile(const std::string& message) {
  for (const char* file : {"m.ply", "m.mat", "m0.tim"}) {
    if (message.rfind(file, 0) == 0) {
      return true;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  static constexpr double kFactors[] = {1, 10, 100, 0.5};
  const double factor = kFactors[data[0] % 4];
  std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string_view ply = TakeUntil(rest, "#MAT");
  const std::string_view mat = TakeUntil(rest, "#TIM");

  rsd2tmd::SourceModel source;
  source.rsd.file = "m.rsd";
  try {
    source.ply = rsdformat::ParsePly(ply, "m.ply");
    source.mat = rsdformat::ParseMat(mat, "m.mat");
    source.tims.push_back(rsdformat::ParseTim(rest, "m0.tim"));
  } catch (const rsdformat::ReadError& error) {
    Require(NamesAFile(error.what()), "a reader's message names no file");
    return 0;
  }
  const rsd2tmd::Conversion conversion = rsd2tmd::Convert(source, factor);
  if (!conversion.model) {
    Require(NamesAFile(conversion.refusal), "a refusal names no file");
    return 0;
  }
  const rsd2tmd::TmdModel& model = *conversion.model;
  Require(model.polygons.size() == source.ply.polygons.size(), "a polygon lost or added");
  Require(model.vertices.size() == source.ply.vertices.size(), "a vertex lost or added");
  Require(model.normals.size() == source.ply.normals.size(), "a normal lost or added");
  const rsd2tmd::TmdDescription description =
      rsd2tmd::DescribeTmdFile(rsd2tmd::EncodeTmdFile(model));
  Require(description.fault.empty(), "the TMD written is not sound");
  return 0;
}
