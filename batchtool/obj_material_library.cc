// The MTL pass of the OBJ writer: one entry per material, textures saved as
// numbered BMP files beside the OBJ file.
#include <optional>
#include <vector>

#include "batchtool/obj_job.h"
#include "exportlib/number_format.h"
#include "exportlib/text_rules.h"
#include "exportlib/write_line.h"

namespace batchtool::obj {
namespace {

using exportlib::EqualsIgnoringAsciiCase;
using exportlib::TrimControl;
using exportlib::WriteLine;

// True when the first occurrence of `needle` in `text` starts at its second
// character or later: an occurrence at the very first character does not
// count, as the tool has always read the " dir " listing.
bool FoundAfterFirstCharacter(std::string_view text, std::string_view needle) {
  const auto found = text.find(needle);
  return found != std::string_view::npos && found >= 1;
}

bool IsColor(std::uint16_t type) {
  return type == mcp::kParamColor || type == mcp::kParamColor2;
}
bool IsFloat(std::uint16_t type) {
  return type == mcp::kParamFloat || type == mcp::kParamFloat2;
}

// A parameter of the material, or nullopt when it has none of that name.
struct FoundParam {
  mcp::Handle handle;
  std::uint16_t type;
};

std::optional<FoundParam> FindParam(const ObjJob& job, mcp::MaterialRecord& material,
                                    const char* name) {
  mcp::ParamRecord param{};
  if (!job.host.FindMaterialParam(job.scene, &material, name, &param)) {
    return std::nullopt;
  }
  return FoundParam{param.handle, param.type == nullptr ? std::uint16_t{0} : *param.type};
}

// A texture whose name the host announces with a size above 0.
struct NamedTexture {
  mcp::Handle handle = 0;
  std::int32_t name_size = 0;
};

std::optional<NamedTexture> FindNamedTexture(const ObjJob& job, mcp::MaterialRecord& material,
                                             const char* name) {
  const auto param = FindParam(job, material, name);
  if (!param) {
    return std::nullopt;
  }
  NamedTexture texture;
  texture.handle = job.host.GetParamTexture(param->handle);
  if (texture.handle == 0) {
    return std::nullopt;
  }
  texture.name_size = job.host.GetTextureName(texture.handle, nullptr, 0);
  if (texture.name_size <= 0) {
    return std::nullopt;
  }
  return texture;
}

std::string TextureName(const ObjJob& job, const NamedTexture& texture,
                        const std::string& raw_name) {
  // One byte more than announced, so the text ends even if the host overruns.
  std::vector<char> buffer(static_cast<std::size_t>(texture.name_size) + 1, '\0');
  if (job.host.GetTextureName(texture.handle, buffer.data(), texture.name_size) < 1) {
    throw exportlib::ExportStop("Error: bad material name?? (" + raw_name + ")");
  }
  return std::string(buffer.data());
}

void SaveTexture(const ObjJob& job, mcp::Handle texture, std::size_t number,
                 const std::string& raw_name) {
  const std::string file = std::to_string(number) + ".bmp";
  const std::string path = job.base_path + file;
  job.host.SaveTexture(texture, path.c_str(), mcp::kTextureFormatBmp);
  const std::string listing = job.channel.run_command(" dir \"" + path + "\"", "C:\\");
  if (!FoundAfterFirstCharacter(listing, job.base_name + file)) {
    throw exportlib::ExportStop(
        "Error: BMP not found, Texture needs manual exporting first, click material (" + raw_name +
        ") > DiffuseMap > Import > right click > last option.");
  }
}

// The texture's number: its place in the list, saving it first when new.
std::size_t TextureNumber(ObjJob& job, const NamedTexture& texture, const std::string& raw_name) {
  const std::string name = TextureName(job, texture, raw_name);
  for (std::size_t k = 0; k < job.textures.size(); ++k) {
    if (EqualsIgnoringAsciiCase(job.textures[k], name)) {
      return k;
    }
  }
  const std::size_t number = job.textures.size();
  job.textures.push_back(name);
  SaveTexture(job, texture.handle, number, raw_name);
  return number;
}

std::string TextureFile(const ObjJob& job, std::size_t number) {
  return job.base_name + std::to_string(number) + ".bmp";
}

void WriteDiffuseColor(ObjJob& job, mcp::MaterialRecord& material) {
  const auto diffuse = FindParam(job, material, "Diffuse");
  if (!diffuse || !IsColor(diffuse->type)) {
    return;
  }
  float red = 0, green = 0, blue = 0, fourth = 0;
  job.host.GetParamColor(diffuse->handle, &red, &green, &blue, &fourth);
  WriteLine(job.mtl, "Kd " + exportlib::FormatPattern(" %.5f %.5f %.5f ",
                                                      {double{red}, double{green}, double{blue}}));
}

void WriteDiffuseMap(ObjJob& job, mcp::MaterialRecord& material, const std::string& raw_name) {
  const auto texture = FindNamedTexture(job, material, "DiffuseMap");
  if (!texture) {
    return;
  }
  const std::size_t number = TextureNumber(job, *texture, raw_name);
  WriteLine(job.mtl, "Ks 1.00 1.00 1.00");
  WriteLine(job.mtl, "illum 0");
  float specular = 0.5f;
  const auto param = FindParam(job, material, "Specular");
  if (param && IsFloat(param->type)) {
    job.host.GetParamFloat(param->handle, &specular);
  }
  WriteLine(job.mtl, "Ns " + exportlib::FormatGeneral(double{specular} * 1000.0));
  WriteLine(job.mtl, "map_Kd " + TextureFile(job, number));
}

void WriteBumpMap(ObjJob& job, mcp::MaterialRecord& material, const std::string& raw_name) {
  const auto texture = FindNamedTexture(job, material, "BumpMap");
  if (!texture) {
    return;
  }
  const std::size_t number = TextureNumber(job, *texture, raw_name);
  WriteLine(job.mtl, "# Assimp doesnt use map_Bump");
  WriteLine(job.mtl, "map_Kn " + TextureFile(job, number));
}

void WriteDefaultMaterial(ObjJob& job) {
  WriteLine(job.mtl, "");
  WriteLine(job.mtl, "newmtl _DefaultMat_");
  WriteLine(job.mtl, "Ka 0.00 0.00 0.00");
  WriteLine(job.mtl, "Kd  0.5 0.5 1.0 ");
}

}  // namespace

std::string EntryName(std::string_view raw_name) {
  return std::string(TrimControl(raw_name.substr(0, raw_name.find('~'))));
}

std::string MaterialName(const mcp::MaterialRecord& material) {
  return material.name == nullptr ? std::string() : std::string(material.name);
}

void WriteMaterialLibrary(ObjJob& job) {
  const std::int32_t count = job.host.GetMaterialCount(job.scene);
  for (std::int32_t m = 0; m < count; ++m) {
    mcp::MaterialRecord material{};
    job.host.GetMaterial(job.scene, m, &material);
    const std::string raw_name = MaterialName(material);
    if (raw_name.find("_DefaultMat_") != std::string::npos) {
      continue;
    }
    WriteLine(job.mtl, "");
    WriteLine(job.mtl, "newmtl " + EntryName(raw_name));
    WriteLine(job.mtl, "Ka 1.00 1.00 1.00");
    WriteDiffuseColor(job, material);
    WriteDiffuseMap(job, material, raw_name);
    WriteBumpMap(job, material, raw_name);
  }
  if (job.textures.empty()) {
    WriteDefaultMaterial(job);
  }
}

}  // namespace batchtool::obj
