#include "packer/run_settings.h"

#include <cstdarg>
#include <cstdio>

namespace morphon {

std::uint32_t g_tweens = 0;
std::int32_t g_normals = 1;
std::int32_t g_include_loopback = 0;
std::int32_t g_min_max = 0;
std::int32_t g_verbose = 0;
std::vector<std::string> g_tmd_names;
std::uint32_t g_tmd_count = 0;
std::int32_t g_frames_stored = 0;
std::uint32_t g_total_frames_calc = 0;

namespace {

int PrintNothing(const char*, ...) {
  return 0;
}

int PrintToStandardOutput(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int printed = std::vprintf(format, arguments);
  va_end(arguments);
  return printed;
}

}  // namespace

int (*debug_print)(const char* format, ...) = PrintNothing;

void SwitchDebugChannel() {
  debug_print = g_verbose ? PrintToStandardOutput : PrintNothing;
}

}  // namespace morphon
