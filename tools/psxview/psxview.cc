// psxview: wraps a TMD model, its TIM files and optionally a pack into a
// PS-EXE that shows them on the console. Exit status 0 when written, 2 for a
// usage error or refused input (nothing written), 1 when the file cannot be
// written.
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "console/view_data.h"
#include "gannet_version.h"
#include "tools/psxview/command_line.h"
#include "tools/psxview/own_path.h"
#include "tools/psxview/ps_exe.h"
#include "tools/psxview/view_block.h"
#include "tools/psxview/viewer_image.h"
#include "tools/rsd2tmd/output_file.h"
#include "tools/rsdformat/read_error.h"

namespace {

constexpr int kRefused = 2;
constexpr int kNotWritten = 1;

int Refuse(const std::string& message) {
  std::cerr << "psxview: " << message << "\n";
  return kRefused;
}

psxview::InputFile Read(const std::string& name) {
  const std::string bytes = rsdformat::ReadWholeFile(name);
  return {name, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error);
}

// The output must not replace one of the inputs.
std::string InputNamedAsOutput(const psxview::Arguments& args) {
  std::vector<std::string> inputs = args.tims;
  inputs.push_back(args.tmd);
  if (!args.pack.empty()) {
    inputs.push_back(args.pack);
  }
  for (const std::string& input : inputs) {
    if (SameFile(input, args.output)) {
      return input;
    }
  }
  return "";
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
  if (const std::string input = InputNamedAsOutput(*args); !input.empty()) {
    return Refuse(args->output + ": is the input " + input + "; name another output file");
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
    image = Read(viewer->string()).bytes;
    request.tmd = Read(args->tmd);
    for (const std::string& tim : args->tims) {
      request.tims.push_back(Read(tim));
    }
    if (!args->pack.empty()) {
      request.pack = Read(args->pack);
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
  error = rsd2tmd::WriteWholeFile(args->output, exe);
  if (!error.empty()) {
    std::cerr << "psxview: " << error << "\n";
    return kNotWritten;
  }
  std::cout << "psxview: wrote " << args->output << ": " << args->tmd << " with "
            << args->tims.size() << (args->tims.size() == 1 ? " TIM" : " TIMs")
            << (args->pack.empty() ? "" : " and the pack " + args->pack) << ", "
            << psxview::ViewName(args->view) << " view, " << exe.size() << " bytes\n";
  return 0;
}
