// The plug-in's view of the host: the callback table that
// MCP_InitializePluginProc fills, and typed calls through it.
#ifndef GANNET_HOSTPLUGIN_HOST_API_H_
#define GANNET_HOSTPLUGIN_HOST_API_H_

#include <cstdint>

#include "hostplugin/mcp_abi.h"

namespace mcp {

/// The 136 host function pointers of one plug-in, all null at load. No call
/// checks for null: the host must fill the table before using the plug-in.
class CallbackTable {
 public:
  /// Stores `value` at `index` when the index is 0 to 135; answers the index.
  std::int32_t Store(std::int32_t index, std::uintptr_t value);
  /// The raw value stored at `slot`.
  std::uintptr_t Raw(int slot) const { return slots_[slot]; }

 private:
  std::uintptr_t slots_[kCallbackSlotCount] = {};
};

/// Typed calls into the host through a callback table. Cheap to copy; holds a
/// reference to the table.
class HostApi {
 public:
  explicit HostApi(const CallbackTable& table) : table_(&table) {}

  std::int32_t SubmitInfo(std::uint32_t id_low, std::uint32_t id_high, Context context0,
                          Context context1, std::int32_t kind, const void* record,
                          std::int32_t size) const;
  std::int32_t GetRootObjectCount(Handle scene) const;
  Handle GetRootObject(Handle scene, std::int32_t index) const;
  std::int32_t GetObjectAttribute(Handle object, const char* name, char* buffer,
                                  std::int32_t size) const;
  /// Passes the five zeros the host expects after the object.
  std::int32_t GetVertexCount(Handle object) const;
  std::int32_t GetVertex(Handle object, std::int32_t index, VertexRecord* record) const;
  std::int32_t GetTexCoord(Handle object, std::int32_t index, TexCoordRecord* record) const;
  std::int32_t GetFaceCount(Handle object) const;
  std::int32_t GetFace(Handle object, std::int32_t index, FaceRecord* record) const;
  std::int32_t GetMaterialCount(Handle scene) const;
  std::int32_t GetMaterial(Handle scene, std::int32_t index, MaterialRecord* record) const;
  bool FindMaterialParam(Handle scene, MaterialRecord* material, const char* name,
                         ParamRecord* param) const;
  std::int32_t GetMaterialByRef(MaterialRef ref, MaterialRecord* record) const;
  std::int32_t GetParamFloat(Handle param, float* value) const;
  std::int32_t GetParamColor(Handle param, float* red, float* green, float* blue,
                             float* fourth) const;
  /// The parameter's texture handle; 0 when it has none.
  Handle GetParamTexture(Handle param) const;
  std::int32_t GetTextureName(Handle texture, char* buffer, std::int32_t size) const;
  std::int32_t SaveTexture(Handle texture, const char* path, std::int32_t format) const;

 private:
  template <typename Fn>
  Fn Slot(int slot) const {
    return reinterpret_cast<Fn>(table_->Raw(slot));
  }

  const CallbackTable* table_;
};

}  // namespace mcp

#endif  // GANNET_HOSTPLUGIN_HOST_API_H_
