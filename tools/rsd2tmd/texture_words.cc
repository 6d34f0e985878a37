#include "tools/rsd2tmd/texture_words.h"

#include "tools/rsdformat/texture_page.h"

namespace rsd2tmd {

TextureWords WordsOf(const rsdformat::TimFile& tim, int rate) {
  TextureWords words;
  if (tim.depth != 16 && tim.clut) {
    words.cba = rsdformat::PaletteWord(tim.clut->x, tim.clut->y);
  }
  words.tsb = rsdformat::PageWord(tim.x, tim.y, rate, tim.depth);
  return words;
}

PageTexel TexelInPage(const rsdformat::TimFile& tim, int u, int v) {
  return {u + rsdformat::PageOffsetU(tim.x, tim.depth), v + rsdformat::PageOffsetV(tim.y)};
}

}  // namespace rsd2tmd
