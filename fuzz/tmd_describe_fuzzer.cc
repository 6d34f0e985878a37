// The TMD decoder and checker behind tmdinfo over arbitrary bytes.
//
// Besides the sanitizers' watch on every read, each run must keep what the
// checker promises: it stops at a fault with a message; a file it finds
// sound is still sound, with the same text, when bytes follow it (nothing
// is read beyond the blocks the object table names).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <vector>

#include "tools/rsd2tmd/tmd_file.h"

namespace {

void Require(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "TMD checker broke its promise: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> file(data, size);
  const rsd2tmd::TmdDescription description = rsd2tmd::DescribeTmdFile(file);
  Require(description.text.find('\0') == std::string::npos, "a zero byte in the text");
  if (!description.fault.empty()) {
    return 0;
  }
  Require(!description.text.empty() && description.text.back() == '\n', "text without its end");
  std::vector<std::uint8_t> longer(data, data + size);
  longer.insert(longer.end(), {0xFF, 0xFF, 0xFF, 0xFF});
  const rsd2tmd::TmdDescription extended = rsd2tmd::DescribeTmdFile(longer);
  Require(extended.fault.empty(), "trailing bytes made a sound file faulty");
  Require(extended.text == description.text, "trailing bytes changed the text");
  return 0;
}
