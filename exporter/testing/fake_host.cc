#include "exporter/testing/fake_host.h"

#include <cstdlib>
#include <cstring>

namespace exporter::testing {
namespace {

FakeScene* g_scene = nullptr;

FakeObject* Object(mcp::Handle handle) {
  if (handle == 0 || handle > g_scene->objects.size()) {
    return nullptr;
  }
  return &g_scene->objects[handle - 1];
}

// The two-call text protocol: size with terminator first, then the text.
std::int32_t AnswerText(const std::string& text, char* buffer, std::int32_t size) {
  const auto needed = static_cast<std::int32_t>(text.size() + 1);
  if (buffer == nullptr || size == 0) {
    return needed;
  }
  if (size < needed) {
    return 0;
  }
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return needed;
}

std::int32_t MCP_CALL SubmitInfo(std::uint32_t, std::uint32_t, mcp::Context, mcp::Context,
                                 std::int32_t, const void*, std::int32_t) {
  return 1;
}

std::int32_t MCP_CALL GetRootObjectCount(mcp::Handle) {
  return static_cast<std::int32_t>(g_scene->objects.size());
}

mcp::Handle MCP_CALL GetRootObject(mcp::Handle, std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= g_scene->objects.size()) {
    return 0;
  }
  return static_cast<mcp::Handle>(index) + 1;
}

std::int32_t MCP_CALL GetObjectAttribute(mcp::Handle handle, const char* name, char* buffer,
                                         std::int32_t size) {
  FakeObject* object = Object(handle);
  if (object == nullptr) {
    return 0;
  }
  const std::optional<std::string>* value = nullptr;
  if (std::strcmp(name, "Name") == 0) {
    value = &object->name;
  } else if (std::strcmp(name, "Activated") == 0) {
    value = &object->activated;
  }
  if (value == nullptr || !value->has_value()) {
    return 0;
  }
  return AnswerText(**value, buffer, size);
}

std::int32_t MCP_CALL GetVertexCount(mcp::Handle handle, std::int32_t, std::int32_t, std::int32_t,
                                     std::int32_t, std::int32_t) {
  FakeObject* object = Object(handle);
  return object == nullptr ? 0 : static_cast<std::int32_t>(object->vertices.size());
}

std::int32_t MCP_CALL GetVertex(mcp::Handle handle, std::int32_t index, mcp::VertexRecord* record) {
  FakeObject* object = Object(handle);
  if (object == nullptr || index < 0 ||
      static_cast<std::size_t>(index) >= object->vertices.size()) {
    std::abort();  // the exporter must only ask for vertices that exist
  }
  const FakeVertex& vertex = object->vertices[static_cast<std::size_t>(index)];
  record->flags = &vertex.flags;
  record->c0 = &vertex.c0;
  record->c1 = &vertex.c1;
  record->c2 = &vertex.c2;
  return 1;
}

std::int32_t MCP_CALL GetTexCoord(mcp::Handle handle, std::int32_t index,
                                  mcp::TexCoordRecord* record) {
  FakeObject* object = Object(handle);
  if (object == nullptr || index < 0 ||
      static_cast<std::size_t>(index) >= object->texcoords.size()) {
    std::abort();
  }
  const FakeTexCoord& texcoord = object->texcoords[static_cast<std::size_t>(index)];
  record->u = &texcoord.u;
  record->v = &texcoord.v;
  return 1;
}

std::int32_t MCP_CALL GetFaceCount(mcp::Handle handle) {
  FakeObject* object = Object(handle);
  return object == nullptr ? 0 : static_cast<std::int32_t>(object->faces.size());
}

std::int32_t MCP_CALL GetFace(mcp::Handle handle, std::int32_t index, mcp::FaceRecord* record) {
  FakeObject* object = Object(handle);
  if (object == nullptr || index < 0 || static_cast<std::size_t>(index) >= object->faces.size()) {
    std::abort();
  }
  const FakeFace& face = object->faces[static_cast<std::size_t>(index)];
  record->flags = &face.flags;
  record->material = &face.material;
  record->corner_count = &face.corner_count;
  for (int k = 0; k < 4; ++k) {
    record->vertex[k] = &face.vertex[static_cast<std::size_t>(k)];
    record->texcoord[k] = &face.texcoord[static_cast<std::size_t>(k)];
  }
  return 1;
}

std::int32_t MCP_CALL GetMaterialCount(mcp::Handle) {
  return static_cast<std::int32_t>(g_scene->materials.size());
}

void FillMaterial(std::size_t index, mcp::MaterialRecord* record) {
  *record = {};
  record->host[0] = index + 1;
  record->name = g_scene->materials[index].name.c_str();
}

std::int32_t MCP_CALL GetMaterial(mcp::Handle, std::int32_t index, mcp::MaterialRecord* record) {
  if (index < 0 || static_cast<std::size_t>(index) >= g_scene->materials.size()) {
    std::abort();
  }
  FillMaterial(static_cast<std::size_t>(index), record);
  return 1;
}

std::int32_t MCP_CALL GetMaterialByRef(mcp::MaterialRef ref, mcp::MaterialRecord* record) {
  if (ref >= g_scene->materials.size()) {
    std::abort();
  }
  FillMaterial(ref, record);
  return 1;
}

std::int32_t MCP_CALL FindMaterialParam(mcp::Handle, mcp::MaterialRecord* material,
                                        const char* name, mcp::ParamRecord* param) {
  const std::uintptr_t index = material->host[0];
  if (index == 0 || index > g_scene->materials.size()) {
    std::abort();
  }
  for (FakeParam& candidate : g_scene->materials[index - 1].params) {
    if (candidate.name == name) {
      param->handle = reinterpret_cast<mcp::Handle>(&candidate);
      param->type = &candidate.type;
      return 1;
    }
  }
  return 0;
}

const FakeParam& Param(mcp::Handle handle) {
  return *reinterpret_cast<const FakeParam*>(handle);
}

std::int32_t MCP_CALL GetParamFloat(mcp::Handle handle, float* value) {
  *value = Param(handle).value;
  return 1;
}

std::int32_t MCP_CALL GetParamColor(mcp::Handle handle, float* red, float* green, float* blue,
                                    float* fourth) {
  const FakeParam& param = Param(handle);
  *red = param.color[0];
  *green = param.color[1];
  *blue = param.color[2];
  *fourth = param.color[3];
  return 1;
}

std::int32_t MCP_CALL GetParamTexture(mcp::Handle handle, mcp::Handle* texture) {
  const int index = Param(handle).texture;
  *texture = index < 0 ? 0 : static_cast<mcp::Handle>(index) + 1;
  return *texture != 0;
}

std::int32_t MCP_CALL GetTextureName(mcp::Handle handle, char* buffer, std::int32_t size) {
  if (handle == 0 || handle > g_scene->textures.size()) {
    std::abort();
  }
  const FakeTexture& texture = g_scene->textures[handle - 1];
  if (buffer == nullptr || size == 0) {
    return texture.name_size ? *texture.name_size : AnswerText(texture.name, nullptr, 0);
  }
  if (!texture.name_readable) {
    return 0;
  }
  return AnswerText(texture.name, buffer, size);
}

std::int32_t MCP_CALL SaveTexture(mcp::Handle handle, const char* path, std::int32_t format) {
  if (handle == 0 || handle > g_scene->textures.size()) {
    std::abort();
  }
  g_scene->saved.push_back({static_cast<int>(handle - 1), path, format});
  if (g_scene->on_save) {
    g_scene->on_save(g_scene->saved.back());
  }
  return 1;
}

template <typename Fn>
void Put(mcp::CallbackTable& table, int slot, Fn function) {
  table.Store(slot, reinterpret_cast<std::uintptr_t>(function));
}

}  // namespace

FakeHost::FakeHost(FakeScene& scene) : api_(table_) {
  if (g_scene != nullptr) {
    std::abort();
  }
  g_scene = &scene;
  Put(table_, mcp::kSubmitInfo, &SubmitInfo);
  Put(table_, mcp::kGetRootObjectCount, &GetRootObjectCount);
  Put(table_, mcp::kGetRootObject, &GetRootObject);
  Put(table_, mcp::kGetObjectAttribute, &GetObjectAttribute);
  Put(table_, mcp::kGetVertexCount, &GetVertexCount);
  Put(table_, mcp::kGetVertex, &GetVertex);
  Put(table_, mcp::kGetTexCoord, &GetTexCoord);
  Put(table_, mcp::kGetFaceCount, &GetFaceCount);
  Put(table_, mcp::kGetFace, &GetFace);
  Put(table_, mcp::kGetMaterialCount, &GetMaterialCount);
  Put(table_, mcp::kGetMaterial, &GetMaterial);
  Put(table_, mcp::kFindMaterialParam, &FindMaterialParam);
  Put(table_, mcp::kGetMaterialByRef, &GetMaterialByRef);
  Put(table_, mcp::kGetParamFloat, &GetParamFloat);
  Put(table_, mcp::kGetParamColor, &GetParamColor);
  Put(table_, mcp::kGetParamTexture, &GetParamTexture);
  Put(table_, mcp::kGetTextureName, &GetTextureName);
  Put(table_, mcp::kSaveTexture, &SaveTexture);
}

FakeHost::~FakeHost() {
  g_scene = nullptr;
}

FakeParam FloatParam(const std::string& name, float value, std::uint16_t type) {
  FakeParam param;
  param.name = name;
  param.type = type;
  param.value = value;
  return param;
}

FakeParam ColorParam(const std::string& name, float r, float g, float b, std::uint16_t type) {
  FakeParam param;
  param.name = name;
  param.type = type;
  param.color = {r, g, b, 1};
  return param;
}

FakeParam TextureParam(const std::string& name, int texture) {
  FakeParam param;
  param.name = name;
  param.type = mcp::kParamTexture;
  param.texture = texture;
  return param;
}

}  // namespace exporter::testing
