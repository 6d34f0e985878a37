#include <windows.h>

#include <vector>

#include "tools/psxview/own_path.h"

namespace psxview {

std::filesystem::path OwnPath(const std::filesystem::path& fallback) {
  std::vector<wchar_t> name(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) {
      return fallback;
    }
    if (length < name.size()) {
      return std::filesystem::path(std::wstring(name.data(), length));
    }
    name.resize(name.size() * 2);
  }
}

}  // namespace psxview
