#include "platform/windows_path.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdlib>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {
namespace {

char ToUpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ToUpperAscii(a[i]) != ToUpperAscii(b[i])) {
      return false;
    }
  }
  return true;
}

bool HasDriveLetter(const std::string& path) {
  if (path.size() < 2 || path[1] != ':') {
    return false;
  }
  const char letter = ToUpperAscii(path[0]);
  return letter >= 'A' && letter <= 'Z';
}

std::optional<std::string> DriveRoot(char letter) {
  const std::string variable = std::string("GANNET_DRIVE_") + letter;
  if (const char* value = std::getenv(variable.c_str()); value != nullptr && *value != '\0') {
    return std::string(value);
  }
  if (letter == 'C') {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
      return std::nullopt;
    }
    return std::string(home) + "/.marbleclay/c";
  }
  if (letter == 'Z') {
    return std::string("/");
  }
  return std::nullopt;
}

// Windows resolves "." and ".." in the text of a path, before any lookup: a
// ".." leaves a folder even if that folder does not exist, and never climbs
// above the drive's root. Only a relative path keeps its leading "..".
void AddComponent(std::vector<std::string>& components, std::string component, bool rooted) {
  if (component.empty() || component == ".") {
    return;
  }
  if (component == "..") {
    if (!components.empty() && components.back() != "..") {
      components.pop_back();
      return;
    }
    if (rooted) {
      return;
    }
  }
  components.push_back(std::move(component));
}

std::vector<std::string> SplitComponents(std::string_view path, bool rooted) {
  std::vector<std::string> components;
  std::string current;
  for (char c : path) {
    if (c == '\\' || c == '/') {
      AddComponent(components, std::move(current), rooted);
      current.clear();
    } else {
      current += c;
    }
  }
  AddComponent(components, std::move(current), rooted);
  return components;
}

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};

bool Exists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

// The entry of `folder` that matches `name` without regard to ASCII case; an
// exact match wins. `name` itself when nothing matches.
std::string FindEntry(const std::string& folder, const std::string& name) {
  if (name == ".." || Exists(folder + "/" + name)) {
    return name;
  }
  std::unique_ptr<DIR, DirCloser> dir(opendir(folder.empty() ? "/" : folder.c_str()));
  if (!dir) {
    return name;
  }
  while (const dirent* entry = readdir(dir.get())) {
    if (EqualsIgnoringAsciiCase(entry->d_name, name)) {
      return entry->d_name;
    }
  }
  return name;
}

std::string JoinLookingUp(std::string base, const std::vector<std::string>& components) {
  for (const std::string& component : components) {
    const std::string folder = base.empty() ? "." : base;
    const std::string entry = FindEntry(folder == "/" ? "" : folder, component);
    if (base.empty()) {
      base = entry;
    } else if (base.back() == '/') {
      base += entry;
    } else {
      base += "/" + entry;
    }
  }
  return base;
}

}  // namespace

std::optional<std::string> ToPosixPath(const std::string& windows_path) {
  if (!HasDriveLetter(windows_path)) {
    const bool absolute =
        !windows_path.empty() && (windows_path[0] == '\\' || windows_path[0] == '/');
    std::string joined =
        JoinLookingUp(absolute ? "/" : "", SplitComponents(windows_path, absolute));
    return joined.empty() ? std::string(".") : joined;
  }
  std::optional<std::string> root = DriveRoot(ToUpperAscii(windows_path[0]));
  if (!root) {
    return std::nullopt;
  }
  return JoinLookingUp(*root, SplitComponents(std::string_view(windows_path).substr(2), true));
}

std::string ToWindowsPath(const std::string& posix_path) {
  std::string result = posix_path.starts_with('/') ? "Z:" : "";
  for (char c : posix_path) {
    result += (c == '/') ? '\\' : c;
  }
  return result;
}

}  // namespace platform
