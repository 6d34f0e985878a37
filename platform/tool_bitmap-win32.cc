#include "platform/tool_bitmap.h"

#include <windows.h>

#include <cstdint>

namespace platform {
namespace {

// The module this code is linked into: the tool plug-in, not the host.
HMODULE OwnModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&OwnModule), &module);
  return module;
}

}  // namespace

std::uintptr_t LoadToolBitmap() {
  // Width and height 0 with no flags: the bitmap at its own size.
  return reinterpret_cast<std::uintptr_t>(
      LoadImageA(OwnModule(), "Skerry_tool", IMAGE_BITMAP, 0, 0, 0));
}

}  // namespace platform
