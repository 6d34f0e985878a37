#include "tools/rsdview/video_memory.h"

namespace rsdview {

using rsdformat::kVramColumns;
using rsdformat::kVramRows;

VideoMemory::VideoMemory() : words_(static_cast<std::size_t>(kVramColumns) * kVramRows, 0) {}

void VideoMemory::Put(int column, int row, std::uint16_t word) {
  if (column >= 0 && row >= 0 && column < kVramColumns && row < kVramRows) {
    words_[static_cast<std::size_t>(row) * kVramColumns + static_cast<std::size_t>(column)] = word;
  }
}

void VideoMemory::Load(const rsdformat::TimFile& tim) {
  if (tim.clut) {
    const rsdformat::TimClut& clut = *tim.clut;
    for (int row = 0; row < clut.rows; ++row) {
      for (int k = 0; k < clut.colors_per_row; ++k) {
        Put(clut.x + k, clut.y + row,
            clut.colors[static_cast<std::size_t>(row) * clut.colors_per_row +
                        static_cast<std::size_t>(k)]);
      }
    }
  }
  for (int row = 0; row < tim.rows; ++row) {
    for (int column = 0; column < tim.columns; ++column) {
      Put(tim.x + column, tim.y + row,
          tim.data[static_cast<std::size_t>(row) * tim.columns + static_cast<std::size_t>(column)]);
    }
  }
}

TextureWindow WindowOf(const rsdformat::TimFile& tim) {
  TextureWindow window;
  window.page_x = rsdformat::PageX(tim.x) & 0x0F;
  window.page_y = rsdformat::PageY(tim.y) & 0x01;
  window.offset_u = rsdformat::PageOffsetU(tim.x, tim.depth);
  window.offset_v = rsdformat::PageOffsetV(tim.y);
  window.depth = tim.depth;
  if (tim.clut) {
    // The palette word keeps x in steps of 16 and y in 0..511.
    window.palette_x = tim.clut->x & ~15 & (kVramColumns - 1);
    window.palette_y = tim.clut->y & (kVramRows - 1);
  }
  return window;
}

std::uint16_t SampleTexel(const VideoMemory& memory, const TextureWindow& window, int u, int v) {
  const int page_u = (window.offset_u + u) & 0xFF;
  const int page_v = (window.offset_v + v) & 0xFF;
  const int per_column = rsdformat::TexelsPerColumn(window.depth);
  const int column = window.page_x * rsdformat::kPageColumns + page_u / per_column;
  const int row = window.page_y * rsdformat::kPageRows + page_v;
  const std::uint16_t word = memory.At(column, row);
  if (window.depth == 16) {
    return word;
  }
  const int index = (word >> ((page_u % per_column) * window.depth)) & ((1 << window.depth) - 1);
  // A palette that runs past the last column (reported as a fault) wraps
  // within its row here.
  return memory.At((window.palette_x + index) % kVramColumns, window.palette_y);
}

}  // namespace rsdview
