#include "tools/rsdview/tmd_model.h"

#include <utility>

#include "tools/rsdformat/read_error.h"

namespace rsdview {
namespace {

using rsd2tmd::TmdPolygon;
using rsdformat::MatLine;
using rsdformat::MatType;

constexpr double kNormalOne = 4096.0;

rsdformat::Vector3 VectorOf(const morphon::SVector& v, double unit) {
  return {v.vx / unit, v.vy / unit, v.vz / unit};
}

MatType TypeOf(const TmdPolygon& p) {
  if (!p.textured) {
    return p.vertex_colours ? MatType::kGradation : MatType::kColor;
  }
  if (p.lit) {
    return MatType::kTexture;
  }
  return p.vertex_colours ? MatType::kTextureGradation : MatType::kTextureColor;
}

MatLine LineOf(const TmdPolygon& p, std::int32_t number) {
  MatLine line;
  line.polygons = {{number, number}};
  const int rate = p.textured ? (p.tsb >> 5) & 3 : 0;
  line.flag = static_cast<std::uint8_t>((p.lit ? 0 : 0x01) | (p.double_sided ? 0x02 : 0) |
                                        (p.semi_transparent ? 0x04 : 0) | rate << 3);
  line.shading = p.smooth ? rsdformat::Shading::kSmooth : rsdformat::Shading::kFlat;
  line.type = TypeOf(p);
  line.texture = p.textured ? 0 : -1;
  for (std::size_t k = 0; k < 4; ++k) {
    line.texels[k] = {p.uv[k].u, p.uv[k].v};
    line.colors[k] = p.vertex_colours ? p.colours[k] : p.colours[0];
  }
  return line;
}

// Texel positions of a TMD count from the page, so the window starts there.
TextureWindow WindowOfWords(const TmdPolygon& p) {
  static constexpr int kDepths[] = {4, 8, 16, 16};
  TextureWindow window;
  window.page_x = p.tsb & 0x0F;
  window.page_y = (p.tsb >> 4) & 0x01;
  window.depth = kDepths[(p.tsb >> 7) & 3];
  window.palette_x = (p.cba & 0x3F) * 16;
  window.palette_y = (p.cba >> 6) & 0x1FF;
  return window;
}

rsdformat::PlyPolygon PolygonOf(const TmdPolygon& p) {
  rsdformat::PlyPolygon polygon;
  polygon.quad = p.corners == 4;
  for (std::size_t k = 0; k < 4; ++k) {
    polygon.vertex[k] = p.vertices[k];
    polygon.normal[k] = p.lit ? (p.smooth ? p.normals[k] : p.normals[0]) : 0;
  }
  return polygon;
}

}  // namespace

Model ModelFromTmd(const rsd2tmd::TmdModel& tmd, std::vector<Texture> textures) {
  Model model;
  for (const morphon::SVector& v : tmd.vertices) {
    model.ply.vertices.push_back(VectorOf(v, 1.0));
  }
  for (const morphon::SVector& n : tmd.normals) {
    model.ply.normals.push_back(VectorOf(n, kNormalOne));
  }
  for (std::size_t i = 0; i < tmd.polygons.size(); ++i) {
    const TmdPolygon& p = tmd.polygons[i];
    model.ply.polygons.push_back(PolygonOf(p));
    model.mat.lines.push_back(LineOf(p, static_cast<std::int32_t>(i)));
    model.material.push_back(static_cast<std::int32_t>(i));
    model.windows.push_back(WindowOfWords(p));
  }
  model.textures = std::move(textures);
  return model;
}

Model WithVertices(const Model& model, const std::vector<morphon::SVector>& vertices,
                   const std::vector<morphon::SVector>& normals) {
  Model frame = model;
  for (std::size_t i = 0; i < vertices.size() && i < frame.ply.vertices.size(); ++i) {
    frame.ply.vertices[i] = VectorOf(vertices[i], 1.0);
  }
  for (std::size_t i = 0; i < normals.size() && i < frame.ply.normals.size(); ++i) {
    frame.ply.normals[i] = VectorOf(normals[i], kNormalOne);
  }
  return frame;
}

rsd2tmd::TmdModel ReadTmdModel(const std::filesystem::path& path) {
  const std::string bytes = rsdformat::ReadWholeFile(path, rsd2tmd::kTmdFileLimit);
  rsd2tmd::TmdDescription description =
      rsd2tmd::DescribeTmdFile({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  if (!description.fault.empty()) {
    throw rsdformat::ReadError(path.string(), "", description.fault);
  }
  if (description.objects.empty()) {
    throw rsdformat::ReadError(path.string(), "", "holds no object");
  }
  return std::move(description.objects.front());
}

std::vector<Texture> ReadTimFiles(const std::vector<std::filesystem::path>& paths) {
  std::vector<Texture> textures;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    textures.push_back({static_cast<int>(i), paths[i].string(), rsdformat::ReadTim(paths[i])});
  }
  return textures;
}

}  // namespace rsdview
