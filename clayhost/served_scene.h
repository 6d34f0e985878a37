// A scene served to code that reads the host only through mcp::HostApi, for
// tests and fuzz targets: the substitute host's own callbacks behind a filled
// callback table, with every SaveTexture call recorded and every misuse
// counted and described, so that a caller can insist on none.
//
// The callbacks find what they serve through one current state, so only one
// ServedScene (or plug-in session) may live at a time.
#ifndef GANNET_CLAYHOST_SERVED_SCENE_H_
#define GANNET_CLAYHOST_SERVED_SCENE_H_

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "clayhost/host_callbacks.h"
#include "clayhost/scene.h"
#include "hostplugin/host_api.h"

namespace clayhost {

/// Serves `scene` while it lives. SaveTexture writes the BMP files of
/// plain-colour textures as the program does, at the host paths of the
/// plug-in's paths; a texture backed by an image file is not written (the
/// core decodes no images), which diagnostics() reports.
class ServedScene {
 public:
  /// `scene` must outlive the serving; `on_save` (optional) hears each
  /// SaveTexture call before the file is written.
  explicit ServedScene(const Scene& scene, std::function<void(const SaveCall&)> on_save = {});
  ~ServedScene();
  ServedScene(const ServedScene&) = delete;
  ServedScene& operator=(const ServedScene&) = delete;

  const mcp::HostApi& api() const { return api_; }
  /// The handle of the served scene.
  static mcp::Handle handle() { return SceneHandle(); }
  /// The handle of root object `index`, as GetRootObject answers it.
  mcp::Handle object(std::int32_t index) const { return api_.GetRootObject(handle(), index); }
  /// Every SaveTexture call so far, in order.
  const std::vector<SaveCall>& saves() const { return saves_; }
  /// How many misuses the code under test made.
  int misuse_count() const { return state_.misuse_count; }
  /// One line for each misuse and for each texture that could not be
  /// written; empty when the code used the host correctly.
  std::string diagnostics() const { return diagnostics_.str(); }

 private:
  HostState state_;
  std::ostringstream diagnostics_;
  std::vector<SaveCall> saves_;
  std::unique_ptr<ServeHostState> serving_;
  mcp::CallbackTable table_;
  mcp::HostApi api_;
};

}  // namespace clayhost

#endif  // GANNET_CLAYHOST_SERVED_SCENE_H_
