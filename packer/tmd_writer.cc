#include "packer/tmd_writer.h"

#include <cstdio>

#include "formats/tmd_layout.h"
#include "packer/file_handle.h"

namespace morphon {
namespace {

constexpr std::uint32_t kObjectTableSize = tmdlayout::kObjectSize;

void AppendU32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  bytes.resize(bytes.size() + 4);
  StoreU32(bytes.data() + bytes.size() - 4, value);
}

void AppendSVectors(std::vector<std::uint8_t>& bytes, const std::vector<SVector>& entries) {
  for (const SVector& v : entries) {
    bytes.resize(bytes.size() + kSvectorSize);
    StoreSVector(bytes.data() + bytes.size() - kSvectorSize, v);
  }
}

}  // namespace

std::vector<std::uint8_t> EncodeTmd(const SyntheticTmd& tmd) {
  const auto primitive_top = kObjectTableSize;
  const auto vert_top = primitive_top + static_cast<std::uint32_t>(tmd.primitives.size());
  const auto normal_top = vert_top + static_cast<std::uint32_t>(tmd.vertices.size() * kSvectorSize);
  std::vector<std::uint8_t> bytes;
  AppendU32(bytes, tmd.id);
  AppendU32(bytes, tmd.flag);
  AppendU32(bytes, 1);
  AppendU32(bytes, vert_top);
  AppendU32(bytes, static_cast<std::uint32_t>(tmd.vertices.size()));
  AppendU32(bytes, normal_top);
  AppendU32(bytes, static_cast<std::uint32_t>(tmd.normals.size()));
  AppendU32(bytes, primitive_top);
  AppendU32(bytes, tmd.n_primitive);
  AppendU32(bytes, static_cast<std::uint32_t>(tmd.scale));
  bytes.insert(bytes.end(), tmd.primitives.begin(), tmd.primitives.end());
  AppendSVectors(bytes, tmd.vertices);
  AppendSVectors(bytes, tmd.normals);
  bytes.insert(bytes.end(), tmd.trailing.begin(), tmd.trailing.end());
  return bytes;
}

bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  FileHandle file(std::fopen(path.c_str(), "wb"));
  if (!file) {
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  return CloseChecked(file) && written;
}

}  // namespace morphon
