#include "clayhost/plugin_library.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "hostplugin/mcp_abi.h"
#include "platform/host_hook.h"

namespace {

struct BoxCall {
  std::string caption;
  std::string text;
  int buttons;
};
std::vector<BoxCall> g_box_calls;

}  // namespace

// The host side of the patched import: records each box and answers No.
extern "C" int ClayHostMessageBox(const char* caption, const char* text, int buttons) {
  g_box_calls.push_back({caption, text, buttons});
  return IDNO;
}

namespace clayhost {
namespace {

using CallMessageBoxFn = int (*)(const char* caption, const char* text, unsigned type);

class PluginLibraryWin32 : public ::testing::Test {
 protected:
  void SetUp() override { g_box_calls.clear(); }
};

TEST_F(PluginLibraryWin32, MessageBoxesOfTheLibraryReachTheHost) {
  std::string error;
  auto library = PluginLibrary::Open(MESSAGE_BOX_CALLER, &error);
  ASSERT_TRUE(library.has_value()) << error;
  const auto call = reinterpret_cast<CallMessageBoxFn>(library->Find("CallMessageBox"));
  ASSERT_NE(call, nullptr);

  EXPECT_EQ(call("Launch NO$PSX?", "RSD files have been created\r\n", MB_YESNOCANCEL), IDNO);
  EXPECT_EQ(call("Skerry", "question", MB_YESNO), IDNO);
  EXPECT_EQ(call("Gannet", "note", MB_OK), IDNO);
  EXPECT_EQ(call("Gannet", "style no plug-in uses", MB_OKCANCEL), IDNO);

  ASSERT_EQ(g_box_calls.size(), 4u);
  EXPECT_EQ(g_box_calls[0].caption, "Launch NO$PSX?");
  EXPECT_EQ(g_box_calls[0].text, "RSD files have been created\r\n");
  EXPECT_EQ(g_box_calls[0].buttons, 2);
  EXPECT_EQ(g_box_calls[1].buttons, 1);
  EXPECT_EQ(g_box_calls[2].buttons, 0);
  EXPECT_GT(g_box_calls[3].buttons, 2) << "an unknown style must not pass for a known one";
}

TEST_F(PluginLibraryWin32, HostsOwnMessageBoxIsLeftAlone) {
  std::string error;
  auto library = PluginLibrary::Open(MESSAGE_BOX_CALLER, &error);
  ASSERT_TRUE(library.has_value()) << error;
  // Headless, the real MessageBoxA fails at once instead of reaching the hook.
  MessageBoxA(nullptr, "host", "host", MB_OK);
  EXPECT_TRUE(g_box_calls.empty());
}

TEST_F(PluginLibraryWin32, MissingLibraryReportsTheSystemsReason) {
  std::string error;
  EXPECT_FALSE(PluginLibrary::Open("no-such-plugin.mcp", &error).has_value());
  EXPECT_FALSE(error.empty());
}

TEST_F(PluginLibraryWin32, UnknownExportIsZero) {
  std::string error;
  auto library = PluginLibrary::Open(MESSAGE_BOX_CALLER, &error);
  ASSERT_TRUE(library.has_value()) << error;
  EXPECT_EQ(library->Find("MCP_PluginEntry"), 0u);
}

// What the tool plug-in submits, kept by the SubmitInfo callback.
std::vector<std::vector<std::uint8_t>> g_records;

std::int32_t SubmitInfo(std::uint32_t, std::uint32_t, mcp::Context, mcp::Context, std::int32_t,
                        const void* record, std::int32_t size) {
  const auto* bytes = static_cast<const std::uint8_t*>(record);
  g_records.emplace_back(bytes, bytes + size);
  return 1;
}

TEST_F(PluginLibraryWin32, ToolBitmapIsLoadedFromTheToolsOwnResourceOnEveryCall) {
  std::string error;
  auto library = PluginLibrary::Open(SKERRY_PLUGIN, &error);
  ASSERT_TRUE(library.has_value()) << error;
  const auto initialize = reinterpret_cast<mcp::InitializePluginProcFn>(
      library->Find(mcp::kExportInitializePluginProc));
  const auto plugin_info =
      reinterpret_cast<mcp::GetPluginInfoFn>(library->Find(mcp::kExportGetPluginInfo));
  const auto tool_info =
      reinterpret_cast<mcp::GetToolInfoFn>(library->Find(mcp::kExportGetToolInfo));
  ASSERT_TRUE(initialize && plugin_info && tool_info);

  g_records.clear();
  initialize(mcp::kSubmitInfo, reinterpret_cast<std::uintptr_t>(&SubmitInfo));
  ASSERT_EQ(plugin_info(0, 0, 0), 1);
  ASSERT_EQ(g_records.size(), 1u);
  mcp::PluginInfoRecord plugin;
  std::memcpy(&plugin, g_records[0].data(), sizeof(plugin));
  const auto id_low = static_cast<std::uint32_t>(plugin.id);
  const auto id_high = static_cast<std::uint32_t>(plugin.id >> 32);

  std::vector<HBITMAP> bitmaps;
  for (int call = 0; call < 2; ++call) {
    ASSERT_EQ(tool_info(0, 0, id_low, id_high), 1);
    mcp::ToolInfoRecord tool;
    ASSERT_EQ(g_records.back().size(), sizeof(tool));
    std::memcpy(&tool, g_records.back().data(), sizeof(tool));
    bitmaps.push_back(reinterpret_cast<HBITMAP>(tool.bitmap));

    BITMAP bitmap = {};
    ASSERT_EQ(GetObjectA(bitmaps.back(), sizeof(bitmap), &bitmap), int{sizeof(bitmap)});
    // Loaded without LR_CREATEDIBSECTION, the bitmap takes the display's
    // depth; the resource's own depth is checked below.
    EXPECT_EQ(bitmap.bmWidth, 22);
    EXPECT_EQ(bitmap.bmHeight, 26);
  }
  EXPECT_NE(bitmaps[0], bitmaps[1]) << "each call loads the resource anew";

  HMODULE module = GetModuleHandleA("Skerry.mcp");
  HRSRC resource = FindResourceA(module, "Skerry_tool", MAKEINTRESOURCEA(2));  // RT_BITMAP
  ASSERT_NE(resource, nullptr);
  ASSERT_GE(SizeofResource(module, resource), sizeof(BITMAPINFOHEADER));
  BITMAPINFOHEADER header;
  std::memcpy(&header, LockResource(LoadResource(module, resource)), sizeof(header));
  EXPECT_EQ(header.biWidth, 22);
  EXPECT_EQ(header.biHeight, 26);
  EXPECT_EQ(header.biBitCount, 24);
  for (HBITMAP bitmap : bitmaps) {
    DeleteObject(bitmap);
  }
}

}  // namespace
}  // namespace clayhost
