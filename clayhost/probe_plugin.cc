// A plug-in for the host's tests. It describes itself like the real ones,
// and its working call reads everything the host serves and writes it down
// as text, so a test sees exactly what a plug-in gets from each callback.
//
// Environment: PROBE_KIND=tool makes it a tool; PROBE_OUT names the dump
// file of a tool run (an exporter writes to its output path); PROBE_MISUSE=1
// adds calls that break the callback contract; PROBE_RESULT sets the answer
// of the working call (default 1).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "hostplugin/mcp_abi.h"

extern "C" int ClayHostMessageBox(const char* caption, const char* text, int buttons)
    __attribute__((weak));

namespace {

constexpr std::uint32_t kProbeId = 4242;
std::uintptr_t g_slots[mcp::kCallbackSlotCount] = {};

template <typename Fn>
Fn Slot(int slot) {
  return reinterpret_cast<Fn>(g_slots[slot]);
}

bool IsTool() {
  const char* kind = std::getenv("PROBE_KIND");
  return kind != nullptr && std::strcmp(kind, "tool") == 0;
}

bool Misusing() {
  const char* misuse = std::getenv("PROBE_MISUSE");
  return misuse != nullptr && std::strcmp(misuse, "1") == 0;
}

int Result() {
  const char* result = std::getenv("PROBE_RESULT");
  return result != nullptr ? std::atoi(result) : 1;
}

/// A Z:\ path as the host spells POSIX paths, back in POSIX form.
std::string PosixPath(const char* windows_path) {
  std::string path = windows_path;
  if (path.size() >= 2 && (path[0] == 'Z' || path[0] == 'z') && path[1] == ':') {
    path.erase(0, 2);
  }
  for (char& c : path) {
    c = c == '\\' ? '/' : c;
  }
  return path;
}

class Dump {
 public:
  explicit Dump(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {}
  ~Dump() {
    if (file_ != nullptr) {
      std::fclose(file_);
    }
  }
  Dump(const Dump&) = delete;
  Dump& operator=(const Dump&) = delete;

  template <typename... Args>
  void Line(const char* format, Args... args) {
    if (file_ != nullptr) {
      std::fprintf(file_, format, args...);
      std::fputc('\n', file_);
    }
  }

 private:
  std::FILE* file_;
};

std::string Text(std::int32_t size, const std::string& answer) {
  return "size " + std::to_string(size) + " \"" + answer + "\"";
}

std::string Attribute(mcp::Handle object, const char* name) {
  auto get = Slot<mcp::GetObjectAttributeFn>(mcp::kGetObjectAttribute);
  const std::int32_t size = get(object, name, nullptr, 0);
  if (size <= 0) {
    return "absent (" + std::to_string(size) + ")";
  }
  std::string buffer(static_cast<std::size_t>(size), '#');
  const std::int32_t second = get(object, name, buffer.data(), size);
  return Text(size, second >= 1 ? std::string(buffer.c_str())
                                : "<second call " + std::to_string(second) + ">");
}

std::string TextureName(mcp::Handle texture) {
  auto get = Slot<mcp::GetTextureNameFn>(mcp::kGetTextureName);
  const std::int32_t size = get(texture, nullptr, 0);
  if (size <= 0) {
    return "nameless (" + std::to_string(size) + ")";
  }
  std::string buffer(static_cast<std::size_t>(size), '#');
  const std::int32_t second = get(texture, buffer.data(), size);
  return Text(size, second >= 1 ? std::string(buffer.c_str())
                                : "<second call " + std::to_string(second) + ">");
}

void DumpObject(Dump& dump, mcp::Handle object) {
  dump.Line("  Name: %s", Attribute(object, "Name").c_str());
  dump.Line("  Activated: %s", Attribute(object, "Activated").c_str());
  dump.Line("  Missing: %s", Attribute(object, "Missing").c_str());
  const std::int32_t vertices =
      Slot<mcp::GetVertexCountFn>(mcp::kGetVertexCount)(object, 0, 0, 0, 0, 0);
  dump.Line("  vertices: %d", vertices);
  for (std::int32_t i = 0; i < vertices; ++i) {
    mcp::VertexRecord record{};
    record.size = sizeof record;
    const int got = Slot<mcp::GetVertexFn>(mcp::kGetVertex)(object, i, &record);
    dump.Line("    %d: %d flags 0x%llX (%g, %g, %g)", i, got,
              static_cast<unsigned long long>(*record.flags), *record.c0, *record.c1, *record.c2);
  }
  const std::int32_t faces = Slot<mcp::GetFaceCountFn>(mcp::kGetFaceCount)(object);
  dump.Line("  faces: %d", faces);
  for (std::int32_t i = 0; i < faces; ++i) {
    mcp::FaceRecord face{};
    const int got = Slot<mcp::GetFaceFn>(mcp::kGetFace)(object, i, &face);
    mcp::MaterialRecord material{};
    Slot<mcp::GetMaterialByRefFn>(mcp::kGetMaterialByRef)(*face.material, &material);
    dump.Line("    %d: %d flags 0x%llX corners %d material %u \"%s\"", i, got,
              static_cast<unsigned long long>(*face.flags), *face.corner_count, *face.material,
              material.name);
    for (int k = 0; k < 4; ++k) {
      std::string uv;
      if (*face.texcoord[k] > 0) {
        mcp::TexCoordRecord texcoord{};
        Slot<mcp::GetTexCoordFn>(mcp::kGetTexCoord)(object, *face.texcoord[k], &texcoord);
        char text[64];
        std::snprintf(text, sizeof text, " uv (%g, %g)", *texcoord.u, *texcoord.v);
        uv = text;
      }
      dump.Line("      corner %d: vertex %d texcoord %d%s", k, *face.vertex[k], *face.texcoord[k],
                uv.c_str());
    }
  }
}

void DumpParam(Dump& dump, mcp::Handle scene, mcp::MaterialRecord* material, const char* name,
               const std::string& texture_base, int* saved) {
  mcp::ParamRecord param{};
  if (Slot<mcp::FindMaterialParamFn>(mcp::kFindMaterialParam)(scene, material, name, &param) == 0) {
    return;
  }
  const int type = *param.type;
  std::string value;
  if (type == mcp::kParamFloat || type == mcp::kParamFloat2) {
    float number = 0;
    Slot<mcp::GetParamFloatFn>(mcp::kGetParamFloat)(param.handle, &number);
    value = " value " + std::to_string(number);
  } else if (type == mcp::kParamColor || type == mcp::kParamColor2) {
    float c[4] = {};
    Slot<mcp::GetParamColorFn>(mcp::kGetParamColor)(param.handle, &c[0], &c[1], &c[2], &c[3]);
    char text[96];
    std::snprintf(text, sizeof text, " color (%g, %g, %g, %g)", c[0], c[1], c[2], c[3]);
    value = text;
  }
  mcp::Handle texture = 0;
  Slot<mcp::GetParamTextureFn>(mcp::kGetParamTexture)(param.handle, &texture);
  if (texture != 0) {
    const std::string path = texture_base + std::to_string((*saved)++) + ".bmp";
    const int done = Slot<mcp::SaveTextureFn>(mcp::kSaveTexture)(texture, path.c_str(), 4);
    value += " texture " + TextureName(texture) + " saved " + std::to_string(done) + " as " + path;
  }
  dump.Line("    %s: type %d%s", name, type, value.c_str());
}

void DumpMaterials(Dump& dump, mcp::Handle scene, const std::string& texture_base) {
  const std::int32_t count = Slot<mcp::GetMaterialCountFn>(mcp::kGetMaterialCount)(scene);
  dump.Line("materials: %d", count);
  int saved = 0;
  for (std::int32_t m = 0; m < count; ++m) {
    mcp::MaterialRecord material{};
    Slot<mcp::GetMaterialFn>(mcp::kGetMaterial)(scene, m, &material);
    dump.Line("  %d: \"%s\"", m, material.name);
    for (const char* name : {"Diffuse", "DiffuseMap", "Specular", "BumpMap", "Transparency",
                             "Refraction", "Shininess"}) {
      DumpParam(dump, scene, &material, name, texture_base, &saved);
    }
  }
}

void Misuse(Dump& dump, mcp::Handle scene) {
  const mcp::Handle object = Slot<mcp::GetRootObjectFn>(mcp::kGetRootObject)(scene, 0);
  mcp::VertexRecord vertex{};
  const int got = Slot<mcp::GetVertexFn>(mcp::kGetVertex)(object, 99999, &vertex);
  dump.Line("misuse: vertex 99999 -> %d, reads %g", got, *vertex.c0);
  dump.Line("misuse: null vertex record -> %d",
            Slot<mcp::GetVertexFn>(mcp::kGetVertex)(object, 0, nullptr));
  vertex.size = 8;
  dump.Line("misuse: small vertex record -> %d",
            Slot<mcp::GetVertexFn>(mcp::kGetVertex)(object, 0, &vertex));
  char small[2] = {'#', '#'};
  dump.Line("misuse: small attribute buffer -> %d",
            Slot<mcp::GetObjectAttributeFn>(mcp::kGetObjectAttribute)(object, "Name", small, 2));
  dump.Line("misuse: bad object handle -> %d",
            Slot<mcp::GetFaceCountFn>(mcp::kGetFaceCount)(0x12345));
  dump.Line("misuse: bad scene handle -> %d",
            Slot<mcp::GetRootObjectCountFn>(mcp::kGetRootObjectCount)(scene + 1));
  mcp::MaterialRecord forged{};
  mcp::ParamRecord param{};
  dump.Line(
      "misuse: forged material -> %d",
      Slot<mcp::FindMaterialParamFn>(mcp::kFindMaterialParam)(scene, &forged, "Diffuse", &param));
  const int ref = Slot<mcp::GetMaterialByRefFn>(mcp::kGetMaterialByRef)(77, &forged);
  dump.Line("misuse: material ref 77 -> %d, name \"%s\"", ref, forged.name);
  float number = 5;
  const int param_got = Slot<mcp::GetParamFloatFn>(mcp::kGetParamFloat)(0, &number);
  dump.Line("misuse: bad parameter handle -> %d, value %g", param_got, number);
  const mcp::PluginInfoRecord late{};
  Slot<mcp::SubmitInfoFn>(mcp::kSubmitInfo)(0, 0, 0, 0, mcp::kInfoKindPlugin, &late, sizeof late);
  using UnservedFn = std::uintptr_t (*)();
  dump.Line("misuse: unserved slot 7 -> %d", static_cast<int>(Slot<UnservedFn>(7)()));
}

void DumpScene(const std::string& dump_path, mcp::Handle scene, const std::string& texture_base) {
  Dump dump(dump_path);
  const std::int32_t objects = Slot<mcp::GetRootObjectCountFn>(mcp::kGetRootObjectCount)(scene);
  dump.Line("objects: %d", objects);
  for (std::int32_t i = 0; i < objects; ++i) {
    dump.Line("object %d", i);
    DumpObject(dump, Slot<mcp::GetRootObjectFn>(mcp::kGetRootObject)(scene, i));
  }
  DumpMaterials(dump, scene, texture_base);
  if (ClayHostMessageBox != nullptr) {
    dump.Line("box answer: %d", ClayHostMessageBox("Probe question", "Go on?\r\nYes \xE9t\xE9", 2));
    dump.Line("box answer: %d", ClayHostMessageBox("Probe", "Done.", 0));
  }
  if (Misusing()) {
    Misuse(dump, scene);
  }
}

void Submit(std::uint32_t id_low, std::uint32_t id_high, mcp::Context context0,
            mcp::Context context1, std::int32_t kind, const void* record, std::int32_t size) {
  Slot<mcp::SubmitInfoFn>(mcp::kSubmitInfo)(id_low, id_high, context0, context1, kind, record,
                                            size);
}

}  // namespace

MCP_EXPORT std::int32_t MCP_CALL MCP_InitializePluginProc(std::int32_t index,
                                                          std::uintptr_t value) {
  if (index >= 0 && index < mcp::kCallbackSlotCount) {
    g_slots[index] = value;
  }
  return index;
}

MCP_EXPORT std::int32_t MCP_CALL MCP_PluginEntry(std::uint32_t, std::uint32_t,
                                                 std::uint32_t host_version) {
  return host_version >= mcp::kMinimumHostVersion ? 1 : 0;
}

MCP_EXPORT std::uint8_t MCP_CALL MCP_GetPluginInfo(mcp::Context context0, mcp::Context context1,
                                                   std::int32_t index) {
  if (index != 0) {
    return 0;
  }
  mcp::PluginInfoRecord record{};
  record.name = "Probe";
  record.description = "Probe of the h\xF6st";
  record.kind = IsTool() ? 2 : 1;
  record.id = kProbeId;
  record.value = 7;
  Submit(0, 0, context0, context1, mcp::kInfoKindPlugin, &record, sizeof record);
  return 1;
}

MCP_EXPORT std::uintptr_t MCP_CALL MCP_ReleasePlugin(std::uint32_t id_low, std::uint32_t) {
  return id_low;
}

MCP_EXPORT std::uint8_t MCP_CALL MCP_GetExporterInfo(mcp::Context context0, mcp::Context context1,
                                                     std::uint32_t id_low, std::uint32_t id_high) {
  mcp::ExporterOptionsRecord options{};
  options.size = 25;
  options.options = "Probe=1";
  Submit(id_low, id_high, context0, context1, mcp::kInfoKindExporterOptions, &options,
         sizeof options);
  mcp::ExporterInfoRecord info{};
  info.extension = "prb";
  info.description = "Probe \"files\"";
  info.value12 = 4;
  info.value18 = 1;
  info.scale = 0.5f;
  Submit(id_low, id_high, context0, context1, mcp::kInfoKindExporter, &info, sizeof info);
  if (Misusing()) {
    // A record of the wrong size, which the host must refuse.
    Submit(id_low, id_high, context0, context1, mcp::kInfoKindExporter, &info, 3);
  }
  return 1;
}

MCP_EXPORT std::uint8_t MCP_CALL MCP_ExecuteExport(mcp::Context, mcp::Context, std::uint32_t,
                                                   std::uint32_t, mcp::Handle scene,
                                                   const mcp::ExportParams* params) {
  const std::string path = PosixPath(params->path);
  DumpScene(path, scene, std::string(params->path) + ".tex");
  Dump scale(path + ".params");
  scale.Line("path %s scale %g", params->path, params->scale);
  return static_cast<std::uint8_t>(Result());
}

MCP_EXPORT std::uint8_t MCP_CALL MCP_GetToolInfo(mcp::Context context0, mcp::Context context1,
                                                 std::uint32_t id_low, std::uint32_t id_high) {
  mcp::ToolInfoRecord info{};
  info.width = 22;
  info.height = 26;
  info.bitmap = 0xB17;
  info.text = "";
  info.value16 = 2;
  Submit(id_low, id_high, context0, context1, mcp::kInfoKindTool, &info, sizeof info);
  return 1;
}

MCP_EXPORT std::int32_t MCP_CALL MCP_ToolSwitch(mcp::Context, mcp::Context, std::uint32_t,
                                                std::uint32_t, std::uint8_t switch_state,
                                                mcp::Handle scene, mcp::ToolStateRecord* state) {
  state->field = 0;
  const char* out = std::getenv("PROBE_OUT");
  if (switch_state != 1 || out == nullptr) {
    return 0;
  }
  DumpScene(out, scene, std::string("Z:") + out + ".tex");
  return Result();
}
