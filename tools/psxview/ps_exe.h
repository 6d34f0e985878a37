// The console's executable file, PS-EXE: a 2048-byte header, then what is
// loaded, a whole number of 2048-byte sectors. Header fields
// (little-endian): "PS-X EXE" at 0, initial pc at 0x10, gp at 0x14, load
// address at 0x18, loaded size at 0x1C, bss start and size at 0x28 and 0x2C
// (0: the program clears its own), stack top at 0x30.
#ifndef GANNET_TOOLS_PSXVIEW_PS_EXE_H_
#define GANNET_TOOLS_PSXVIEW_PS_EXE_H_

#include <cstdint>
#include <vector>

namespace psxview {

inline constexpr std::size_t kSectorSize = 2048;

/// The file that loads `image` at `load_address`, starts it there with the
/// stack at `stack_top`. The image is padded with zeros to whole sectors.
std::vector<std::uint8_t> PsExe(const std::vector<std::uint8_t>& image, std::uint32_t load_address,
                                std::uint32_t stack_top);

}  // namespace psxview

#endif  // GANNET_TOOLS_PSXVIEW_PS_EXE_H_
