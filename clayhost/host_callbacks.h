// The host callbacks that the substitute host hands to a plug-in: the
// scene-reading calls of the callback table, SubmitInfo, and for every slot
// the host does not serve a function that reports the call.
//
// The callbacks are plain functions, so they find what they serve through the
// one HostState made current by a ServeHostState guard. They never trust the
// plug-in: a bad handle, an index out of range, a null pointer or a buffer
// too small is reported on the state's diagnostics stream and answered
// emptily (0, and record pointers aimed at zeros), never by a crash.
#ifndef GANNET_CLAYHOST_HOST_CALLBACKS_H_
#define GANNET_CLAYHOST_HOST_CALLBACKS_H_

#include <array>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

#include "clayhost/scene.h"
#include "clayhost/texture_bmp.h"
#include "hostplugin/mcp_abi.h"

namespace clayhost {

/// The arguments of one SubmitInfo call, before the record is copied.
struct SubmitCall {
  std::uint32_t id_low = 0;
  std::uint32_t id_high = 0;
  mcp::Context context0 = 0;
  mcp::Context context1 = 0;
  std::int32_t kind = 0;
  const void* record = nullptr;
  std::int32_t size = 0;
};

/// One SaveTexture call on a texture of the scene, as the plug-in made it.
struct SaveCall {
  int texture = 0;  // index into Scene::textures
  std::string path;
  std::int32_t format = 0;
};

/// What the callbacks serve.
struct HostState {
  /// Receives every SubmitInfo call; it must copy what it keeps.
  std::function<void(const SubmitCall&)> submit;
  /// Hears every SaveTexture call on a texture of the scene, before the
  /// file is written.
  std::function<void(const SaveCall&)> saving;
  /// Decodes the image files of textures that have one; without it such
  /// textures cannot be saved.
  ImageFileReader read_image;
  /// Where misuse by the plug-in is reported, one line each.
  std::ostream* diagnostics = nullptr;
  /// How many misuse reports were made.
  int misuse_count = 0;
  /// How many SaveTexture calls the host could not carry out: the file
  /// would have replaced one the scene was read from, or could not be
  /// written. Each is reported on the diagnostics stream.
  int failed_saves = 0;
  /// The scene of the working call, or null outside it. Set with Serve.
  const Scene* scene() const { return scene_; }
  /// Serves `scene` (null: none) until changed; it must outlive the serving.
  void Serve(const Scene* scene);
  /// Which material and parameter each parameter handle stands for.
  const std::vector<std::pair<std::uint32_t, std::uint32_t>>& params() const { return params_; }
  /// The handle index of each material's first parameter.
  const std::vector<std::uint32_t>& first_params() const { return first_params_; }

 private:
  const Scene* scene_ = nullptr;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> params_;
  std::vector<std::uint32_t> first_params_;
};

/// Makes a state current for the callbacks while the guard lives. Guards do
/// not nest.
class ServeHostState {
 public:
  explicit ServeHostState(HostState& state);
  ~ServeHostState();
  ServeHostState(const ServeHostState&) = delete;
  ServeHostState& operator=(const ServeHostState&) = delete;
};

/// The 136 values to hand over through MCP_InitializePluginProc: the served
/// callbacks at their slots, a reporting function in every other slot.
std::array<std::uintptr_t, mcp::kCallbackSlotCount> CallbackSlotValues();

/// The handle under which the served scene is known to the plug-in.
mcp::Handle SceneHandle();

}  // namespace clayhost

#endif  // GANNET_CLAYHOST_HOST_CALLBACKS_H_
