// rsdview: pictures of an export, where its textures and palettes lie in
// video memory and what the model looks like with them, of a TMD model, and
// of the frames of a pack.
//
// Exit status: 0 done (vram: no fault), 1 vram found a fault, 2 a bad
// command line, input that cannot be read, or a picture that cannot be
// written.
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "gannet_version.h"
#include "toolfiles/output_file.h"
#include "tools/rsdformat/read_error.h"
#include "tools/rsdformat/rsd_file.h"
#include "tools/rsdview/anim_sheet.h"
#include "tools/rsdview/command_line.h"
#include "tools/rsdview/export_files.h"
#include "tools/rsdview/gif_file.h"
#include "tools/rsdview/model_render.h"
#include "tools/rsdview/png_file.h"
#include "tools/rsdview/tmd_model.h"
#include "tools/rsdview/vram_check.h"
#include "tools/rsdview/vram_map.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFault = 1;
constexpr int kBadInput = 2;

int Refuse(const std::string& problem) {
  std::fprintf(stderr, "rsdview: %s\n", problem.c_str());
  return kBadInput;
}

// Writes the picture as a PNG, never over one of the files it was drawn
// from; "wrote" only once the file is in place.
int Written(const rsdview::Canvas& picture, const std::string& output,
            const std::vector<fs::path>& inputs) {
  const std::optional<std::string> png = rsdview::PngBytes(picture);
  if (!png) {
    return Refuse("cannot write " + output + ": the picture is empty");
  }
  if (const auto problem = toolfiles::WriteOutputFile(output, *png, inputs)) {
    return Refuse(*problem);
  }
  std::printf("wrote %s (%d x %d)\n", output.c_str(), picture.width(), picture.height());
  return 0;
}

std::vector<fs::path> Paths(const std::vector<std::string>& names) {
  return {names.begin(), names.end()};
}

int RunVram(const rsdview::Arguments& args) {
  const rsdformat::RsdFile rsd = rsdformat::ReadRsd(args.rsd);
  const std::vector<rsdview::Texture> textures = rsdview::ReadTextures(rsd, args.rsd);
  const rsdview::Area display =
      args.display ? *args.display : rsdview::ProjectDisplayArea(args.rsd);
  const std::vector<rsdview::VramFault> faults = rsdview::FindFaults(textures, display);
  for (const rsdview::Texture& texture : textures) {
    std::printf("%s\n", rsdview::TextureLine(texture).c_str());
  }
  for (const rsdview::VramFault& fault : faults) {
    std::printf("fault: %s\n", fault.text.c_str());
  }
  std::printf("%zu textures, %zu faults, display area %dx%d\n", textures.size(), faults.size(),
              display.width, display.height);
  const int written = Written(rsdview::DrawVramMap(textures, faults, display, args.zoom),
                              args.output, rsdview::ExportFilePaths(args.rsd, rsd));
  return written != 0 ? written : faults.empty() ? 0 : kFault;
}

int RunModel(const rsdview::Arguments& args) {
  std::vector<fs::path> inputs = Paths(args.tims);
  rsdview::Model model;
  if (rsdview::IsTmdName(args.rsd)) {
    model = rsdview::ModelFromTmd(rsdview::ReadTmdModel(args.rsd), rsdview::ReadTimFiles(inputs));
    inputs.emplace_back(args.rsd);
  } else {
    model = rsdview::ReadModel(args.rsd);
    inputs = rsdview::ExportFilePaths(args.rsd, model.rsd);
  }
  for (const std::string& warning : model.warnings) {
    std::printf("%s\n", warning.c_str());
  }
  std::printf("%zu vertices, %zu polygons, %zu textures\n", model.ply.vertices.size(),
              model.ply.polygons.size(), model.textures.size());
  return Written(rsdview::RenderPanels(model, args.views, args.render), args.output, inputs);
}

// The sheet and the GIF beside it, each refused before anything is drawn
// when it would replace an input or the other.
int RunAnim(const rsdview::Arguments& args) {
  std::vector<fs::path> inputs = Paths(args.tims);
  inputs.emplace_back(args.rsd);
  inputs.emplace_back(args.tmd);
  const std::string gif = fs::path(args.output).replace_extension(".gif").string();
  if (auto refusal = toolfiles::OutputRefusal(args.output, inputs)) {
    return Refuse(*refusal);
  }
  if (args.gif) {
    if (fs::absolute(gif).lexically_normal() == fs::absolute(args.output).lexically_normal()) {
      return Refuse("the sheet and the GIF would both be " + gif +
                    ": give the sheet another extension than .gif");
    }
    if (auto refusal = toolfiles::OutputRefusal(gif, inputs)) {
      return Refuse(*refusal);
    }
  }
  const rsdview::AnimationSheet sheet =
      rsdview::ReadAnimation(args.rsd, args.tmd, Paths(args.tims), args.view, args.render);
  std::printf("%zu frames of %zu vertices%s\n", sheet.frames.size(), sheet.vertices,
              sheet.loops ? ", looping" : "");
  const int written = Written(rsdview::ContactSheet(sheet.frames), args.output, inputs);
  if (written != 0 || !args.gif) {
    return written;
  }
  inputs.emplace_back(args.output);
  const std::optional<std::string> bytes =
      rsdview::GifBytes(sheet.frames, rsdview::kAnimFrameDelayMs);
  if (!bytes) {
    return Refuse("cannot write " + gif + ": the pack has no frames");
  }
  if (const auto problem = toolfiles::WriteOutputFile(gif, *bytes, inputs)) {
    return Refuse(*problem);
  }
  std::printf("wrote %s (%zu frames)\n", gif.c_str(), sheet.frames.size());
  return 0;
}

int Run(const rsdview::Arguments& args) {
  switch (args.command) {
    case rsdview::Command::kVram:
      return RunVram(args);
    case rsdview::Command::kModel:
      return RunModel(args);
    case rsdview::Command::kAnim:
      return RunAnim(args);
  }
  return kBadInput;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::printf("rsdview %s\n", gannet::kVersion);
    return 0;
  }
  std::string error;
  const std::optional<rsdview::Arguments> args =
      rsdview::ParseArguments(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!args) {
    std::fprintf(stderr, "%s\n%s", error.c_str(), rsdview::kUsage);
    return kBadInput;
  }
  try {
    return Run(*args);
  } catch (const rsdformat::ReadError& failure) {
    std::fprintf(stderr, "rsdview: %s\n", failure.what());
    return kBadInput;
  }
}
