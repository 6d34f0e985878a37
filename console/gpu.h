// The GPU and the DMA channels that feed it: the display, the drawing
// environment of each of the two frame buffers, uploads to video memory and
// the drawing of an ordering table.
#ifndef GANNET_CONSOLE_GPU_H_
#define GANNET_CONSOLE_GPU_H_

#include <stdint.h>

namespace gpu {

/// Resets the GPU, sets a 320 x 240 display of 15-bit colour (NTSC timing),
/// switches it on and enables the GPU and ordering-table DMA channels.
void Init();

/// Shows frame buffer `index` (0: top, 1: below it).
void Show(int index);

/// Directs drawing into frame buffer `index`: drawing area and offset, no
/// dithering, textures from page 0 until a packet sets its own.
void DrawInto(int index);

/// Fills the 320 x 240 frame buffer `index` with `rgb` (R, G, B low to high).
void Clear(int index, uint32_t rgb);

/// Copies `width` x `height` 16-bit pixels at `pixels` into video memory at
/// (`x`, `y`). `pixels` may lie at any even address.
void Upload(int x, int y, int width, int height, const void* pixels);

/// Sends the ordering table whose walk starts at `first` (its last entry)
/// to the GPU and waits until everything is drawn. `poll` is called while
/// waiting.
void Draw(const uint32_t* first, void (*poll)());

/// Fills `table` (`length` entries) as an empty ordering table by DMA: each
/// entry links to the one before it, entry 0 ends the list.
void ClearOrderingTable(uint32_t* table, uint32_t length);

}  // namespace gpu

#endif  // GANNET_CONSOLE_GPU_H_
