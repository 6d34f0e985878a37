// The binary interface between the MarbleClay host and its plug-ins.
//
// This header is the host's side of the contract as the plug-ins see it: the
// six exports a plug-in provides, the 136-slot table of host callbacks, the
// records the host fills for the plug-in and the description records the
// plug-in hands to the host. It is plain C-compatible data so that a host can
// be written against it in any language.
//
// Layout on 32-bit targets (the shipped build): every offset and size below is
// the one the MarbleClay host uses and is checked at compile time.
//
// Layout on 64-bit targets (development hosts, tests): the same fields in the
// same order, where every pointer and every handle or context value becomes a
// pointer-width (8-byte) slot. Records the host fills (VertexRecord ...
// ParamRecord) use natural alignment, so each 4-byte slot of the 32-bit layout
// becomes an 8-byte slot; records handed to the host (PluginInfoRecord ...
// ToolStateRecord) stay byte-packed, so only the pointers grow. The 64-bit
// offsets are checked at compile time too and listed next to each record.
//
// Plug-in identifiers are 64-bit values passed as two 32-bit halves, low half
// first. Handles (scene, object, parameter, texture) and the two context values
// are opaque, pointer-width values owned by the host.
#ifndef GANNET_HOSTPLUGIN_MCP_ABI_H_
#define GANNET_HOSTPLUGIN_MCP_ABI_H_

#include <cstddef>
#include <cstdint>

// MCP_CALL is the calling convention of every export and every host callback.
// On 32-bit Windows it is __cdecl: the caller removes the arguments from the
// stack, so a call whose argument list differs from the callee's idea of it
// (the host passes "five zeros" to GetVertexCount, plug-ins ignore trailing
// context values) cannot unbalance the stack. Elsewhere there is one native
// convention and the macro is empty.
#if defined(_WIN32) && !defined(_WIN64)
#define MCP_CALL __cdecl
#else
#define MCP_CALL
#endif

// MCP_EXPORT marks the six entry points exported by name with C linkage.
#if defined(_WIN32)
#define MCP_EXPORT extern "C" __declspec(dllexport)
#else
#define MCP_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace mcp {

/// Opaque host handle: scene, object, parameter or texture. 0 means none.
using Handle = std::uintptr_t;
/// One of the two context values the host passes to most exports.
using Context = std::uintptr_t;
/// The 32-bit material reference a face points to (see GetMaterialByRef).
using MaterialRef = std::uint32_t;

/// Lowest host version that the plug-ins accept in MCP_PluginEntry.
inline constexpr std::uint32_t kMinimumHostVersion = 0x50600;
/// Number of slots in the host callback table.
inline constexpr int kCallbackSlotCount = 136;
/// Identifier of the exporter plug-in (high half 0).
inline constexpr std::uint32_t kExporterId = 97;

/// Kinds passed to SubmitInfo.
inline constexpr std::int32_t kInfoKindPlugin = 0;
inline constexpr std::int32_t kInfoKindExporter = 1;
inline constexpr std::int32_t kInfoKindExporterOptions = 2;
inline constexpr std::int32_t kInfoKindTool = 1;

/// Flag bits that mark a hidden vertex or face.
inline constexpr std::uint64_t kHiddenFlags = 0xE0;

/// Format code that SaveTexture is always called with.
inline constexpr std::int32_t kTextureFormatBmp = 4;

// --- Records the host fills. The plug-in owns the record; the host sets its
// pointers into host memory that stays valid during one working call.

/// A vertex: flags and the three host coordinates c0, c1, c2.
/// 32-bit: size@0 flags@4 c0@16 c1@20 c2@24, 28 bytes.
/// 64-bit: size@0 flags@8 c0@32 c1@40 c2@48, 56 bytes.
struct VertexRecord {
  std::uint32_t size;  // callers set sizeof(VertexRecord) or leave 0
  const std::uint64_t* flags;
  const void* reserved[2];
  const float* c0;
  const float* c1;
  const float* c2;
};

/// A texture coordinate pair.
/// 32-bit: size@0 u@20 v@24, 28 bytes. 64-bit: u@40 v@48, 56 bytes.
struct TexCoordRecord {
  std::uint32_t size;
  const void* reserved[4];
  const float* u;
  const float* v;
};

/// A face: flags, material reference, corner count and per-corner indices.
/// 32-bit: flags@4 material@16 corners@20 vertex@24..36 texcoord@40..52, 56.
/// 64-bit: flags@8 material@32 corners@40 vertex@48..72 texcoord@80..104, 112.
struct FaceRecord {
  std::uint32_t size;
  const std::uint64_t* flags;
  const void* reserved[2];
  const MaterialRef* material;
  const std::uint8_t* corner_count;  // 4 makes a quad, anything else a triangle
  const std::int32_t* vertex[4];     // host vertex index of each corner
  const std::int32_t* texcoord[4];   // texture-coordinate index; above 0: present
};

/// A material. The host may keep its own identification in the reserved
/// slots; the plug-in reads only the name.
/// 32-bit: name@24, 40 bytes. 64-bit: name@48, 80 bytes.
struct MaterialRecord {
  std::uintptr_t host[6];
  const char* name;
  std::uintptr_t host_tail[3];
};

/// A material parameter found by FindMaterialParam.
/// 32-bit: handle@16 type@32, 40 bytes. 64-bit: handle@32 type@64, 80 bytes.
struct ParamRecord {
  std::uintptr_t host[4];
  Handle handle;
  std::uintptr_t host_mid[3];
  const std::uint16_t* type;  // 1, 2: float; 3, 4: colour; others: texture
  std::uintptr_t host_tail;
};

/// Parameter type codes.
inline constexpr std::uint16_t kParamFloat = 1;
inline constexpr std::uint16_t kParamFloat2 = 2;
inline constexpr std::uint16_t kParamColor = 3;
inline constexpr std::uint16_t kParamColor2 = 4;
inline constexpr std::uint16_t kParamTexture = 5;

// --- Records handed to the host or passed in by it: byte-packed.
#pragma pack(push, 1)

/// Describes a plug-in (SubmitInfo kind 0).
/// 32-bit: name@0 description@4 kind@8 id@10 value@18, 26 bytes.
/// 64-bit: name@0 description@8 kind@16 id@18 value@26, 34 bytes.
struct PluginInfoRecord {
  const char* name;
  const char* description;
  std::uint16_t kind;  // 1 exporter, 2 tool
  std::uint64_t id;
  std::uint64_t value;  // 97 for both plug-ins; its meaning is the host's
};

/// Describes the exporter's file type (SubmitInfo kind 1).
/// 32-bit: extension@4 description@8 values@12,14,16,18 scale@19 @23, 24 bytes.
/// 64-bit: extension@4 description@12 values@20,22,24,26 scale@27 @31, 32 bytes.
struct ExporterInfoRecord {
  std::uint32_t value0;
  const char* extension;
  const char* description;
  std::uint16_t value12;
  std::uint16_t value14;
  std::uint16_t value16;
  std::uint8_t value18;
  float scale;
  std::uint8_t value23;
};

/// The exporter's options (SubmitInfo kind 2).
/// 32-bit: size@0 options@8, 25 bytes. 64-bit: size@0 options@8, 29 bytes.
struct ExporterOptionsRecord {
  std::uint32_t size;
  std::uint32_t reserved4;
  const char* options;
  std::uint8_t reserved[13];
};

/// Describes the tool (SubmitInfo kind 1 for a tool).
/// 32-bit: width@0 height@4 bitmap@8 text@12 value@16, 54 bytes.
/// 64-bit: width@0 height@4 bitmap@8 text@16 value@24, 62 bytes.
struct ToolInfoRecord {
  std::uint32_t width;
  std::uint32_t height;
  Handle bitmap;
  const char* text;
  std::uint16_t value16;
  std::uint8_t reserved[36];
};

/// What the host passes to MCP_ExecuteExport. Only path and scale are read.
/// 32-bit: path@0 scale@19, 24 bytes. 64-bit: path@0 scale@23, 28 bytes.
struct ExportParams {
  const char* path;
  std::uint8_t reserved[15];
  float scale;
  std::uint8_t reserved_tail;
};

/// What the host passes to MCP_ToolSwitch last; the tool clears `field`.
/// field@18 on every target, 22 bytes.
struct ToolStateRecord {
  std::uint8_t reserved[18];
  std::uint32_t field;
};

#pragma pack(pop)

// --- Host callbacks. Slot numbers are the table indices.

/// Hands a record to the host, which copies it before returning; the result
/// is the host's and the plug-ins never read it.
using SubmitInfoFn = std::int32_t(MCP_CALL*)(std::uint32_t id_low, std::uint32_t id_high,
                                             Context context0, Context context1, std::int32_t kind,
                                             const void* record, std::int32_t size);
/// The number of root objects of the scene, indexed 0 to count - 1.
using GetRootObjectCountFn = std::int32_t(MCP_CALL*)(Handle scene);
/// The root object at the index.
using GetRootObjectFn = Handle(MCP_CALL*)(Handle scene, std::int32_t index);
/// Two-call text protocol: with buffer null and size 0 the result is the size
/// needed including the terminator (0 or less: absent); with a buffer of that
/// size a result of 1 or more leaves a zero-terminated text.
using GetObjectAttributeFn = std::int32_t(MCP_CALL*)(Handle object, const char* name, char* buffer,
                                                     std::int32_t size);
/// The number of vertices of the object; five zeros follow the object.
using GetVertexCountFn = std::int32_t(MCP_CALL*)(Handle object, std::int32_t, std::int32_t,
                                                 std::int32_t, std::int32_t, std::int32_t);
/// Fills the record of the vertex at the index; the result is the host's and
/// the plug-ins never read it.
using GetVertexFn = std::int32_t(MCP_CALL*)(Handle object, std::int32_t index,
                                            VertexRecord* record);
/// Fills the record of the texture coordinate at the index; the result is the host's and the
/// plug-ins never read it.
using GetTexCoordFn = std::int32_t(MCP_CALL*)(Handle object, std::int32_t index,
                                              TexCoordRecord* record);
/// The number of faces of the object; below 1, it has no model data.
using GetFaceCountFn = std::int32_t(MCP_CALL*)(Handle object);
/// Fills the record of the face at the index; the result is the host's and the
/// plug-ins never read it.
using GetFaceFn = std::int32_t(MCP_CALL*)(Handle object, std::int32_t index, FaceRecord* record);
/// The number of materials of the scene, indexed 0 to count - 1.
using GetMaterialCountFn = std::int32_t(MCP_CALL*)(Handle scene);
/// Fills the record of the material at the index; the result is the host's and the
/// plug-ins never read it.
using GetMaterialFn = std::int32_t(MCP_CALL*)(Handle scene, std::int32_t index,
                                              MaterialRecord* record);
/// Nonzero when the material has the parameter; fills `param` then, else 0.
using FindMaterialParamFn = std::int32_t(MCP_CALL*)(Handle scene, MaterialRecord* material,
                                                    const char* name, ParamRecord* param);
/// Fills the record of the material a face refers to; the result is the host's and the
/// plug-ins never read it.
using GetMaterialByRefFn = std::int32_t(MCP_CALL*)(MaterialRef ref, MaterialRecord* record);
/// Writes the parameter's value; the result is the host's and the plug-ins never read
/// it.
using GetParamFloatFn = std::int32_t(MCP_CALL*)(Handle param, float* value);
/// Writes the parameter's four channels; the result is the host's and the plug-ins never read
/// it.
using GetParamColorFn = std::int32_t(MCP_CALL*)(Handle param, float* red, float* green, float* blue,
                                                float* fourth);
/// Writes the parameter's texture handle into *texture; 0 means none. The
/// result is the host's; HostApi::GetParamTexture answers the handle.
using GetParamTextureFn = std::int32_t(MCP_CALL*)(Handle param, Handle* texture);
/// The texture's name, in the two-call text protocol of GetObjectAttributeFn.
using GetTextureNameFn = std::int32_t(MCP_CALL*)(Handle texture, char* buffer, std::int32_t size);
/// Writes the texture as an image file at the path; the result is the
/// host's and the plug-ins never read it.
using SaveTextureFn = std::int32_t(MCP_CALL*)(Handle texture, const char* path,
                                              std::int32_t format);

/// Slot numbers of the callbacks the plug-ins use.
enum Slot : int {
  kSubmitInfo = 0,
  kGetRootObjectCount = 1,
  kGetRootObject = 2,
  kGetObjectAttribute = 12,
  kGetVertexCount = 36,
  kGetVertex = 37,
  kGetTexCoord = 38,
  kGetFaceCount = 39,
  kGetFace = 41,
  kGetMaterialCount = 42,
  kGetMaterial = 43,
  kFindMaterialParam = 45,
  kGetMaterialByRef = 46,
  kGetParamFloat = 48,
  kGetParamColor = 49,
  kGetParamTexture = 50,
  kGetTextureName = 51,
  kSaveTexture = 52,
};

// --- The exports, in ordinal order (1 to 6). A host resolves them by name.

/// Stores the value as table entry `index` when the index is 0 to 135;
/// answers the index in every case.
using InitializePluginProcFn = std::int32_t(MCP_CALL*)(std::int32_t index, std::uintptr_t value);
/// 1 when the host version is one the plug-in works with (0x50600 or
/// later), else 0.
using PluginEntryFn = std::int32_t(MCP_CALL*)(std::uint32_t, std::uint32_t,
                                              std::uint32_t host_version);
/// For plug-in index 0, submits the PluginInfoRecord and answers 1; answers
/// 0 for any other index.
using GetPluginInfoFn = std::uint8_t(MCP_CALL*)(Context context0, Context context1,
                                                std::int32_t plugin_index);
/// The exporter answers its first argument, the tool its own identifier.
using ReleasePluginFn = std::uintptr_t(MCP_CALL*)(std::uint32_t id_low, std::uint32_t id_high);
/// 1 when the identifier is the exporter's and its records were submitted,
/// else 0.
using GetExporterInfoFn = std::uint8_t(MCP_CALL*)(Context context0, Context context1,
                                                  std::uint32_t id_low, std::uint32_t id_high);
/// 1 when a model was exported, else 0.
using ExecuteExportFn = std::uint8_t(MCP_CALL*)(Context context0, Context context1,
                                                std::uint32_t id_low, std::uint32_t id_high,
                                                Handle scene, const ExportParams* params);
/// 1 when the identifier is the tool's and its record was submitted, else 0.
using GetToolInfoFn = std::uint8_t(MCP_CALL*)(Context context0, Context context1,
                                              std::uint32_t id_low, std::uint32_t id_high);
/// 1 when the script was found and ran to its end, 0 in every other case.
using ToolSwitchFn = std::int32_t(MCP_CALL*)(Context context0, Context context1,
                                             std::uint32_t id_low, std::uint32_t id_high,
                                             std::uint8_t switch_state, Handle scene,
                                             ToolStateRecord* state);

/// Export names, in ordinal order.
inline constexpr const char* kExportInitializePluginProc = "MCP_InitializePluginProc";
inline constexpr const char* kExportPluginEntry = "MCP_PluginEntry";
inline constexpr const char* kExportGetPluginInfo = "MCP_GetPluginInfo";
inline constexpr const char* kExportReleasePlugin = "MCP_ReleasePlugin";
inline constexpr const char* kExportGetExporterInfo = "MCP_GetExporterInfo";
inline constexpr const char* kExportExecuteExport = "MCP_ExecuteExport";
inline constexpr const char* kExportGetToolInfo = "MCP_GetToolInfo";
inline constexpr const char* kExportToolSwitch = "MCP_ToolSwitch";

// --- Layout checks.
#define MCP_CHECK_LAYOUT(type, field, off32, off64)                                \
  static_assert(offsetof(type, field) == (sizeof(void*) == 4 ? (off32) : (off64)), \
                #type "::" #field " offset")
#define MCP_CHECK_SIZE(type, size32, size64) \
  static_assert(sizeof(type) == (sizeof(void*) == 4 ? (size32) : (size64)), #type " size")

MCP_CHECK_LAYOUT(VertexRecord, flags, 4, 8);
MCP_CHECK_LAYOUT(VertexRecord, c0, 16, 32);
MCP_CHECK_LAYOUT(VertexRecord, c1, 20, 40);
MCP_CHECK_LAYOUT(VertexRecord, c2, 24, 48);
MCP_CHECK_SIZE(VertexRecord, 28, 56);
MCP_CHECK_LAYOUT(TexCoordRecord, u, 20, 40);
MCP_CHECK_LAYOUT(TexCoordRecord, v, 24, 48);
MCP_CHECK_SIZE(TexCoordRecord, 28, 56);
MCP_CHECK_LAYOUT(FaceRecord, flags, 4, 8);
MCP_CHECK_LAYOUT(FaceRecord, material, 16, 32);
MCP_CHECK_LAYOUT(FaceRecord, corner_count, 20, 40);
MCP_CHECK_LAYOUT(FaceRecord, vertex, 24, 48);
MCP_CHECK_LAYOUT(FaceRecord, texcoord, 40, 80);
MCP_CHECK_SIZE(FaceRecord, 56, 112);
MCP_CHECK_LAYOUT(MaterialRecord, name, 24, 48);
MCP_CHECK_SIZE(MaterialRecord, 40, 80);
MCP_CHECK_LAYOUT(ParamRecord, handle, 16, 32);
MCP_CHECK_LAYOUT(ParamRecord, type, 32, 64);
MCP_CHECK_SIZE(ParamRecord, 40, 80);

MCP_CHECK_LAYOUT(PluginInfoRecord, description, 4, 8);
MCP_CHECK_LAYOUT(PluginInfoRecord, kind, 8, 16);
MCP_CHECK_LAYOUT(PluginInfoRecord, id, 10, 18);
MCP_CHECK_LAYOUT(PluginInfoRecord, value, 18, 26);
MCP_CHECK_SIZE(PluginInfoRecord, 26, 34);
MCP_CHECK_LAYOUT(ExporterInfoRecord, extension, 4, 4);
MCP_CHECK_LAYOUT(ExporterInfoRecord, description, 8, 12);
MCP_CHECK_LAYOUT(ExporterInfoRecord, value12, 12, 20);
MCP_CHECK_LAYOUT(ExporterInfoRecord, value18, 18, 26);
MCP_CHECK_LAYOUT(ExporterInfoRecord, scale, 19, 27);
MCP_CHECK_LAYOUT(ExporterInfoRecord, value23, 23, 31);
MCP_CHECK_SIZE(ExporterInfoRecord, 24, 32);
MCP_CHECK_LAYOUT(ExporterOptionsRecord, options, 8, 8);
MCP_CHECK_SIZE(ExporterOptionsRecord, 25, 29);
MCP_CHECK_LAYOUT(ToolInfoRecord, height, 4, 4);
MCP_CHECK_LAYOUT(ToolInfoRecord, bitmap, 8, 8);
MCP_CHECK_LAYOUT(ToolInfoRecord, text, 12, 16);
MCP_CHECK_LAYOUT(ToolInfoRecord, value16, 16, 24);
MCP_CHECK_SIZE(ToolInfoRecord, 54, 62);
MCP_CHECK_LAYOUT(ExportParams, scale, 19, 23);
MCP_CHECK_SIZE(ExportParams, 24, 28);
MCP_CHECK_LAYOUT(ToolStateRecord, field, 18, 18);
MCP_CHECK_SIZE(ToolStateRecord, 22, 22);

#undef MCP_CHECK_LAYOUT
#undef MCP_CHECK_SIZE

}  // namespace mcp

#endif  // GANNET_HOSTPLUGIN_MCP_ABI_H_
