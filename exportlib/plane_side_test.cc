#include "exportlib/plane_side.h"

#include <gtest/gtest.h>

namespace exportlib {
namespace {

// Four corners whose coordinates live in the test, as the host's would.
struct Corner {
  float c[3];
  mcp::VertexRecord record{};
  Corner(float x, float y, float z) : c{x, y, z} {
    record.c0 = &c[0];
    record.c1 = &c[1];
    record.c2 = &c[2];
  }
  Corner(const Corner&) = delete;
};

TEST(PlaneSideTest, CornerInThePlaneGivesExactlyZero) {
  Corner a(0, 0, 0), b(1, 0, 0), c(1, 1, 0), d(0, 1, 0);
  EXPECT_EQ(PlaneSide(a.record, b.record, c.record, d.record), 0.0);
  // A square standing in the plane x = 2, away from the origin.
  Corner e(2, 0.5f, 0.5f), f(2, -3, -3), g(2, 4, -3), h(2, 4, 4);
  EXPECT_EQ(PlaneSide(e.record, f.record, g.record, h.record), 0.0);
}

TEST(PlaneSideTest, LiftedCornerTakesTheSignOfTheWinding) {
  Corner lifted(0, 0, 1), b(1, 0, 0), c(1, 1, 0), d(0, 1, 0);
  const double side = PlaneSide(lifted.record, b.record, c.record, d.record);
  EXPECT_EQ(side, 1.0);  // n = (0, 0, 1) for this winding
  EXPECT_EQ(PlaneSide(lifted.record, d.record, c.record, b.record), -1.0);
}

TEST(PlaneSideTest, UnfilledRecordCountsAsTheOrigin) {
  Corner b(1, 0, 0), c(1, 1, 0), d(0, 1, 0);
  const mcp::VertexRecord empty{};
  EXPECT_EQ(PlaneSide(empty, b.record, c.record, d.record), 0.0);
}

}  // namespace
}  // namespace exportlib
