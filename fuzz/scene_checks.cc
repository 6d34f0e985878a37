#include "fuzz/scene_checks.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>

#include "testing/temp_folder.h"

namespace fuzz {
namespace fs = std::filesystem;
namespace {

void Require(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "scene loader broke its contract: %s\n", what);
    std::abort();
  }
}

void WriteAll(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// What seeds may name: ship.mtl, and a 2x2 BMP (tex.bmp) for both formats'
// textures.
void PutSeedFiles(const fs::path& path) {
  WriteAll(path / "ship.mtl", "newmtl hull~64x64x8\nKd 0.5 0.5 0.5\nmap_Kd tex.bmp\n");
  // 2x2 pixels, 24 bits, bottom-up rows padded to 8 bytes.
  static const unsigned char kBmp[] = {
      'B', 'M', 70, 0, 0,  0, 0,   0, 0, 0, 54,  0, 0, 0, 40, 0, 0,   0,   2,   0,   0, 0, 2, 0,
      0,   0,   1,  0, 24, 0, 0,   0, 0, 0, 16,  0, 0, 0, 0,  0, 0,   0,   0,   0,   0, 0, 0, 0,
      0,   0,   0,  0, 0,  0, 255, 0, 0, 0, 255, 0, 0, 0, 0,  0, 255, 255, 255, 255, 0, 0};
  WriteAll(path / "tex.bmp", std::string_view(reinterpret_cast<const char*>(kBmp), sizeof kBmp));
}

struct SeededFolder {
  gannet_testing::TempFolder folder{"scene-fuzz", gannet_testing::FastScratchParent()};
  SeededFolder() { PutSeedFiles(folder.path()); }
};

// Made on first use, removed when the process ends.
const fs::path& ScratchFolder() {
  static const SeededFolder seeded;
  return seeded.folder.path();
}

void CheckScene(const clayhost::Scene& scene) {
  for (const clayhost::SceneObject& object : scene.objects) {
    const std::size_t texcoords = object.texcoords ? object.texcoords->size() : 0;
    for (const clayhost::Face& face : object.faces) {
      Require(face.corner_count == 3 || face.corner_count == 4,
              "a face of neither 3 nor 4 corners");
      for (int k = 0; k < face.corner_count; ++k) {
        Require(face.vertex[k] >= 0 &&
                    static_cast<std::size_t>(face.vertex[k]) < object.vertices.size(),
                "a corner names a vertex the object lacks");
        Require(face.texcoord[k] <= 0 || static_cast<std::size_t>(face.texcoord[k]) <= texcoords,
                "a corner names a texture coordinate the object lacks");
      }
      Require(scene.materials.empty() || face.material < scene.materials.size(),
              "a face names a material the scene lacks");
    }
  }
  for (const clayhost::Material& material : scene.materials) {
    for (const clayhost::Param& param : material.params) {
      Require(param.texture == clayhost::kNoTexture ||
                  (param.texture >= 0 &&
                   static_cast<std::size_t>(param.texture) < scene.textures.size()),
              "a parameter names a texture the scene lacks");
    }
  }
  for (const clayhost::Texture& texture : scene.textures) {
    Require(texture.width >= 1 && texture.width <= clayhost::kMaxTextureSide &&
                texture.height >= 1 && texture.height <= clayhost::kMaxTextureSide,
            "a texture larger than the host serves");
  }
}

}  // namespace

void LoadAndCheck(SceneParser parse, const char* file_name, const std::uint8_t* data,
                  std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const fs::path path = ScratchFolder() / file_name;
  WriteAll(path, text);
  try {
    CheckScene(parse(text, path.string()));
  } catch (const clayhost::SceneError&) {
    // the refusal the loader promises
  } catch (const std::exception& error) {
    std::fprintf(stderr, "scene loader let through: %s\n", error.what());
    std::abort();
  }
}

}  // namespace fuzz
