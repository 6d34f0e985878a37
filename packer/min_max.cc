#include "packer/min_max.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "packer/error_exit.h"
#include "packer/file_handle.h"
#include "packer/run_settings.h"

namespace morphon {
namespace {

constexpr std::size_t kNameSize = 255;

void Widen(std::int16_t value, std::int16_t& low, std::int16_t& high) {
  low = std::min(low, value);
  high = std::max(high, value);
}

void WriteBinaryBox(const MinMaxBox& box, std::uint32_t frame) {
  char name[kNameSize];
  std::snprintf(name, sizeof name, "f%d.mm", AsInt(frame));
  std::remove(name);
  debug_print("writing binary min max file %s \n", name);
  FileHandle file = OpenUnbuffered(name, "wb");
  if (!file) {
    exit_with_error(" failed to open min max file ", name);
  }
  const std::array<std::uint8_t, kMinMaxBoxSize> bytes = EncodeMinMaxBox(box);
  std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file.get());
  if (!CloseChecked(file) && written == bytes.size()) {
    written = 0;
  }
  if (written != bytes.size()) {
    debug_print("\n Error failed to write write_min_max for frame %d  %s, wrote %d from %d size\n",
                AsInt(frame), name, static_cast<int>(written), static_cast<int>(bytes.size()));
    debug_print("\n");
    exit_with_error(" min max ", name);
  }
}

void WriteTextBox(const MinMaxBox& box, std::uint32_t frame) {
  char name[kNameSize];
  std::snprintf(name, sizeof name, "frame%d_minmax.txt", AsInt(frame));
  std::remove(name);
  debug_print("writing text min max file %s \n", name);
  FileHandle file = OpenUnbuffered(name, "w");
  if (!file) {
    exit_with_error(" failed to open min max file ", name);
  }
  bool complete = true;
  const auto write_piece = [&](const char* format, int value) {
    char piece[kNameSize];
    std::snprintf(piece, sizeof piece, format, value);
    debug_print("%s", piece);
    const std::size_t length = std::strlen(piece);
    complete = std::fwrite(piece, 1, length, file.get()) == length && complete;
  };
  write_piece("\n min_max data for frame %d  \n\n ", AsInt(frame));
  write_piece("\n min.vx = %d  ", box.min.vx);
  write_piece("\n min.vy = %d  ", box.min.vy);
  write_piece("\n min.vz = %d\n  ", box.min.vz);
  write_piece("\n max.vx = %d  ", box.max.vx);
  write_piece("\n max.vy = %d  ", box.max.vy);
  write_piece("\n max.vz = %d\n  ", box.max.vz);
  // A box text cut short by a full disk would pass for a real one.
  if (!CloseChecked(file) || !complete) {
    exit_with_error(" min max ", name);
  }
}

}  // namespace

MinMaxBox ComputeMinMaxBox(const std::uint8_t* vertices, std::uint32_t count) {
  MinMaxBox box;
  for (std::size_t j = 0; j < count; ++j) {
    const SVector v = LoadSVector(vertices + j * kSvectorSize);
    Widen(v.vx, box.min.vx, box.max.vx);
    Widen(v.vy, box.min.vy, box.max.vy);
    Widen(v.vz, box.min.vz, box.max.vz);
  }
  return box;
}

std::array<std::uint8_t, kMinMaxBoxSize> EncodeMinMaxBox(const MinMaxBox& box) {
  std::array<std::uint8_t, kMinMaxBoxSize> bytes{};
  StoreSVector(bytes.data(), SVector{box.min.vx, box.min.vy, box.min.vz, 0});
  StoreSVector(bytes.data() + kSvectorSize, SVector{box.max.vx, box.max.vy, box.max.vz, 0});
  return bytes;
}

void write_min_max(const std::uint8_t* vertices, std::uint32_t count, std::uint32_t frame) {
  const MinMaxBox box = ComputeMinMaxBox(vertices, count);
  debug_print(
      "minmax binary files are DOS 8.3 format because ramlore, the RAM/.h/siocons "
      "manager/generator!\n");
  debug_print(
      "load the f1.mm into RAM and you have a hit collision box or visual debugging box!\n");
  WriteBinaryBox(box, frame);
  WriteTextBox(box, frame);
}

}  // namespace morphon
