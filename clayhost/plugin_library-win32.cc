// Windows has no weak references: the plug-in calls USER32's MessageBoxA
// through its import address table, so the host points that one entry at its
// own answering function right after loading. The plug-in stays the shipped
// build, unchanged on disk.
#include "clayhost/plugin_library.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "platform/host_hook.h"

namespace clayhost {
namespace {

// Button codes of platform/host_hook.h; box styles the plug-ins never use
// get a code the host reports as unknown.
int HookButtonsFor(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OK:
      return 0;
    case MB_YESNO:
      return 1;
    case MB_YESNOCANCEL:
      return 2;
    default:
      return 100 + static_cast<int>(type & MB_TYPEMASK);
  }
}

// Takes the place of MessageBoxA inside a loaded plug-in. The answer codes
// of the hook are Win32's IDOK, IDCANCEL, IDYES and IDNO already.
int WINAPI HostMessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
  return ClayHostMessageBox(caption, text, HookButtonsFor(type));
}

template <typename T>
T* At(HMODULE module, DWORD rva) {
  return reinterpret_cast<T*>(reinterpret_cast<BYTE*>(module) + rva);
}

bool ReplaceEntry(ULONG_PTR* entry, ULONG_PTR function) {
  DWORD protection = 0;
  if (!VirtualProtect(entry, sizeof(*entry), PAGE_READWRITE, &protection)) {
    return false;
  }
  *entry = function;
  VirtualProtect(entry, sizeof(*entry), protection, &protection);
  return true;
}

// Walks the import descriptors of `module` and redirects every by-name import
// of USER32!MessageBoxA. True when nothing needed patching or every patch
// took.
bool PatchMessageBoxImport(HMODULE module) {
  const auto* dos = At<IMAGE_DOS_HEADER>(module, 0);
  const auto* nt = At<IMAGE_NT_HEADERS>(module, static_cast<DWORD>(dos->e_lfanew));
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) {
    return true;
  }
  for (auto* library = At<IMAGE_IMPORT_DESCRIPTOR>(module, imports.VirtualAddress);
       library->Name != 0; ++library) {
    // Without the name table the entries cannot be told apart.
    if (_stricmp(At<const char>(module, library->Name), "USER32.dll") != 0 ||
        library->OriginalFirstThunk == 0) {
      continue;
    }
    auto* name = At<IMAGE_THUNK_DATA>(module, library->OriginalFirstThunk);
    auto* address = At<IMAGE_THUNK_DATA>(module, library->FirstThunk);
    for (; name->u1.AddressOfData != 0; ++name, ++address) {
      if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) {
        continue;
      }
      const auto* import =
          At<IMAGE_IMPORT_BY_NAME>(module, static_cast<DWORD>(name->u1.AddressOfData));
      if (std::strcmp(reinterpret_cast<const char*>(import->Name), "MessageBoxA") == 0 &&
          !ReplaceEntry(&address->u1.Function, reinterpret_cast<ULONG_PTR>(&HostMessageBoxA))) {
        return false;
      }
    }
  }
  return true;
}

std::string SystemMessage(DWORD code) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length > 0 ? std::string(text, length) : std::string();
  LocalFree(text);
  while (!message.empty() && static_cast<unsigned char>(message.back()) <= ' ') {
    message.pop_back();
  }
  if (message.empty()) {
    message = "error " + std::to_string(code);
  }
  return message;
}

}  // namespace

std::optional<PluginLibrary> PluginLibrary::Open(const std::string& path, std::string* error) {
  // A bare name would be searched for in the system folders; the user means
  // the file.
  char full_path[MAX_PATH] = {};
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof(full_path), full_path, nullptr);
  if (length == 0 || length >= sizeof(full_path)) {
    *error = "cannot resolve the path " + path;
    return std::nullopt;
  }
  HMODULE module = LoadLibraryExA(full_path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (module == nullptr) {
    *error = SystemMessage(GetLastError());
    return std::nullopt;
  }
  PluginLibrary library(module);
  if (!PatchMessageBoxImport(module)) {
    *error = "cannot redirect the plug-in's message boxes: " + SystemMessage(GetLastError());
    return std::nullopt;
  }
  return library;
}

PluginLibrary::~PluginLibrary() {
  if (handle_ != nullptr) {
    FreeLibrary(static_cast<HMODULE>(handle_));
  }
}

std::uintptr_t PluginLibrary::Find(const char* name) const {
  return reinterpret_cast<std::uintptr_t>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

}  // namespace clayhost
