// A TMD model put onto the render's model, so that the rasterizer draws a
// converted file exactly as it draws the export it came from.
//
// Each polygon primitive becomes a PLY polygon and a material line of its
// own: lit or fixed colour, flat or smooth, double-sided and
// semi-transparent from its mode and flag; the MAT type from its colours and
// texture (C, G, T, D, H); its texture words become a texture window (page,
// depth, palette) with texel positions counted from the page, as the file
// stores them. Vertices are taken as stored; normals are divided by 4096. A
// TMD keeps no blend rate for untextured polygons, so they blend at rate 0.
#ifndef GANNET_TOOLS_RSDVIEW_TMD_MODEL_H_
#define GANNET_TOOLS_RSDVIEW_TMD_MODEL_H_

#include <filesystem>
#include <vector>

#include "packer/svector.h"
#include "tools/rsd2tmd/tmd_file.h"
#include "tools/rsdview/export_files.h"

namespace rsdview {

/// The render model of `tmd`, with `textures` as the TIM files that fill
/// video memory, in load order.
Model ModelFromTmd(const rsd2tmd::TmdModel& tmd, std::vector<Texture> textures);

/// `model` with its vertices, and its normals when `normals` is not empty,
/// replaced: one frame of an animation on the base model's polygons. The
/// counts must match the model's.
Model WithVertices(const Model& model, const std::vector<morphon::SVector>& vertices,
                   const std::vector<morphon::SVector>& normals);

/// The first object of the TMD file at `path`. Throws rsdformat::ReadError
/// for a file that cannot be read, is not a sound TMD, or holds no object.
rsd2tmd::TmdModel ReadTmdModel(const std::filesystem::path& path);

/// The TIM files at `paths`, texture numbers in order. Throws
/// rsdformat::ReadError.
std::vector<Texture> ReadTimFiles(const std::vector<std::filesystem::path>& paths);

}  // namespace rsdview

#endif  // GANNET_TOOLS_RSDVIEW_TMD_MODEL_H_
