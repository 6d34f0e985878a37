// psxview's data block over any TMD, TIM and pack bytes. The input is split
// into parts, each a little-endian 16-bit length and that many bytes: the
// TMD, then the pack (length 0: none), then up to three TIM files.
//
// The block is either built, every part it points to lying inside it at a
// word boundary and the whole a multiple of 16 bytes, or the builder throws
// a Refusal that names one of the files; anything else aborts.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "console/view_data.h"
#include "packer/svector.h"
#include "tools/psxview/view_block.h"

namespace {

void Require(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "view block broke its contract: %s\n", what);
    std::abort();
  }
}

// The next part of the input, or nothing when it has ended.
bool NextPart(const std::uint8_t*& data, std::size_t& size, std::vector<std::uint8_t>& part) {
  if (size < 2) {
    return false;
  }
  const std::size_t length = std::min<std::size_t>(data[0] | data[1] << 8, size - 2);
  part.assign(data + 2, data + 2 + length);
  data += 2 + length;
  size -= 2 + length;
  return true;
}

void CheckPart(const std::vector<std::uint8_t>& block, std::uint32_t at_field,
               std::uint32_t size_field) {
  const std::uint32_t at = morphon::LoadU32(block.data() + at_field);
  const std::uint32_t size = morphon::LoadU32(block.data() + size_field);
  Require(at % 4 == 0, "a part off a word boundary");
  Require(std::uint64_t{at} + size <= block.size(), "a part past the block");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  psxview::ViewRequest request;
  request.tmd.name = "m.tmd";
  std::vector<std::uint8_t> part;
  NextPart(data, size, request.tmd.bytes);
  if (NextPart(data, size, part) && !part.empty()) {
    request.pack = psxview::InputFile{"p.pck", part};
    request.frame = part.size() % 3 == 0 ? std::optional<int>(1) : std::nullopt;
  }
  while (request.tims.size() < 3 && NextPart(data, size, part)) {
    request.tims.push_back({"t" + std::to_string(request.tims.size()) + ".tim", part});
  }
  try {
    const std::vector<std::uint8_t> block = psxview::BuildViewBlock(request, 16 * 1024);
    using namespace viewdata;
    Require(block.size() % 16 == 0 && block.size() >= kHeaderSize, "a block of odd size");
    Require(morphon::LoadU32(block.data() + kBlockSizeAt) == block.size(), "a wrong block size");
    CheckPart(block, kTmdAt, kTmdSizeAt);
    if (request.pack) {
      CheckPart(block, kPackAt, kPackSizeAt);
    }
    const std::uint32_t table = morphon::LoadU32(block.data() + kTimTableAt);
    for (std::uint32_t i = 0; i < request.tims.size(); ++i) {
      CheckPart(block, table + 8 * i, table + 8 * i + 4);
    }
    Require(static_cast<std::int32_t>(morphon::LoadU32(block.data() + kSphereAt + 12)) >= 1,
            "a sphere without a radius");
  } catch (const psxview::Refusal& refusal) {
    const std::string_view message = refusal.what();
    Require(message.starts_with("m.tmd: ") || message.starts_with("p.pck: ") ||
                (message.starts_with("t") && message.substr(2, 6) == ".tim: "),
            "a refusal that names no file");
  }
  return 0;
}
