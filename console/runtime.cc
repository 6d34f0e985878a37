// The few library functions the compiler may call on its own, for block
// copies and clears, since the program links no C library.
#include <stddef.h>
#include <stdint.h>

extern "C" {

void* memcpy(void* to, const void* from, size_t size) {
  auto* out = static_cast<uint8_t*>(to);
  const auto* in = static_cast<const uint8_t*>(from);
  while (size-- > 0) {
    *out++ = *in++;
  }
  return to;
}

void* memmove(void* to, const void* from, size_t size) {
  auto* out = static_cast<uint8_t*>(to);
  const auto* in = static_cast<const uint8_t*>(from);
  if (out < in) {
    return memcpy(to, from, size);
  }
  while (size-- > 0) {
    out[size] = in[size];
  }
  return to;
}

void* memset(void* to, int value, size_t size) {
  auto* out = static_cast<uint8_t*>(to);
  while (size-- > 0) {
    *out++ = static_cast<uint8_t>(value);
  }
  return to;
}

}  // extern "C"
