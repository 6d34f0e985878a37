#include "hostplugin/host_api.h"

#include <gtest/gtest.h>

namespace mcp {
namespace {

TEST(CallbackTableTest, StoresOnlyIndicesZeroToLast) {
  CallbackTable table;
  EXPECT_EQ(table.Store(135, 0x1234), 135);
  EXPECT_EQ(table.Raw(135), 0x1234u);
  EXPECT_EQ(table.Store(0, 7), 0);
  EXPECT_EQ(table.Raw(0), 7u);
  EXPECT_EQ(table.Store(136, 0x5555), 136);
  EXPECT_EQ(table.Store(-1, 0x5555), -1);
  for (int slot = 0; slot < kCallbackSlotCount; ++slot) {
    EXPECT_NE(table.Raw(slot), 0x5555u) << slot;
  }
}

std::int32_t g_vertex_count_args[6];
std::int32_t MCP_CALL GetVertexCount(Handle object, std::int32_t a, std::int32_t b, std::int32_t c,
                                     std::int32_t d, std::int32_t e) {
  const std::int32_t args[6] = {static_cast<std::int32_t>(object), a, b, c, d, e};
  std::copy(std::begin(args), std::end(args), g_vertex_count_args);
  return 12;
}

Handle g_texture = 0;
std::int32_t MCP_CALL GetParamTexture(Handle, Handle* texture) {
  *texture = g_texture;
  return g_texture != 0;
}

TEST(HostApiTest, VertexCountPassesFiveZeros) {
  CallbackTable table;
  table.Store(kGetVertexCount, reinterpret_cast<std::uintptr_t>(&GetVertexCount));
  std::fill(std::begin(g_vertex_count_args), std::end(g_vertex_count_args), -1);
  EXPECT_EQ(HostApi(table).GetVertexCount(3), 12);
  const std::int32_t expected[6] = {3, 0, 0, 0, 0, 0};
  EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), g_vertex_count_args));
}

TEST(HostApiTest, ParamTextureIsTheHandleTheHostWrites) {
  CallbackTable table;
  table.Store(kGetParamTexture, reinterpret_cast<std::uintptr_t>(&GetParamTexture));
  g_texture = 0;
  EXPECT_EQ(HostApi(table).GetParamTexture(5), 0u);
  g_texture = 77;
  EXPECT_EQ(HostApi(table).GetParamTexture(5), 77u);
}

}  // namespace
}  // namespace mcp
