#include "exportlib/plane_side.h"

namespace exportlib {
namespace {

using Extended = long double;

struct Vector {
  double x, y, z;
};

Vector Coordinates(const mcp::VertexRecord& record) {
  // A record the host did not fill counts as the origin rather than a crash.
  auto read = [](const float* value) { return value != nullptr ? double{*value} : 0.0; };
  return {read(record.c0), read(record.c1), read(record.c2)};
}

Vector Difference(const Vector& p, const Vector& q) {
  return {static_cast<double>(Extended{p.x} - q.x), static_cast<double>(Extended{p.y} - q.y),
          static_cast<double>(Extended{p.z} - q.z)};
}

}  // namespace

double PlaneSide(const mcp::VertexRecord& a, const mcp::VertexRecord& b, const mcp::VertexRecord& c,
                 const mcp::VertexRecord& d) {
  const Vector pa = Coordinates(a);
  const Vector pb = Coordinates(b);
  const Vector u = Difference(Coordinates(c), pb);
  const Vector v = Difference(Coordinates(d), pb);
  const Vector n = {static_cast<double>(Extended{u.y} * v.z - Extended{v.y} * u.z),
                    static_cast<double>(Extended{v.x} * u.z - Extended{u.x} * v.z),
                    static_cast<double>(Extended{u.x} * v.y - Extended{u.y} * v.x)};
  const auto k =
      static_cast<double>(-Extended{n.x} * pb.x - Extended{n.y} * pb.y - Extended{n.z} * pb.z);
  return static_cast<double>(Extended{n.x} * pa.x + Extended{n.y} * pa.y + Extended{n.z} * pa.z +
                             k);
}

}  // namespace exportlib
