// rsdview's reader of MORPHON.PCK files, over any bytes.
//
// A pack either parses into frames that all have the same vertex and normal
// counts, which together with the header account for every byte, or the
// reader throws ReadError naming the file; anything else aborts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>

#include "tools/rsdformat/read_error.h"
#include "tools/rsdformat/pck_file.h"

namespace {

void Require(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "pack reader broke its contract: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const rsdformat::PackFile pack = rsdformat::ParsePack(std::span(data, size), "f.pck");
    Require(size >= 32, "a pack shorter than its header");
    for (const rsdformat::PackFrame& frame : pack.frames) {
      Require(frame.vertices.size() == pack.frames.front().vertices.size(),
              "frames with different vertex counts");
      Require(frame.normals.size() == pack.frames.front().normals.size(),
              "frames with different normal counts");
      Require((frame.vertices.size() + frame.normals.size()) * 8 <= size,
              "a frame larger than the file");
    }
  } catch (const rsdformat::ReadError& error) {
    Require(std::string_view(error.what()).substr(0, 6) == "f.pck:", "an error that names no file");
  }
  return 0;
}
