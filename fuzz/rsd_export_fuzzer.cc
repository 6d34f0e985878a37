// The whole RSD export, host and batch variants, over a small textured
// model whose material names are the input: the size suffix, the texture
// pass and its command lines, the MAT, PLY, RSD and project files.
//
// The outside world is faked in-process: RunShellCommand is replaced (this
// file's definition is linked instead of the library's) by one that records
// each command and prints what the input's switches say, and the host's
// message-box hook records and answers every box. Drive C: is a scratch
// folder with rsdn.bat installed; the export goes to C:\out\ship.rsd, where
// files of an earlier export already lie.
//
// Input: byte 0 holds the switches (bits 0-1 identify's output, 2-3
// img2tim's, 4-5 the answer to the launch question, 6 whether the host's
// texture saves write a file, 7 the batch variant); byte 1 the launch mode
// (0 to 2); the rest is one material name per line (up to six).
//
// Besides the sanitizers' checks: the export never throws, never removes a
// file, and tells the user something whenever it does not end by running
// rsdn.bat.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "clayhost/served_scene.h"
#include "clayhost/testing/test_scene.h"
#include "exporter/export_rsd_model.h"
#include "exportlib/run_shell_command.h"
#include "exportlib/user_channel.h"
#include "platform/host_hook.h"
#include "testing/temp_folder.h"

namespace fs = std::filesystem;
using clayhost::testing::ColorParam;
using clayhost::testing::NamedTexture;
using clayhost::testing::TextureParam;

namespace {

void Require(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "export broke its promise: %s\n", what);
    std::abort();
  }
}

// What one input sets up and what the export did through the fakes.
struct World {
  std::uint8_t switches = 0;
  std::vector<std::string> commands;
  int boxes = 0;
};
World* g_world = nullptr;

fs::path g_drive;  // the folder drive C: maps to

void SetUpProcess() {
  if (!g_drive.empty()) {
    return;
  }
  static const gannet_testing::TempFolder drive("export-fuzz", gannet_testing::FastScratchParent());
  g_drive = drive.path();
  setenv("GANNET_DRIVE_C", g_drive.c_str(), 1);
  setenv("GANNET_DRIVE_Z", g_drive.c_str(), 1);
  fs::create_directories(g_drive / "Program Files" / "MarbleCLAY" / "Plugin");
  std::ofstream(g_drive / "Program Files" / "MarbleCLAY" / "Plugin" / "rsdn.bat")
      << "@echo off\r\n";
}

const char* IdentifyOutput(std::uint8_t switches) {
  switch (switches & 3) {
    case 0:
      return "C:\\out\\ship0.bmp BMP3 64x64 64x64+0+0 8-bit sRGB\r\n";
    case 1:
      return "";
    case 2:
      return "BMP at the first character does not count";
    default:
      return "identify: unable to open image\r\n";
  }
}

const char* Img2timOutput(std::uint8_t switches) {
  switch ((switches >> 2) & 3) {
    case 0:
      return "";
    case 1:
      return "img2tim: ERROR writing\r\n";
    case 2:
      return " Invalid bit depth\r\n";
    default:
      return "ERROR at the first character does not count";
  }
}

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty() && lines.size() < 6) {
    const std::size_t end = text.find('\n');
    lines.emplace_back(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  return lines;
}

clayhost::Scene MakeScene(std::vector<std::string> material_names, bool saves_write) {
  clayhost::Scene scene;
  if (material_names.empty()) {
    material_names.push_back("plain");  // every face names a material
  }
  // Three textures, two of whose names differ only in case (converted once).
  // Saving writes the file, or nothing when the switch says so.
  scene.textures = {NamedTexture("wood.bmp"), NamedTexture("WOOD.BMP"), NamedTexture("stone.bmp")};
  for (clayhost::Texture& texture : scene.textures) {
    texture.saves = saves_write;
  }
  for (std::size_t i = 0; i < material_names.size(); ++i) {
    clayhost::Material material{material_names[i], {}};
    if (i % 4 != 3) {
      material.params.push_back(TextureParam("DiffuseMap", static_cast<int>(i % 3)));
    }
    if (i % 2 == 1) {
      material.params.push_back(ColorParam("Transparency", 0, 0.5f, 0));
    }
    scene.materials.push_back(material);
  }
  clayhost::SceneObject object = clayhost::testing::TestObject("ship");
  object.vertices = {{{0, 0, 0}}, {{1, 0, 0}}, {{1, 1, 0}}, {{0, 1, 0}}, {{0.5f, 0.5f, 1}}};
  // Faces number texture coordinates from 1 (0 or less: none).
  clayhost::testing::SetTexCoords(object, {{0, 0}, {1, 0}, {1, 1}, {0, 1}});
  const std::size_t materials = scene.materials.size();
  for (std::size_t i = 0; i < 4; ++i) {
    clayhost::Face face;
    face.vertex = {static_cast<std::int32_t>(i), static_cast<std::int32_t>((i + 1) % 4), 4, 0};
    face.texcoord = {1, 2, 3, 0};
    face.material = materials == 0 ? 0 : static_cast<mcp::MaterialRef>(i % materials);
    object.faces.push_back(face);
  }
  clayhost::Face quad;
  quad.vertex = {0, 1, 2, 3};
  quad.texcoord = {1, 2, 3, 4};
  quad.corner_count = 4;
  object.faces.push_back(quad);
  scene.objects = {object};
  return scene;
}

std::vector<fs::path> FilesIn(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    files.push_back(entry.path());
  }
  return files;
}

}  // namespace

namespace exportlib {

// The fake command runner: records the command and prints what the input
// asks of the tool it names.
std::string RunShellCommand(const std::string& command, const std::string&) {
  g_world->commands.push_back(command);
  if (command.rfind("identify", 0) == 0) {
    return IdentifyOutput(g_world->switches);
  }
  if (command.rfind("img2tim", 0) == 0) {
    return Img2timOutput(g_world->switches);
  }
  return "";
}

}  // namespace exportlib

extern "C" int ClayHostMessageBox(const char*, const char*, int buttons) {
  ++g_world->boxes;
  if (buttons == 0) {
    return 1;  // OK
  }
  static constexpr int kAnswers[] = {6, 7, 2, 6};  // Yes, No, Cancel, Yes
  return kAnswers[(g_world->switches >> 4) & 3];
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) {
    return 0;
  }
  SetUpProcess();
  World world;
  world.switches = data[0];
  g_world = &world;
  const int launch_mode = data[1] % 3;

  fs::remove_all(g_drive / "out");
  fs::create_directories(g_drive / "out");
  for (const char* earlier : {"ship0.tim", "ship1-resized.bmp", "ship.PSX", "notes.txt"}) {
    std::ofstream(g_drive / "out" / earlier) << "from an earlier export";
  }
  const std::vector<fs::path> before = FilesIn(g_drive / "out");

  const clayhost::Scene scene =
      MakeScene(Lines(std::string_view(reinterpret_cast<const char*>(data) + 2, size - 2)),
                (world.switches & 64) != 0);
  bool ran_rsdn = false;
  try {
    const clayhost::ServedScene host(scene);
    const auto options = (world.switches & 128) ? exporter::RsdExportOptions::ForBatchTool()
                                                : exporter::RsdExportOptions::ForExporter();
    ran_rsdn = exporter::ExportRsdModel(host.api(), clayhost::ServedScene::handle(), 0,
                                        "C:\\out\\ship.rsd", 1.0, launch_mode, options,
                                        exportlib::PlatformUserChannel());
    Require(host.diagnostics().empty(), "the export misused the host");
  } catch (...) {
    Require(false, "an exception escaped the export");
  }

  for (const fs::path& file : before) {
    Require(fs::exists(file), "a file of the export folder was removed");
  }
  bool rsdn_seen = false;
  for (const std::string& command : world.commands) {
    rsdn_seen = rsdn_seen || command.find("rsdn.bat") != std::string::npos;
  }
  Require(!ran_rsdn || rsdn_seen, "reported rsdn.bat as run without running it");
  Require(ran_rsdn || world.boxes > 0, "an export that stopped told the user nothing");
  g_world = nullptr;
  return 0;
}
