#include "hostplugin/host_api.h"

namespace mcp {

std::int32_t CallbackTable::Store(std::int32_t index, std::uintptr_t value) {
  if (index >= 0 && index < kCallbackSlotCount) {
    slots_[index] = value;
  }
  return index;
}

std::int32_t HostApi::SubmitInfo(std::uint32_t id_low, std::uint32_t id_high, Context context0,
                                 Context context1, std::int32_t kind, const void* record,
                                 std::int32_t size) const {
  return Slot<SubmitInfoFn>(kSubmitInfo)(id_low, id_high, context0, context1, kind, record, size);
}

std::int32_t HostApi::GetRootObjectCount(Handle scene) const {
  return Slot<GetRootObjectCountFn>(kGetRootObjectCount)(scene);
}

Handle HostApi::GetRootObject(Handle scene, std::int32_t index) const {
  return Slot<GetRootObjectFn>(kGetRootObject)(scene, index);
}

std::int32_t HostApi::GetObjectAttribute(Handle object, const char* name, char* buffer,
                                         std::int32_t size) const {
  return Slot<GetObjectAttributeFn>(kGetObjectAttribute)(object, name, buffer, size);
}

std::int32_t HostApi::GetVertexCount(Handle object) const {
  return Slot<GetVertexCountFn>(kGetVertexCount)(object, 0, 0, 0, 0, 0);
}

std::int32_t HostApi::GetVertex(Handle object, std::int32_t index, VertexRecord* record) const {
  return Slot<GetVertexFn>(kGetVertex)(object, index, record);
}

std::int32_t HostApi::GetTexCoord(Handle object, std::int32_t index, TexCoordRecord* record) const {
  return Slot<GetTexCoordFn>(kGetTexCoord)(object, index, record);
}

std::int32_t HostApi::GetFaceCount(Handle object) const {
  return Slot<GetFaceCountFn>(kGetFaceCount)(object);
}

std::int32_t HostApi::GetFace(Handle object, std::int32_t index, FaceRecord* record) const {
  return Slot<GetFaceFn>(kGetFace)(object, index, record);
}

std::int32_t HostApi::GetMaterialCount(Handle scene) const {
  return Slot<GetMaterialCountFn>(kGetMaterialCount)(scene);
}

std::int32_t HostApi::GetMaterial(Handle scene, std::int32_t index, MaterialRecord* record) const {
  return Slot<GetMaterialFn>(kGetMaterial)(scene, index, record);
}

bool HostApi::FindMaterialParam(Handle scene, MaterialRecord* material, const char* name,
                                ParamRecord* param) const {
  return Slot<FindMaterialParamFn>(kFindMaterialParam)(scene, material, name, param) != 0;
}

std::int32_t HostApi::GetMaterialByRef(MaterialRef ref, MaterialRecord* record) const {
  return Slot<GetMaterialByRefFn>(kGetMaterialByRef)(ref, record);
}

std::int32_t HostApi::GetParamFloat(Handle param, float* value) const {
  return Slot<GetParamFloatFn>(kGetParamFloat)(param, value);
}

std::int32_t HostApi::GetParamColor(Handle param, float* red, float* green, float* blue,
                                    float* fourth) const {
  return Slot<GetParamColorFn>(kGetParamColor)(param, red, green, blue, fourth);
}

Handle HostApi::GetParamTexture(Handle param) const {
  // The handle the host writes is the answer; a host that has no texture
  // leaves it at 0.
  Handle texture = 0;
  Slot<GetParamTextureFn>(kGetParamTexture)(param, &texture);
  return texture;
}

std::int32_t HostApi::GetTextureName(Handle texture, char* buffer, std::int32_t size) const {
  return Slot<GetTextureNameFn>(kGetTextureName)(texture, buffer, size);
}

std::int32_t HostApi::SaveTexture(Handle texture, const char* path, std::int32_t format) const {
  return Slot<SaveTextureFn>(kSaveTexture)(texture, path, format);
}

}  // namespace mcp
