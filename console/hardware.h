// The console's memory-mapped registers that the program touches, and the
// one way it reads and writes them.
#ifndef GANNET_CONSOLE_HARDWARE_H_
#define GANNET_CONSOLE_HARDWARE_H_

#include <stdint.h>

namespace hw {

/// A 32-bit hardware register at `address`.
inline volatile uint32_t& Reg(uint32_t address) {
  return *reinterpret_cast<volatile uint32_t*>(address);
}

// The GPU's two ports: GP0 takes drawing commands and data, GP1 display
// control; reading GP1 gives the status word.
inline constexpr uint32_t kGp0 = 0x1F801810;
inline constexpr uint32_t kGp1 = 0x1F801814;

// Status bits of GP1.
inline constexpr uint32_t kGpuReadyForCommand = 1u << 26;
inline constexpr uint32_t kGpuReadyForDma = 1u << 28;

// Interrupt status: bit 0 is set at every vertical blank and stays set until
// written 0; the mask keeps every interrupt away from the processor.
inline constexpr uint32_t kInterruptStatus = 0x1F801070;
inline constexpr uint32_t kInterruptMask = 0x1F801074;
inline constexpr uint32_t kVblankBit = 1u << 0;

// DMA: channel 2 feeds the GPU, channel 6 clears ordering tables.
inline constexpr uint32_t kDmaControl = 0x1F8010F0;
inline constexpr uint32_t kDmaInterrupt = 0x1F8010F4;
inline constexpr uint32_t kGpuDmaAddress = 0x1F8010A0;
inline constexpr uint32_t kGpuDmaBlock = 0x1F8010A4;
inline constexpr uint32_t kGpuDmaChannel = 0x1F8010A8;
inline constexpr uint32_t kOtcDmaAddress = 0x1F8010E0;
inline constexpr uint32_t kOtcDmaBlock = 0x1F8010E4;
inline constexpr uint32_t kOtcDmaChannel = 0x1F8010E8;
inline constexpr uint32_t kDmaBusy = 1u << 24;

// Root counter 2, counting the system clock divided by 8.
inline constexpr uint32_t kCounter2Value = 0x1F801120;
inline constexpr uint32_t kCounter2Mode = 0x1F801124;

}  // namespace hw

#endif  // GANNET_CONSOLE_HARDWARE_H_
