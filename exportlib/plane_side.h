// The coplanarity test of a quad: the PLY writer asks it whether the first
// corner of a four-cornered face lies in the plane of the other three.
#ifndef GANNET_EXPORTLIB_PLANE_SIDE_H_
#define GANNET_EXPORTLIB_PLANE_SIDE_H_

#include "hostplugin/mcp_abi.h"

namespace exportlib {

/// Where corner `a` lies relative to the plane through `b`, `c`, `d` (host
/// coordinates c0, c1, c2): exactly 0 when the arithmetic puts it in the plane,
/// else a value whose sign follows the winding of b, c, d. Products and sums
/// inside each formula are formed in extended precision, each intermediate
/// vector component rounded to double.
double PlaneSide(const mcp::VertexRecord& a, const mcp::VertexRecord& b, const mcp::VertexRecord& c,
                 const mcp::VertexRecord& d);

}  // namespace exportlib

#endif  // GANNET_EXPORTLIB_PLANE_SIDE_H_
