// The packer's run settings and counters, which live for the whole run, and
// the debug channel that `-V` switches on.
#ifndef PACKER_RUN_SETTINGS_H_
#define PACKER_RUN_SETTINGS_H_

#include <cstdint>
#include <string>
#include <vector>

#if defined(__GNUC__)
#define MORPHON_PRINTF_LIKE __attribute__((format(printf, 1, 2)))
#else
#define MORPHON_PRINTF_LIKE
#endif

namespace morphon {

extern std::uint32_t g_tweens;           ///< tween frames per segment; 0 = store source frames
extern std::int32_t g_normals;           ///< 1 = store the normal block after the vertices
extern std::int32_t g_include_loopback;  ///< 1 = add the segment from the last frame to the first
extern std::int32_t g_min_max;           ///< 1 = write a box per source frame
extern std::int32_t g_verbose;           ///< 1 = the debug channel prints
extern std::vector<std::string> g_tmd_names;  ///< TMD names in frame order
extern std::uint32_t g_tmd_count;             ///< number of entries in g_tmd_names
extern std::int32_t g_frames_stored;          ///< frames written to MORPHON.PCK so far
extern std::uint32_t g_total_frames_calc;     ///< frames the header announces when tweening

/// The debug channel: prints like printf when `-V` was given, else nothing.
/// Returns what printf returns, or 0 when silent.
extern int (*debug_print)(const char* format, ...) MORPHON_PRINTF_LIKE;

/// Points `debug_print` at standard output when `g_verbose` is set, and at
/// the silent printer otherwise.
void SwitchDebugChannel();

/// The 32-bit number `value` as printf's "%d" shows it: the debug lines print
/// the unsigned file fields as signed numbers.
inline int AsInt(std::uint32_t value) {
  return static_cast<int>(value);
}

}  // namespace morphon

#endif  // PACKER_RUN_SETTINGS_H_
