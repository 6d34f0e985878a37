// psxview: wraps a TMD model, its TIM files and optionally a pack into a
// PS-EXE that shows them on the console. Exit status 0 when written, 2 for a
// usage error or refused input (nothing written), 1 when the file cannot be
// written.
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "console/view_data.h"
#include "gannet_version.h"
#include "toolfiles/output_file.h"
#include "tools/psxview/command_line.h"
#include "tools/psxview/own_path.h"
#include "tools/psxview/ps_exe.h"
#include "tools/psxview/view_block.h"
#include "tools/psxview/viewer_image.h"
#include "tools/rsd2tmd/tmd_file.h"
#include "tools/rsdformat/pck_file.h"
#include "tools/rsdformat/read_error.h"
#include "tools/rsdformat/tim_file.h"

namespace {

constexpr int kRefused = 2;
constexpr int kNotWritten = 1;

int Refuse(const std::string& message) {
  std::cerr << "psxview: " << message << "\n";
  return kRefused;
}

// The console's memory: no console program can be larger.
constexpr std::uint64_t kLargestViewer = std::uint64_t{2} << 20;

psxview::InputFile Read(const std::string& name, std::uint64_t limit) {
  const std::string bytes = rsdformat::ReadWholeFile(name, limit);
  return {name, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

// The files the output must not replace.
std::vector<std::filesystem::path> Inputs(const psxview::Arguments& args) {
  std::vector<std::filesystem::path> inputs(args.tims.begin(), args.tims.end());
  inputs.emplace_back(args.tmd);
  if (!args.pack.empty()) {
    inputs.emplace_back(args.pack);
  }
  return inputs;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::cout << "psxview " << gannet::kVersion << "\n";
    return 0;
  }
  std::string error;
  const std::optional<psxview::Arguments> args =
      psxview::ParseArguments(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!args) {
    std::cerr << error << "\n" << psxview::kUsage;
    return kRefused;
  }
  if (const auto refusal = toolfiles::OutputRefusal(args->output, Inputs(*args))) {
    return Refuse(*refusal);
  }
  const std::filesystem::path program = psxview::OwnPath(argv[0]);
  const std::optional<std::filesystem::path> viewer = psxview::FindViewer(program);
  if (!viewer) {
    std::string places;
    for (const std::filesystem::path& place : psxview::ViewerPlaces(program)) {
      places += " " + place.string();
    }
    return Refuse("the console program " + std::string(psxview::kViewerName) +
                  " is not installed (looked at" + places + ")");
  }
  std::vector<std::uint8_t> image;
  psxview::ViewRequest request;
  try {
    image = Read(viewer->string(), kLargestViewer).bytes;
    request.tmd = Read(args->tmd, rsd2tmd::kTmdFileLimit);
    for (const std::string& tim : args->tims) {
      request.tims.push_back(Read(tim, rsdformat::kTimFileLimit));
    }
    if (!args->pack.empty()) {
      request.pack = Read(args->pack, rsdformat::kPackFileLimit);
    }
  } catch (const rsdformat::ReadError& read_error) {
    return Refuse(read_error.what());
  }
  request.view = args->view;
  request.spin = args->spin;
  request.frame = args->frame;
  std::vector<std::uint8_t> block;
  try {
    block = psxview::BuildViewBlock(request, static_cast<std::uint32_t>(image.size()));
  } catch (const psxview::Refusal& refusal) {
    return Refuse(refusal.what());
  }
  image.insert(image.end(), block.begin(), block.end());
  const std::vector<std::uint8_t> exe =
      psxview::PsExe(image, viewdata::kLoadAddress, viewdata::kStackTop);
  if (const auto problem = toolfiles::WriteOutputFile(
          args->output, {reinterpret_cast<const char*>(exe.data()), exe.size()}, Inputs(*args))) {
    std::cerr << "psxview: " << *problem << "\n";
    return kNotWritten;
  }
  std::cout << "psxview: wrote " << args->output << ": " << args->tmd << " with "
            << args->tims.size() << (args->tims.size() == 1 ? " TIM" : " TIMs")
            << (args->pack.empty() ? "" : " and the pack " + args->pack) << ", "
            << psxview::ViewName(args->view) << " view, " << exe.size() << " bytes\n";
  return 0;
}
