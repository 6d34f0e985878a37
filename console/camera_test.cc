// The camera both the console program and rsdview take: the sphere around a
// box, the whole-number sine, and the transform that puts the sphere's
// centre straight ahead at its distance for every view and turn.
#include "console/camera.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

namespace camera {
namespace {

std::int64_t Dot(const std::int16_t (&a)[3], const std::int16_t (&b)[3]) {
  return std::int64_t{a[0]} * b[0] + std::int64_t{a[1]} * b[1] + std::int64_t{a[2]} * b[2];
}

// The camera-space position of `p`, as the coprocessor computes it.
std::array<std::int64_t, 3> Apply(const Transform& t, const std::int32_t (&p)[3]) {
  std::array<std::int64_t, 3> at{};
  for (int row = 0; row < 3; ++row) {
    std::int64_t sum = std::int64_t{t.t[row]} * kOne;
    for (int column = 0; column < 3; ++column) {
      sum += std::int64_t{t.m[row][column]} * p[column];
    }
    at[static_cast<std::size_t>(row)] = sum >> 12;
  }
  return at;
}

TEST(CameraTest, SphereHoldsTheBox) {
  const Sphere sphere = SphereOf({{0, 0, 0}, {3, 4, 0}});
  EXPECT_EQ(sphere.centre[0], 1);
  EXPECT_EQ(sphere.centre[1], 2);
  EXPECT_EQ(sphere.centre[2], 0);
  EXPECT_EQ(sphere.radius, 3);  // half of the diagonal 5, rounded up
  const Sphere negative = SphereOf({{-3, -32768, 5}, {0, 32767, 5}});
  EXPECT_EQ(negative.centre[0], -2);  // -1.5 rounded down
  EXPECT_EQ(negative.centre[1], -1);
  EXPECT_EQ(negative.radius, 32768);
  EXPECT_EQ(SphereOf({{7, 7, 7}, {7, 7, 7}}).radius, 1);  // a point still has a size
}

TEST(CameraTest, SquareRootRoundsDown) {
  EXPECT_EQ(SquareRoot(0), 0u);
  EXPECT_EQ(SquareRoot(24), 4u);
  EXPECT_EQ(SquareRoot(25), 5u);
  EXPECT_EQ(SquareRoot(3ull * 65535 * 65535), 113509u);
}

TEST(CameraTest, SineIsExactAtQuarterTurnsAndCloseElsewhere) {
  EXPECT_EQ(Sine(0), 0);
  EXPECT_EQ(Sine(1024), kOne);
  EXPECT_EQ(Sine(2048), 0);
  EXPECT_EQ(Sine(3072), -kOne);
  EXPECT_EQ(Cosine(0), kOne);
  EXPECT_EQ(Sine(4096 + 512), Sine(512));
  for (int angle = 0; angle < kFullTurn; ++angle) {
    const double exact = kOne * std::sin(2 * std::numbers::pi * angle / kFullTurn);
    ASSERT_LE(std::fabs(Sine(angle) - exact), 3.0) << angle;
  }
}

TEST(CameraTest, ViewAxesAreTurnsOfTheScreen) {
  for (const auto& axes : kViewAxes) {
    for (int i = 0; i < 3; ++i) {
      EXPECT_NEAR(static_cast<double>(Dot(axes[i], axes[i])), kOne * kOne, 3 * kOne);
      for (int j = 0; j < i; ++j) {
        EXPECT_NEAR(static_cast<double>(Dot(axes[i], axes[j])), 0, 3 * kOne);
      }
    }
    // down = forward x right, as for the orthographic views
    const auto& right = axes[0];
    const auto& down = axes[1];
    const auto& forward = axes[2];
    EXPECT_NEAR((forward[1] * right[2] - forward[2] * right[1]) / 4096.0, down[0], 2);
    EXPECT_NEAR((forward[2] * right[0] - forward[0] * right[2]) / 4096.0, down[1], 2);
    EXPECT_NEAR((forward[0] * right[1] - forward[1] * right[0]) / 4096.0, down[2], 2);
  }
}

TEST(CameraTest, SphereCentreLiesAheadAtItsDistanceInEveryViewAndTurn) {
  for (const Sphere& sphere : {SphereOf({{-100, -50, 0}, {300, 70, 40}}),
                               SphereOf({{-30000, -30000, -30000}, {30000, 30000, 30000}}),
                               SphereOf({{1, 1, 1}, {2, 3, 4}})}) {
    for (int view = 0; view < kViewCount; ++view) {
      for (const int spin : {0, 100, 1024, 3000}) {
        const Transform t = CameraTransform(static_cast<View>(view), sphere, spin);
        const auto at = Apply(t, sphere.centre);
        EXPECT_NEAR(static_cast<double>(at[0]), 0, 1);
        EXPECT_NEAR(static_cast<double>(at[1]), 0, 1);
        EXPECT_NEAR(static_cast<double>(at[2]), CameraDistance(sphere), 1);
      }
    }
  }
}

TEST(CameraTest, SphereIsScaledToItsRadiusUnlessTooSmall) {
  EXPECT_EQ(CameraRadius(SphereOf({{0, 0, 0}, {3000, 4000, 0}})), kSphereRadius);
  // The scale is a whole 1.3.12 number: a large sphere comes out a little
  // smaller (279 / 4096 for 30000 units).
  EXPECT_EQ(CameraRadius(SphereOf({{-30000, 0, 0}, {30000, 0, 0}})), 2043);
  // 8 times is the most a 1.3.12 rotation holds.
  EXPECT_EQ(ScaleOf(SphereOf({{0, 0, 0}, {2, 0, 0}})), 32767);
  const Transform front = CameraTransform(View::kFront, SphereOf({{0, 0, 0}, {3000, 4000, 0}}), 0);
  EXPECT_EQ(front.m[0][0], front.m[1][1]);
  EXPECT_EQ(front.m[0][1], 0);
  EXPECT_EQ(front.m[2][0], 0);
}

TEST(CameraTest, ClockwiseCornersFaceTheViewer) {
  EXPECT_TRUE(FacesViewer(1));
  EXPECT_FALSE(FacesViewer(0));
  EXPECT_FALSE(FacesViewer(-5));
}

}  // namespace
}  // namespace camera
