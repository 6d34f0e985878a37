// Win32 only: ownership of one kernel handle.
#ifndef GANNET_PLATFORM_SCOPED_HANDLE_H_
#define GANNET_PLATFORM_SCOPED_HANDLE_H_

#include <windows.h>

namespace windows {

/// Closes its handle when destroyed. Null and INVALID_HANDLE_VALUE mean "no
/// handle" and are never closed, so a failed Create... call needs no check
/// before the handle is adopted.
class ScopedHandle {
 public:
  ScopedHandle() = default;
  explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ~ScopedHandle() { Close(); }

  HANDLE get() const { return handle_; }
  /// Where a Win32 call may store a new handle; closes the current one first.
  HANDLE* Receive() {
    Close();
    return &handle_;
  }
  /// Closes the handle now; later calls do nothing.
  void Close() {
    if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) {
      CloseHandle(handle_);
    }
    handle_ = nullptr;
  }

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace windows

#endif  // GANNET_PLATFORM_SCOPED_HANDLE_H_
