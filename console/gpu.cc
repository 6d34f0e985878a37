#include "console/gpu.h"

#include "console/hardware.h"

namespace gpu {
namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

// DMA channel control words: to the device, one block of words, a linked
// list, or the ordering-table clear (backwards, started at once).
constexpr uint32_t kDmaBlocksToDevice = 0x01000201;
constexpr uint32_t kDmaListToDevice = 0x01000401;
constexpr uint32_t kDmaClearTable = 0x11000002;
constexpr uint32_t kDmaWordsPerBlock = 16;
constexpr uint32_t kDmaEnableGpuAndOtc = 0x08000800;

// Waits until the GPU takes a new command. Only the first word of a command
// may wait: the GPU is not ready for another command while it still expects
// the parameters of one, which go straight in.
void WaitReady() {
  while ((hw::Reg(hw::kGp1) & hw::kGpuReadyForCommand) == 0) {
  }
}

void Gp0(uint32_t word) {
  hw::Reg(hw::kGp0) = word;
}

void Command(uint32_t word) {
  WaitReady();
  Gp0(word);
}

void Gp1(uint32_t word) {
  hw::Reg(hw::kGp1) = word;
}

void WaitDma(uint32_t channel, void (*poll)()) {
  while ((hw::Reg(channel) & hw::kDmaBusy) != 0) {
    if (poll != nullptr) {
      poll();
    }
  }
}

uint32_t Position(int x, int y) {
  return static_cast<uint32_t>(x & 0x3FF) | static_cast<uint32_t>(y & 0x3FF) << 16;
}

// Sends `count` words by DMA; the GPU must be waiting for them. Blocks of 16
// words, and the words left over as one shorter block.
void SendWords(const uint32_t* words, uint32_t count) {
  while (count > 0) {
    const uint32_t size = count >= kDmaWordsPerBlock ? kDmaWordsPerBlock : count;
    uint32_t blocks = count / size;
    blocks = blocks > 0xFFFF ? 0xFFFF : blocks;
    while ((hw::Reg(hw::kGp1) & hw::kGpuReadyForDma) == 0) {
    }
    Gp1(0x04000002);  // DMA direction: CPU to GP0
    hw::Reg(hw::kGpuDmaAddress) = reinterpret_cast<uint32_t>(words);
    hw::Reg(hw::kGpuDmaBlock) = blocks << 16 | size;
    hw::Reg(hw::kGpuDmaChannel) = kDmaBlocksToDevice;
    WaitDma(hw::kGpuDmaChannel, nullptr);
    words += blocks * size;
    count -= blocks * size;
  }
}

// The same for pixels at an address that is not a multiple of 4: DMA reads
// whole words, so they go through an aligned copy, a part at a time.
void SendHalfWords(const uint16_t* pixels, uint32_t count) {
  static uint32_t bounce[256];
  constexpr uint32_t kPart = 2 * (sizeof bounce / sizeof bounce[0]);
  for (uint32_t done = 0; done < count; done += kPart) {
    const uint32_t part = count - done < kPart ? count - done : kPart;
    for (uint32_t i = 0; i < part; i += 2) {
      const uint32_t high = i + 1 < part ? pixels[done + i + 1] : 0;
      bounce[i / 2] = pixels[done + i] | high << 16;
    }
    SendWords(bounce, (part + 1) / 2);
  }
}

}  // namespace

void Init() {
  Gp1(0x00000000);  // reset
  hw::Reg(hw::kDmaControl) = hw::Reg(hw::kDmaControl) | kDmaEnableGpuAndOtc;
  Gp1(0x06000000 | 0x260 | (0x260 + kWidth * 8) << 12);  // horizontal range
  Gp1(0x07000000 | 16 | (16 + kHeight) << 10);           // vertical range
  Gp1(0x08000001);                                       // 320 x 240, NTSC, 15-bit
  Show(0);
  Gp1(0x03000000);  // display on
}

void Show(int index) {
  Gp1(0x05000000 | static_cast<uint32_t>(index * kHeight) << 10);
}

void DrawInto(int index) {
  const int top = index * kHeight;
  Command(0xE1000000 | 1u << 10);  // page 0, may draw into the displayed area
  Command(0xE2000000);             // no texture window
  Command(0xE3000000 | static_cast<uint32_t>(top) << 10);
  Command(0xE4000000 | static_cast<uint32_t>(kWidth - 1) |
          static_cast<uint32_t>(top + kHeight - 1) << 10);
  Command(0xE5000000 | static_cast<uint32_t>(top) << 11);
  Command(0xE6000000);  // no mask bit
}

void Clear(int index, uint32_t rgb) {
  Command(0x02000000 | (rgb & 0xFFFFFF));
  Gp0(Position(0, index * kHeight));
  Gp0(static_cast<uint32_t>(kWidth) | static_cast<uint32_t>(kHeight) << 16);
}

void Upload(int x, int y, int width, int height, const void* pixels) {
  Gp1(0x04000000);      // DMA off while the command words go in
  Command(0x01000000);  // clear the texture cache
  Command(0xA0000000);
  Gp0(Position(x, y));
  Gp0(static_cast<uint32_t>(width) | static_cast<uint32_t>(height) << 16);
  const uint32_t halves = static_cast<uint32_t>(width) * static_cast<uint32_t>(height);
  if ((reinterpret_cast<uint32_t>(pixels) & 3) == 0) {
    SendWords(static_cast<const uint32_t*>(pixels), (halves + 1) / 2);
  } else {
    SendHalfWords(static_cast<const uint16_t*>(pixels), halves);
  }
  Gp1(0x04000000);
}

void Draw(const uint32_t* first, void (*poll)()) {
  while ((hw::Reg(hw::kGp1) & hw::kGpuReadyForDma) == 0) {
  }
  Gp1(0x04000002);
  hw::Reg(hw::kGpuDmaAddress) = reinterpret_cast<uint32_t>(first);
  hw::Reg(hw::kGpuDmaBlock) = 0;
  hw::Reg(hw::kGpuDmaChannel) = kDmaListToDevice;
  WaitDma(hw::kGpuDmaChannel, poll);
  while ((hw::Reg(hw::kGp1) & hw::kGpuReadyForCommand) == 0) {
    poll();
  }
  Gp1(0x04000000);
}

void ClearOrderingTable(uint32_t* table, uint32_t length) {
  hw::Reg(hw::kOtcDmaAddress) = reinterpret_cast<uint32_t>(table + length - 1);
  hw::Reg(hw::kOtcDmaBlock) = length;
  hw::Reg(hw::kOtcDmaChannel) = kDmaClearTable;
  WaitDma(hw::kOtcDmaChannel, nullptr);
}

}  // namespace gpu
