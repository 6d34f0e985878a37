#include "tools/psxview/ps_exe.h"

#include <algorithm>
#include <cstring>

#include "packer/svector.h"

namespace psxview {
namespace {

constexpr char kMagic[] = "PS-X EXE";
constexpr std::size_t kPcAt = 0x10;
constexpr std::size_t kLoadAddressAt = 0x18;
constexpr std::size_t kLoadSizeAt = 0x1C;
constexpr std::size_t kStackAt = 0x30;

}  // namespace

std::vector<std::uint8_t> PsExe(const std::vector<std::uint8_t>& image, std::uint32_t load_address,
                                std::uint32_t stack_top) {
  const std::size_t loaded = (image.size() + kSectorSize - 1) / kSectorSize * kSectorSize;
  std::vector<std::uint8_t> file(kSectorSize + loaded, 0);
  std::memcpy(file.data(), kMagic, sizeof kMagic - 1);
  morphon::StoreU32(file.data() + kPcAt, load_address);
  morphon::StoreU32(file.data() + kLoadAddressAt, load_address);
  morphon::StoreU32(file.data() + kLoadSizeAt, static_cast<std::uint32_t>(loaded));
  morphon::StoreU32(file.data() + kStackAt, stack_top);
  std::copy(image.begin(), image.end(), file.begin() + kSectorSize);
  return file;
}

}  // namespace psxview
