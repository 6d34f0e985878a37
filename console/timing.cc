#include "console/timing.h"

#include "console/hardware.h"

namespace timing {
namespace {

// System clock / 8 for counter 2; the counter runs freely and wraps.
constexpr uint32_t kClockDividedBy8 = 0x0200;
// 33,868,800 Hz / 8 ticks a second: 4,233.6 a millisecond, 4,234 to within
// 1 in 10,000.
constexpr uint32_t kTicksPerMillisecond = 4234;

uint32_t last_count = 0;
uint32_t ticks = 0;
uint32_t blanks = 0;

uint32_t Count() {
  return hw::Reg(hw::kCounter2Value) & 0xFFFF;
}

bool TakeBlank() {
  if ((hw::Reg(hw::kInterruptStatus) & hw::kVblankBit) == 0) {
    return false;
  }
  hw::Reg(hw::kInterruptStatus) = ~hw::kVblankBit;
  return true;
}

}  // namespace

void Init() {
  hw::Reg(hw::kInterruptMask) = 0;
  hw::Reg(hw::kCounter2Mode) = kClockDividedBy8;
}

void Start() {
  TakeBlank();
  last_count = Count();
  ticks = 0;
  blanks = 0;
}

void Poll() {
  const uint32_t now = Count();
  ticks += (now - last_count) & 0xFFFF;
  last_count = now;
  if (TakeBlank()) {
    ++blanks;
  }
}

uint32_t Microseconds() {
  return ticks / kTicksPerMillisecond * 1000 +
         ticks % kTicksPerMillisecond * 1000 / kTicksPerMillisecond;
}

uint32_t Blanks() {
  return blanks;
}

void WaitBlank() {
  TakeBlank();
  while (!TakeBlank()) {
  }
}

}  // namespace timing
