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

  /// Hands `size` bytes of `record` to the host, which copies them before
  /// returning. The result is the host's; the plug-ins never read it.
  std::int32_t SubmitInfo(std::uint32_t id_low, std::uint32_t id_high, Context context0,
                          Context context1, std::int32_t kind, const void* record,
                          std::int32_t size) const;
  /// The number of root objects of `scene`; they are indexed 0 to count - 1.
  std::int32_t GetRootObjectCount(Handle scene) const;
  /// The root object at `index` of `scene`.
  Handle GetRootObject(Handle scene, std::int32_t index) const;
  /// The two-call text protocol of GetObjectAttributeFn: with `buffer` null and
  /// `size` 0, the size needed including the terminator (0 or less: no such
  /// attribute); with a buffer of that size, 1 or more when it now holds the
  /// zero-terminated text.
  std::int32_t GetObjectAttribute(Handle object, const char* name, char* buffer,
                                  std::int32_t size) const;
  /// The number of vertices of `object`. Passes the five zeros the host
  /// expects after the object.
  std::int32_t GetVertexCount(Handle object) const;
  /// Fills `record` with pointers to the vertex at `index`. The result is the
  /// host's; the plug-ins never read it.
  std::int32_t GetVertex(Handle object, std::int32_t index, VertexRecord* record) const;
  /// Fills `record` with pointers to the texture coordinate at `index`. The
  /// result is the host's; the plug-ins never read it.
  std::int32_t GetTexCoord(Handle object, std::int32_t index, TexCoordRecord* record) const;
  /// The number of faces of `object`; below 1, the object has no model data.
  std::int32_t GetFaceCount(Handle object) const;
  /// Fills `record` with pointers to the face at `index`. The result is the
  /// host's; the plug-ins never read it.
  std::int32_t GetFace(Handle object, std::int32_t index, FaceRecord* record) const;
  /// The number of materials of `scene`; they are indexed 0 to count - 1.
  std::int32_t GetMaterialCount(Handle scene) const;
  /// Fills `record` with the material at `index`. The result is the host's;
  /// the plug-ins never read it.
  std::int32_t GetMaterial(Handle scene, std::int32_t index, MaterialRecord* record) const;
  /// True when `material` has the parameter `name`; `param` is filled then.
  bool FindMaterialParam(Handle scene, MaterialRecord* material, const char* name,
                         ParamRecord* param) const;
  /// Fills `record` with the material that a face refers to. The result is
  /// the host's; the plug-ins never read it.
  std::int32_t GetMaterialByRef(MaterialRef ref, MaterialRecord* record) const;
  /// Writes the parameter's value into `*value`. The result is the host's;
  /// the plug-ins never read it.
  std::int32_t GetParamFloat(Handle param, float* value) const;
  /// Writes the parameter's red, green, blue and fourth channel. The result
  /// is the host's; the plug-ins never read it.
  std::int32_t GetParamColor(Handle param, float* red, float* green, float* blue,
                             float* fourth) const;
  /// The parameter's texture handle; 0 when it has none.
  Handle GetParamTexture(Handle param) const;
  /// The texture's name in the two-call text protocol of GetObjectAttribute.
  std::int32_t GetTextureName(Handle texture, char* buffer, std::int32_t size) const;
  /// Has the host write the texture as an image file of `format` at `path`.
  /// The result is the host's; the plug-ins never read it (they look for the
  /// file instead).
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
