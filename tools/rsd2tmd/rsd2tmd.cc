// rsd2tmd: converts an RSD model (RSD, PLY, MAT and TIM files) into one TMD
// object. Exit status 0 when written, 2 for a usage error or a refused
// model (nothing written), 1 when the TMD file cannot or must not be written
// (it is one of the model's files, or the disk is full: nothing written).
#include <iostream>
#include <string>
#include <vector>

#include "toolfiles/output_file.h"
#include "tools/rsd2tmd/command_line.h"
#include "tools/rsd2tmd/convert.h"
#include "tools/rsd2tmd/rsd_source.h"
#include "tools/rsd2tmd/tmd_file.h"

namespace {

constexpr int kRefused = 2;
constexpr int kNotWritten = 1;

int Refuse(const std::string& message) {
  std::cerr << "rsd2tmd: " << message << "\n";
  return kRefused;
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const std::optional<rsd2tmd::Arguments> args =
      rsd2tmd::ParseArguments(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!args) {
    return Refuse(error + "\n" + rsd2tmd::Usage());
  }
  if (args->show_version) {
    std::cout << rsd2tmd::VersionLine();
    return 0;
  }
  const std::optional<rsd2tmd::SourceModel> source = rsd2tmd::ReadSourceModel(args->rsd, error);
  if (!source) {
    return Refuse(error);
  }
  const rsd2tmd::Conversion conversion = rsd2tmd::Convert(*source, args->factor);
  for (const std::string& warning : conversion.warnings) {
    std::cout << warning << "\n";
  }
  if (!conversion.model) {
    return Refuse(conversion.refusal);
  }
  const std::vector<std::uint8_t> bytes = rsd2tmd::EncodeTmdFile(*conversion.model);
  if (const auto problem = toolfiles::WriteOutputFile(
          args->output, {reinterpret_cast<const char*>(bytes.data()), bytes.size()},
          rsd2tmd::SourceFiles(args->rsd, *source))) {
    std::cerr << "rsd2tmd: " << *problem << "\n";
    return kNotWritten;
  }
  const rsd2tmd::TmdModel& model = *conversion.model;
  std::cout << "rsd2tmd: wrote " << args->output << ": " << model.polygons.size() << " polygons, "
            << model.vertices.size() << " vertices, " << model.normals.size() << " normals, "
            << bytes.size() << " bytes\n";
  return 0;
}
