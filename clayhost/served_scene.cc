#include "clayhost/served_scene.h"

#include <utility>

namespace clayhost {

ServedScene::ServedScene(const Scene& scene, std::function<void(const SaveCall&)> on_save)
    : api_(table_) {
  state_.diagnostics = &diagnostics_;
  state_.submit = [](const SubmitCall&) {};
  state_.saving = [this, on_save = std::move(on_save)](const SaveCall& call) {
    saves_.push_back(call);
    if (on_save) {
      on_save(call);
    }
  };
  state_.Serve(&scene);
  serving_ = std::make_unique<ServeHostState>(state_);
  const auto slots = CallbackSlotValues();
  for (int slot = 0; slot < mcp::kCallbackSlotCount; ++slot) {
    table_.Store(slot, slots[static_cast<std::size_t>(slot)]);
  }
}

ServedScene::~ServedScene() = default;

}  // namespace clayhost
