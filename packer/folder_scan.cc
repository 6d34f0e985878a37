#include "packer/folder_scan.h"

#include <algorithm>

#include "packer/error_exit.h"
#include "packer/os_files.h"
#include "packer/run_settings.h"

namespace morphon {
namespace {

unsigned char FoldedToUpper(char c) {
  const unsigned char byte = static_cast<unsigned char>(c);
  return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

}  // namespace

bool IsTmdName(const std::string& name) {
  return name.find(".tmd") != std::string::npos || name.find(".TMD") != std::string::npos;
}

bool ComesBefore(const std::string& a, const std::string& b) {
  const auto folded_less = [](char x, char y) { return FoldedToUpper(x) < FoldedToUpper(y); };
  if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), folded_less)) {
    return true;
  }
  if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), folded_less)) {
    return false;
  }
  const auto byte_less = [](char x, char y) {
    return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  };
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), byte_less);
}

void ScanFolder(const char* path) {
  std::optional<std::vector<std::string>> entries = ListFolder(path);
  if (!entries) {
    exit_with_error("failed to open local directory", path);
  }
  std::sort(entries->begin(), entries->end(), ComesBefore);
  for (const std::string& name : *entries) {
    debug_print("%d %s\n", AsInt(g_tmd_count), name.c_str());
    if (IsTmdName(name)) {
      debug_print("<%s>\n", name.c_str());
      g_tmd_names.push_back(name);
      g_tmd_count = static_cast<std::uint32_t>(g_tmd_names.size());
    }
  }
}

}  // namespace morphon
