// Win32 tests only: a library that shows message boxes the way the plug-ins
// do, through its own import of USER32!MessageBoxA.
#include <windows.h>

extern "C" __declspec(dllexport) int CallMessageBox(const char* caption, const char* text,
                                                    unsigned type) {
  return MessageBoxA(nullptr, text, caption, type);
}
