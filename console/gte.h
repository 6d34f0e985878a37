// The geometry coprocessor: the few operations the viewer needs, each a
// short sequence of coprocessor 2 instructions. The two no-operations after
// every register load keep the command from reading a register that is
// still being written; every read from the coprocessor is followed by one,
// the load delay of the processor.
#ifndef GANNET_CONSOLE_GTE_H_
#define GANNET_CONSOLE_GTE_H_

#include <stdint.h>

#include "console/camera.h"

namespace gte {

/// Rotation (1.3.12) and translation of the model into the camera's space.
inline void SetTransform(const camera::Transform& t) {
  const auto pair = [](int16_t low, int16_t high) {
    return static_cast<uint32_t>(static_cast<uint16_t>(low)) |
           static_cast<uint32_t>(static_cast<uint16_t>(high)) << 16;
  };
  const uint32_t r0 = pair(t.m[0][0], t.m[0][1]);
  const uint32_t r1 = pair(t.m[0][2], t.m[1][0]);
  const uint32_t r2 = pair(t.m[1][1], t.m[1][2]);
  const uint32_t r3 = pair(t.m[2][0], t.m[2][1]);
  const uint32_t r4 = static_cast<uint32_t>(static_cast<int32_t>(t.m[2][2]));
  asm volatile(
      "ctc2 %0, $0\n ctc2 %1, $1\n ctc2 %2, $2\n ctc2 %3, $3\n ctc2 %4, $4\n"
      "ctc2 %5, $5\n ctc2 %6, $6\n ctc2 %7, $7\n"
      :
      : "r"(r0), "r"(r1), "r"(r2), "r"(r3), "r"(r4), "r"(t.t[0]), "r"(t.t[1]), "r"(t.t[2]));
}

/// The screen centre (whole pixels) and the projection plane distance.
inline void SetScreen(int32_t centre_x, int32_t centre_y, uint32_t projection) {
  asm volatile("ctc2 %0, $24\n ctc2 %1, $25\n ctc2 %2, $26\n"
               :
               : "r"(centre_x << 16), "r"(centre_y << 16), "r"(projection));
}

/// One light: `towards` (1.3.12, the direction towards it in model space) of
/// colour `intensity` (1.3.12 per channel) over an ambient `ambient` (1.19.12).
inline void SetLight(const int16_t towards[3], int16_t intensity, int32_t ambient) {
  const uint32_t l0 = static_cast<uint16_t>(towards[0]) |
                      static_cast<uint32_t>(static_cast<uint16_t>(towards[1])) << 16;
  const uint32_t l1 = static_cast<uint16_t>(towards[2]);
  const uint32_t i = static_cast<uint16_t>(intensity);
  // Light matrix: only the first row, the one light. Colour matrix: only the
  // first column (LR1, LG1, LB1, in the low half of register 16, the high
  // half of 17 and the low half of 19), the same intensity in each channel.
  asm volatile(
      "ctc2 %0, $8\n ctc2 %1, $9\n ctc2 $0, $10\n ctc2 $0, $11\n ctc2 $0, $12\n"
      "ctc2 %2, $16\n ctc2 %3, $17\n ctc2 $0, $18\n ctc2 %4, $19\n ctc2 $0, $20\n"
      "ctc2 %5, $13\n ctc2 %5, $14\n ctc2 %5, $15\n"
      :
      : "r"(l0), "r"(l1), "r"(i), "r"(i << 16), "r"(i), "r"(ambient));
}

/// Screen position (x low, y high halves) and depth of three vertices.
struct Projected3 {
  uint32_t xy[3];
  uint32_t z[3];
};

/// Rotates, translates and projects the three SVECTORs at `a`, `b`, `c`.
inline void RotTransPers3(const void* a, const void* b, const void* c, Projected3& out) {
  asm volatile(
      "lwc2 $0, 0(%0)\n lwc2 $1, 4(%0)\n lwc2 $2, 0(%1)\n lwc2 $3, 4(%1)\n"
      "lwc2 $4, 0(%2)\n lwc2 $5, 4(%2)\n nop\n nop\n cop2 0x0280030\n"
      :
      : "r"(a), "r"(b), "r"(c)
      : "memory");
  asm volatile(
      "mfc2 %0, $12\n mfc2 %1, $13\n mfc2 %2, $14\n mfc2 %3, $17\n mfc2 %4, $18\n"
      "mfc2 %5, $19\n nop\n"
      : "=&r"(out.xy[0]), "=&r"(out.xy[1]), "=&r"(out.xy[2]), "=&r"(out.z[0]), "=&r"(out.z[1]),
        "=&r"(out.z[2]));
}

/// Twice the signed screen area of the triangle (xy0, xy1, xy2): positive
/// when its corners run clockwise as seen.
inline int32_t NormalClip(uint32_t xy0, uint32_t xy1, uint32_t xy2) {
  int32_t area;
  asm volatile(
      "mtc2 %1, $12\n mtc2 %2, $13\n mtc2 %3, $14\n nop\n nop\n cop2 0x1400006\n"
      "mfc2 %0, $24\n nop\n"
      : "=r"(area)
      : "r"(xy0), "r"(xy1), "r"(xy2));
  return area;
}

/// `colour` (R, G, B low to high) lit through the normal SVECTOR at `normal`
/// by the light of SetLight; the code byte of `colour` comes back unchanged.
inline uint32_t LightColour(const void* normal, uint32_t colour) {
  uint32_t lit;
  asm volatile(
      "lwc2 $0, 0(%1)\n lwc2 $1, 4(%1)\n mtc2 %2, $6\n nop\n nop\n cop2 0x108041B\n"
      "mfc2 %0, $22\n nop\n"
      : "=r"(lit)
      : "r"(normal), "r"(colour)
      : "memory");
  return lit;
}

}  // namespace gte

#endif  // GANNET_CONSOLE_GTE_H_
