#include "clayhost/host_callbacks.h"

#include <cstring>
#include <filesystem>
#include <ostream>
#include <string>

#include "clayhost/host_path.h"
#include "clayhost/texture_bmp.h"
#include "toolfiles/output_file.h"

namespace clayhost {
namespace {

// Handles carry a kind in their top four bits and an index below, so that a
// handle of the wrong kind, or garbage, is recognised and refused.
constexpr std::uint32_t kIndexMask = 0x0FFFFFFF;
constexpr std::uint32_t kSceneTag = 0x10000000;
constexpr std::uint32_t kObjectTag = 0x20000000;
constexpr std::uint32_t kParamTag = 0x30000000;
constexpr std::uint32_t kTextureTag = 0x40000000;
// Marks the host slots of a MaterialRecord or ParamRecord that this host filled.
constexpr std::uintptr_t kMaterialMark = 0x4D41544C;  // "MATL"
constexpr std::uintptr_t kParamMark = 0x5041524D;     // "PARM"

HostState* g_state = nullptr;

// What empty answers point at.
constexpr std::uint64_t kZeroFlags = 0;
constexpr float kZeroFloat = 0;
constexpr std::int32_t kZeroIndex = 0;
constexpr std::uint8_t kZeroCorners = 0;
constexpr mcp::MaterialRef kZeroRef = 0;
constexpr char kEmptyText[] = "";

/// Reports one misuse by the plug-in of the callback `name`.
void Misuse(const char* name, const std::string& what) {
  if (g_state == nullptr) {
    return;
  }
  ++g_state->misuse_count;
  if (g_state->diagnostics != nullptr) {
    *g_state->diagnostics << "clayhost: plug-in error: " << name << ": " << what << "\n";
  }
}

/// Reports a SaveTexture call that the host could not carry out.
void FailedSave(const std::string& why) {
  ++g_state->failed_saves;
  if (g_state->diagnostics != nullptr) {
    *g_state->diagnostics << "clayhost: SaveTexture: " << why << "\n";
  }
}

std::string Hex(std::uintptr_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
  return text;
}

const Scene* CurrentScene(const char* name) {
  if (g_state == nullptr || g_state->scene() == nullptr) {
    Misuse(name, "called outside a working call, when there is no scene");
    return nullptr;
  }
  return g_state->scene();
}

const Scene* SceneFor(const char* name, mcp::Handle scene) {
  const Scene* current = CurrentScene(name);
  if (current != nullptr && scene != SceneHandle()) {
    Misuse(name, "scene handle " + Hex(scene) + " is not the scene's handle " + Hex(SceneHandle()));
    return nullptr;
  }
  return current;
}

/// The index a handle of kind `tag` carries, when below `count`.
bool HandleIndex(const char* name, const char* kind, mcp::Handle handle, std::uint32_t tag,
                 std::size_t count, std::size_t* index) {
  if ((handle & ~static_cast<mcp::Handle>(kIndexMask)) != tag || (handle & kIndexMask) >= count) {
    Misuse(name, Hex(handle) + " is not " + kind + " handle");
    return false;
  }
  *index = handle & kIndexMask;
  return true;
}

const SceneObject* ObjectFor(const char* name, mcp::Handle object) {
  const Scene* scene = CurrentScene(name);
  std::size_t index = 0;
  if (scene == nullptr ||
      !HandleIndex(name, "an object", object, kObjectTag, scene->objects.size(), &index)) {
    return nullptr;
  }
  return &scene->objects[index];
}

const Param* ParamFor(const char* name, mcp::Handle param) {
  const Scene* scene = CurrentScene(name);
  std::size_t index = 0;
  if (scene == nullptr ||
      !HandleIndex(name, "a parameter", param, kParamTag, g_state->params().size(), &index)) {
    return nullptr;
  }
  const auto [material, slot] = g_state->params()[index];
  return &scene->materials[material].params[slot];
}

const Texture* TextureFor(const char* name, mcp::Handle texture) {
  const Scene* scene = CurrentScene(name);
  std::size_t index = 0;
  if (scene == nullptr ||
      !HandleIndex(name, "a texture", texture, kTextureTag, scene->textures.size(), &index)) {
    return nullptr;
  }
  return &scene->textures[index];
}

bool InRange(const char* name, const char* what, std::int32_t index, std::size_t count) {
  if (index < 0 || static_cast<std::size_t>(index) >= count) {
    Misuse(name, std::string(what) + " " + std::to_string(index) + " is out of range (" +
                     std::to_string(count) + " exist)");
    return false;
  }
  return true;
}

/// Record sizes may be left 0; a smaller size than the record's means the
/// plug-in's record cannot hold the answer.
bool SizeFits(const char* name, std::uint32_t size, std::size_t needed) {
  if (size != 0 && size < needed) {
    Misuse(name,
           "record size " + std::to_string(size) + " is smaller than " + std::to_string(needed));
    return false;
  }
  return true;
}

/// The two-call text protocol: size 0 and no buffer asks for the size.
std::int32_t AnswerText(const char* name, const std::string& text, char* buffer,
                        std::int32_t size) {
  const auto needed = static_cast<std::int32_t>(text.size() + 1);
  if (buffer == nullptr) {
    if (size != 0) {
      Misuse(name, "no buffer, but size " + std::to_string(size));
      return 0;
    }
    return needed;
  }
  if (size < needed) {
    Misuse(name, "buffer of " + std::to_string(size) + " bytes for a text that needs " +
                     std::to_string(needed));
    if (size > 0) {
      buffer[0] = '\0';
    }
    return 0;
  }
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return needed;
}

// --- The served callbacks.

std::int32_t MCP_CALL SubmitInfo(std::uint32_t id_low, std::uint32_t id_high, mcp::Context context0,
                                 mcp::Context context1, std::int32_t kind, const void* record,
                                 std::int32_t size) {
  if (g_state == nullptr || !g_state->submit) {
    Misuse("SubmitInfo", "called when the host asked for no description");
    return 0;
  }
  g_state->submit({id_low, id_high, context0, context1, kind, record, size});
  return 1;
}

std::int32_t MCP_CALL GetRootObjectCount(mcp::Handle scene) {
  const Scene* served = SceneFor("GetRootObjectCount", scene);
  return served == nullptr ? 0 : static_cast<std::int32_t>(served->objects.size());
}

mcp::Handle MCP_CALL GetRootObject(mcp::Handle scene, std::int32_t index) {
  const Scene* served = SceneFor("GetRootObject", scene);
  if (served == nullptr ||
      !InRange("GetRootObject", "root object", index, served->objects.size())) {
    return 0;
  }
  return kObjectTag | static_cast<std::uint32_t>(index);
}

std::int32_t MCP_CALL GetObjectAttribute(mcp::Handle object, const char* name, char* buffer,
                                         std::int32_t size) {
  const SceneObject* served = ObjectFor("GetObjectAttribute", object);
  if (served == nullptr) {
    return 0;
  }
  if (name == nullptr) {
    Misuse("GetObjectAttribute", "no attribute name");
    return 0;
  }
  const Attribute* attribute = served->FindAttribute(name);
  if (attribute == nullptr) {
    if (buffer != nullptr && size > 0) {
      buffer[0] = '\0';
    }
    return 0;
  }
  return AnswerText("GetObjectAttribute", attribute->value, buffer, size);
}

std::int32_t MCP_CALL GetVertexCount(mcp::Handle object, std::int32_t, std::int32_t, std::int32_t,
                                     std::int32_t, std::int32_t) {
  const SceneObject* served = ObjectFor("GetVertexCount", object);
  return served == nullptr ? 0 : static_cast<std::int32_t>(served->vertices.size());
}

void EmptyVertex(mcp::VertexRecord* record) {
  record->flags = &kZeroFlags;
  record->c0 = record->c1 = record->c2 = &kZeroFloat;
}

std::int32_t MCP_CALL GetVertex(mcp::Handle object, std::int32_t index, mcp::VertexRecord* record) {
  if (record == nullptr) {
    Misuse("GetVertex", "no record");
    return 0;
  }
  if (!SizeFits("GetVertex", record->size, sizeof(mcp::VertexRecord))) {
    return 0;
  }
  EmptyVertex(record);
  const SceneObject* served = ObjectFor("GetVertex", object);
  if (served == nullptr || !InRange("GetVertex", "vertex", index, served->vertices.size())) {
    return 0;
  }
  const Vertex& vertex = served->vertices[index];
  record->flags = &vertex.flags;
  record->c0 = &vertex.c[0];
  record->c1 = &vertex.c[1];
  record->c2 = &vertex.c[2];
  return 1;
}

std::int32_t MCP_CALL GetTexCoord(mcp::Handle object, std::int32_t index,
                                  mcp::TexCoordRecord* record) {
  if (record == nullptr) {
    Misuse("GetTexCoord", "no record");
    return 0;
  }
  if (!SizeFits("GetTexCoord", record->size, sizeof(mcp::TexCoordRecord))) {
    return 0;
  }
  record->u = record->v = &kZeroFloat;
  const SceneObject* served = ObjectFor("GetTexCoord", object);
  if (served == nullptr) {
    return 0;
  }
  // Numbers start at 1; 0 and below mean "none", which plug-ins may ask for
  // when they fetch every corner of a face: zeros, and no complaint.
  if (index <= 0) {
    return 0;
  }
  const std::size_t count = served->texcoords ? served->texcoords->size() : 0;
  if (static_cast<std::size_t>(index) > count) {
    Misuse("GetTexCoord", "texture coordinate " + std::to_string(index) + " is out of range (" +
                              std::to_string(count) + " exist, numbered from 1)");
    return 0;
  }
  const TexCoord& texcoord = (*served->texcoords)[index - 1];
  record->u = &texcoord.u;
  record->v = &texcoord.v;
  return 1;
}

std::int32_t MCP_CALL GetFaceCount(mcp::Handle object) {
  const SceneObject* served = ObjectFor("GetFaceCount", object);
  return served == nullptr ? 0 : static_cast<std::int32_t>(served->faces.size());
}

std::int32_t MCP_CALL GetFace(mcp::Handle object, std::int32_t index, mcp::FaceRecord* record) {
  if (record == nullptr) {
    Misuse("GetFace", "no record");
    return 0;
  }
  if (!SizeFits("GetFace", record->size, sizeof(mcp::FaceRecord))) {
    return 0;
  }
  record->flags = &kZeroFlags;
  record->material = &kZeroRef;
  record->corner_count = &kZeroCorners;
  for (int k = 0; k < 4; ++k) {
    record->vertex[k] = record->texcoord[k] = &kZeroIndex;
  }
  const SceneObject* served = ObjectFor("GetFace", object);
  if (served == nullptr || !InRange("GetFace", "face", index, served->faces.size())) {
    return 0;
  }
  const Face& face = served->faces[index];
  record->flags = &face.flags;
  record->material = &face.material;
  record->corner_count = &face.corner_count;
  for (int k = 0; k < 4; ++k) {
    record->vertex[k] = &face.vertex[k];
    record->texcoord[k] = &face.texcoord[k];
  }
  return 1;
}

std::int32_t MCP_CALL GetMaterialCount(mcp::Handle scene) {
  const Scene* served = SceneFor("GetMaterialCount", scene);
  return served == nullptr ? 0 : static_cast<std::int32_t>(served->materials.size());
}

void FillMaterial(mcp::MaterialRecord* record, const Scene* scene, std::size_t index) {
  std::memset(record, 0, sizeof *record);
  record->name = kEmptyText;
  if (scene != nullptr) {
    record->host[0] = kMaterialMark;
    record->host[1] = index;
    record->name = scene->materials[index].name.c_str();
  }
}

std::int32_t MCP_CALL GetMaterial(mcp::Handle scene, std::int32_t index,
                                  mcp::MaterialRecord* record) {
  if (record == nullptr) {
    Misuse("GetMaterial", "no record");
    return 0;
  }
  const Scene* served = SceneFor("GetMaterial", scene);
  const bool found =
      served != nullptr && InRange("GetMaterial", "material", index, served->materials.size());
  FillMaterial(record, found ? served : nullptr, static_cast<std::size_t>(index));
  return found ? 1 : 0;
}

std::int32_t MCP_CALL GetMaterialByRef(mcp::MaterialRef ref, mcp::MaterialRecord* record) {
  if (record == nullptr) {
    Misuse("GetMaterialByRef", "no record");
    return 0;
  }
  const Scene* served = CurrentScene("GetMaterialByRef");
  bool found = served != nullptr;
  if (found && ref >= served->materials.size()) {
    Misuse("GetMaterialByRef", "material reference " + std::to_string(ref) + " is out of range (" +
                                   std::to_string(served->materials.size()) + " exist)");
    found = false;
  }
  FillMaterial(record, found ? served : nullptr, ref);
  return found ? 1 : 0;
}

std::int32_t MCP_CALL FindMaterialParam(mcp::Handle scene, mcp::MaterialRecord* material,
                                        const char* name, mcp::ParamRecord* param) {
  const Scene* served = SceneFor("FindMaterialParam", scene);
  if (served == nullptr) {
    return 0;
  }
  if (material == nullptr || param == nullptr || name == nullptr) {
    Misuse("FindMaterialParam", "a null material record, name or parameter record");
    return 0;
  }
  if (material->host[0] != kMaterialMark || material->host[1] >= served->materials.size()) {
    Misuse("FindMaterialParam",
           "the material record was not filled by GetMaterial or "
           "GetMaterialByRef");
    return 0;
  }
  const std::size_t material_index = material->host[1];
  const auto& params = served->materials[material_index].params;
  for (std::size_t slot = 0; slot < params.size(); ++slot) {
    if (params[slot].name != name) {
      continue;
    }
    const std::size_t flat = g_state->first_params()[material_index] + slot;
    std::memset(param, 0, sizeof *param);
    param->host[0] = kParamMark;
    param->host[1] = material_index;
    param->host[2] = slot;
    param->handle = kParamTag | static_cast<std::uint32_t>(flat);
    param->type = &params[slot].type;
    return 1;
  }
  return 0;
}

std::int32_t MCP_CALL GetParamFloat(mcp::Handle param, float* value) {
  if (value == nullptr) {
    Misuse("GetParamFloat", "no place for the value");
    return 0;
  }
  *value = 0;
  const Param* served = ParamFor("GetParamFloat", param);
  if (served == nullptr) {
    return 0;
  }
  if (!served->has_value) {
    Misuse("GetParamFloat", "parameter \"" + served->name + "\" of type " +
                                std::to_string(served->type) + " has no number");
    return 0;
  }
  *value = served->value;
  return 1;
}

std::int32_t MCP_CALL GetParamColor(mcp::Handle param, float* red, float* green, float* blue,
                                    float* fourth) {
  if (red == nullptr || green == nullptr || blue == nullptr || fourth == nullptr) {
    Misuse("GetParamColor", "a null place for a colour value");
    return 0;
  }
  *red = *green = *blue = *fourth = 0;
  const Param* served = ParamFor("GetParamColor", param);
  if (served == nullptr) {
    return 0;
  }
  if (!served->has_color) {
    Misuse("GetParamColor", "parameter \"" + served->name + "\" of type " +
                                std::to_string(served->type) + " has no colour");
    return 0;
  }
  *red = served->color[0];
  *green = served->color[1];
  *blue = served->color[2];
  *fourth = served->color[3];
  return 1;
}

std::int32_t MCP_CALL GetParamTexture(mcp::Handle param, mcp::Handle* texture) {
  if (texture == nullptr) {
    Misuse("GetParamTexture", "no place for the texture handle");
    return 0;
  }
  *texture = 0;
  const Param* served = ParamFor("GetParamTexture", param);
  if (served == nullptr || served->texture == kNoTexture) {
    return 0;
  }
  *texture = kTextureTag | static_cast<std::uint32_t>(served->texture);
  return 1;
}

std::int32_t MCP_CALL GetTextureName(mcp::Handle texture, char* buffer, std::int32_t size) {
  const Texture* served = TextureFor("GetTextureName", texture);
  if (served == nullptr) {
    return 0;
  }
  switch (served->naming) {
    case TextureNaming::kNameless:
      return 0;
    case TextureNaming::kUnreadable:
      // The size is announced, the text never delivered.
      return buffer == nullptr ? static_cast<std::int32_t>(served->name.size() + 1) : 0;
    case TextureNaming::kNamed:
      break;
  }
  return AnswerText("GetTextureName", served->name, buffer, size);
}

std::int32_t MCP_CALL SaveTexture(mcp::Handle texture, const char* path, std::int32_t format) {
  const Texture* served = TextureFor("SaveTexture", texture);
  if (served == nullptr) {
    return 0;
  }
  if (path == nullptr) {
    Misuse("SaveTexture", "no path");
    return 0;
  }
  if (g_state->saving) {
    g_state->saving({static_cast<int>(texture & kIndexMask), path, format});
  }
  if (format != mcp::kTextureFormatBmp) {
    Misuse("SaveTexture", "format " + std::to_string(format) + " is not the BMP format 4");
    return 0;
  }
  if (!served->saves) {
    return 0;
  }
  const auto host_path = HostPathForPluginPath(path);
  if (!host_path) {
    Misuse("SaveTexture", std::string("the path \"") + path + "\" is on an unmapped drive");
    return 0;
  }
  const std::vector<std::string>& sources = g_state->scene()->sources;
  if (const auto source = toolfiles::InputNamedBy(
          *host_path, std::vector<std::filesystem::path>(sources.begin(), sources.end()))) {
    FailedSave(std::string("refusing to write ") + path + " (" + *host_path + ") over " +
               source->string() + ", a file the scene was read from");
    return 0;
  }
  if (const auto problem = WriteTextureBmp(*served, *host_path, g_state->read_image)) {
    FailedSave(*problem);
    return 0;
  }
  return 1;
}

// --- Slots this host does not serve.

void ReportUnserved(int slot) {
  Misuse("unserved slot",
         "the plug-in called slot " + std::to_string(slot) + ", which this host does not serve");
}

// Its arguments are unknown; every convention the plug-ins use lets the
// caller clean up, so ignoring them is safe.
template <int kSlot>
std::uintptr_t MCP_CALL Unserved() {
  ReportUnserved(kSlot);
  return 0;
}

template <std::size_t... kSlots>
std::array<std::uintptr_t, mcp::kCallbackSlotCount> UnservedValues(std::index_sequence<kSlots...>) {
  return {reinterpret_cast<std::uintptr_t>(&Unserved<static_cast<int>(kSlots)>)...};
}

template <typename Fn>
std::uintptr_t Value(Fn function) {
  return reinterpret_cast<std::uintptr_t>(function);
}

}  // namespace

void HostState::Serve(const Scene* scene) {
  scene_ = scene;
  params_.clear();
  first_params_.clear();
  if (scene == nullptr) {
    return;
  }
  for (std::uint32_t m = 0; m < scene->materials.size(); ++m) {
    first_params_.push_back(static_cast<std::uint32_t>(params_.size()));
    for (std::uint32_t p = 0; p < scene->materials[m].params.size(); ++p) {
      params_.emplace_back(m, p);
    }
  }
}

ServeHostState::ServeHostState(HostState& state) {
  g_state = &state;
}

ServeHostState::~ServeHostState() {
  g_state = nullptr;
}

mcp::Handle SceneHandle() {
  return kSceneTag | 1;
}

std::array<std::uintptr_t, mcp::kCallbackSlotCount> CallbackSlotValues() {
  auto slots = UnservedValues(std::make_index_sequence<mcp::kCallbackSlotCount>());
  slots[mcp::kSubmitInfo] = Value(&SubmitInfo);
  slots[mcp::kGetRootObjectCount] = Value(&GetRootObjectCount);
  slots[mcp::kGetRootObject] = Value(&GetRootObject);
  slots[mcp::kGetObjectAttribute] = Value(&GetObjectAttribute);
  slots[mcp::kGetVertexCount] = Value(&GetVertexCount);
  slots[mcp::kGetVertex] = Value(&GetVertex);
  slots[mcp::kGetTexCoord] = Value(&GetTexCoord);
  slots[mcp::kGetFaceCount] = Value(&GetFaceCount);
  slots[mcp::kGetFace] = Value(&GetFace);
  slots[mcp::kGetMaterialCount] = Value(&GetMaterialCount);
  slots[mcp::kGetMaterial] = Value(&GetMaterial);
  slots[mcp::kFindMaterialParam] = Value(&FindMaterialParam);
  slots[mcp::kGetMaterialByRef] = Value(&GetMaterialByRef);
  slots[mcp::kGetParamFloat] = Value(&GetParamFloat);
  slots[mcp::kGetParamColor] = Value(&GetParamColor);
  slots[mcp::kGetParamTexture] = Value(&GetParamTexture);
  slots[mcp::kGetTextureName] = Value(&GetTextureName);
  slots[mcp::kSaveTexture] = Value(&SaveTexture);
  return slots;
}

}  // namespace clayhost
