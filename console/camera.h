// The viewer's one camera and one light, in whole numbers, so that the
// console program and rsdview's `--camera console` frame, turn and light a
// model exactly alike. Both compilers take this header: plain C++ on
// <stdint.h> alone.
//
// The camera: the model's box (every vertex of the model, and of every frame
// of a pack) has a bounding sphere, its centre half way between the box's
// corners and its radius half the box's diagonal. The sphere is scaled to
// kSphereRadius units, its centre put kDistanceInRadii radii straight ahead
// of the eye, and the scene projected onto a plane kProjection units away,
// the screen's centre on the axis: the sphere then spans about 107 pixels
// either side of the centre of the 320 x 240 screen. The view turns the
// model first (the spin about its vertical axis, then the view), with the
// same screen axes as rsdview's orthographic views: x right, y down, z away.
#ifndef GANNET_CONSOLE_CAMERA_H_
#define GANNET_CONSOLE_CAMERA_H_

#include <stdint.h>

namespace camera {

/// 1.0 in the 1.3.12 fixed point of rotations and normals.
inline constexpr int32_t kOne = 4096;
/// A full turn in the units of an angle.
inline constexpr int32_t kFullTurn = 4096;

inline constexpr int32_t kScreenWidth = 320;
inline constexpr int32_t kScreenHeight = 240;
inline constexpr int32_t kProjection = 320;
inline constexpr int32_t kSphereRadius = 2048;
inline constexpr int32_t kDistanceInRadii = 3;

/// The light: the direction towards it in the model's space (1.3.12), a
/// share of kOne that it adds at most, over a constant ambient share.
inline constexpr int16_t kTowardsLight[3] = {-1521, -3042, -2282};
inline constexpr int16_t kLightShare = 2867;
inline constexpr int16_t kAmbientShare = 1229;

enum class View : uint8_t { kFront = 0, kSide = 1, kTop = 2, kThreeQuarter = 3 };
inline constexpr int kViewCount = 4;

/// The screen axes of each view in the model's space, 1.3.12: right, down,
/// and forward (away from the eye).
inline constexpr int16_t kViewAxes[kViewCount][3][3] = {
    {{4096, 0, 0}, {0, 4096, 0}, {0, 0, 4096}},                   // front
    {{0, 0, 4096}, {0, 4096, 0}, {-4096, 0, 0}},                  // side
    {{4096, 0, 0}, {0, 0, -4096}, {0, 4096, 0}},                  // top
    {{2896, 0, 2896}, {1426, 3565, -1426}, {-2521, 2017, 2521}},  // three-quarter
};

struct Box {
  int32_t min[3];
  int32_t max[3];
};

struct Sphere {
  int32_t centre[3];
  int32_t radius;  ///< at least 1
};

/// The model's rotation into the camera's space (1.3.12, scale included)
/// and the translation after it.
struct Transform {
  int16_t m[3][3];
  int32_t t[3];
};

/// The whole square root of `value`, rounded down.
constexpr uint32_t SquareRoot(uint64_t value) {
  uint64_t root = 0;
  for (uint64_t bit = uint64_t{1} << 62; bit != 0; bit >>= 2) {
    if (value >= root + bit) {
      value -= root + bit;
      root = (root >> 1) + bit;
    } else {
      root >>= 1;
    }
  }
  return static_cast<uint32_t>(root);
}

/// The bounding sphere of `box`: centre rounded down, radius rounded up.
constexpr Sphere SphereOf(const Box& box) {
  Sphere sphere{};
  uint64_t diagonal = 0;
  for (int axis = 0; axis < 3; ++axis) {
    const int64_t low = box.min[axis], high = box.max[axis];
    const int64_t sum = low + high;
    sphere.centre[axis] = static_cast<int32_t>(sum >= 0 ? sum / 2 : (sum - 1) / 2);
    diagonal += static_cast<uint64_t>((high - low) * (high - low));
  }
  const uint32_t root = SquareRoot(diagonal);
  const uint32_t whole = static_cast<uint64_t>(root) * root == diagonal ? root : root + 1;
  sphere.radius = static_cast<int32_t>((whole + 1) / 2);
  if (sphere.radius < 1) {
    sphere.radius = 1;
  }
  return sphere;
}

/// sin(2 pi angle / kFullTurn) in 1.3.12, within 3 of the exact value and
/// exact at every quarter turn.
constexpr int32_t Sine(int32_t angle) {
  const int32_t turn = angle & (kFullTurn - 1);
  const int32_t quarter = turn >> 10;
  int32_t x = turn & 1023;
  if (quarter & 1) {
    x = 1024 - x;
  }
  int32_t value = kOne;
  if (x != 1024) {
    const int32_t t = x * 4;
    const int32_t t2 = (t * t + 2048) >> 12;
    int32_t p = 326 - ((t2 * 19 + 2048) >> 12);
    p = 2646 - ((t2 * p + 2048) >> 12);
    p = 6434 - ((t2 * p + 2048) >> 12);
    value = (t * p + 2048) >> 12;
  }
  return quarter >= 2 ? -value : value;
}

constexpr int32_t Cosine(int32_t angle) {
  return Sine(angle + kFullTurn / 4);
}

/// How many times the sphere is enlarged (1.3.12), kept below 8, the
/// largest factor the rotation can carry.
constexpr int32_t ScaleOf(const Sphere& sphere) {
  const int32_t scale = kSphereRadius * kOne / sphere.radius;
  return scale > 32767 ? 32767 : (scale < 1 ? 1 : scale);
}

/// The sphere's radius in the camera's space.
constexpr int32_t CameraRadius(const Sphere& sphere) {
  return static_cast<int32_t>((int64_t{sphere.radius} * ScaleOf(sphere) + 2048) >> 12);
}

/// The distance from the eye to the sphere's centre.
constexpr int32_t CameraDistance(const Sphere& sphere) {
  return kDistanceInRadii * CameraRadius(sphere);
}

/// The transform that shows `sphere` from `view`, the model first turned by
/// `spin` (units of kFullTurn) about its vertical axis.
constexpr Transform CameraTransform(View view, const Sphere& sphere, int32_t spin) {
  const int32_t c = Cosine(spin), s = Sine(spin);
  const int32_t turn[3][3] = {{c, 0, s}, {0, kOne, 0}, {-s, 0, c}};
  const int16_t(&axes)[3][3] = kViewAxes[static_cast<int>(view)];
  const int32_t scale = ScaleOf(sphere);
  Transform transform{};
  for (int row = 0; row < 3; ++row) {
    int64_t moved = 0;
    for (int column = 0; column < 3; ++column) {
      int32_t turned = 0;
      for (int k = 0; k < 3; ++k) {
        turned += axes[row][k] * turn[k][column];
      }
      turned = (turned + 2048) >> 12;
      int32_t scaled = static_cast<int32_t>((int64_t{turned} * scale + 2048) >> 12);
      scaled = scaled > 32767 ? 32767 : (scaled < -32768 ? -32768 : scaled);
      transform.m[row][column] = static_cast<int16_t>(scaled);
      moved += int64_t{scaled} * sphere.centre[column];
    }
    const int32_t ahead = row == 2 ? CameraDistance(sphere) : 0;
    transform.t[row] = ahead - static_cast<int32_t>((moved + 2048) >> 12);
  }
  return transform;
}

/// Whether a polygon whose first three corners enclose `clockwise_area`
/// (twice the signed area on screen, positive when they run clockwise as
/// seen, y down) shows its front: the back-face test of the console.
constexpr bool FacesViewer(int32_t clockwise_area) {
  return clockwise_area > 0;
}

}  // namespace camera

#endif  // GANNET_CONSOLE_CAMERA_H_
