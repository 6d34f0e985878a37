// Loads the shipped Gannet.mcp and Skerry.mcp as a host would and drives
// their six exports through a table of recording callbacks.
#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <stdlib.h>
#endif
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "hostplugin/mcp_abi.h"
#ifndef _WIN32
#include "testing/program_run.h"
#include "testing/temp_folder.h"
#endif

#ifndef _WIN32
// Boxes the plug-ins show: the hook this test program exports, as a
// substitute host does.
struct Box {
  std::string caption, text;
};
static std::vector<Box> g_boxes;

extern "C" int ClayHostMessageBox(const char* caption, const char* text, int) {
  g_boxes.push_back({caption, text});
  return 1;
}
#endif

namespace {

using namespace mcp;

// One SubmitInfo call, its record copied as the host would.
struct Submission {
  std::uint32_t id_low, id_high;
  Context context0, context1;
  std::int32_t kind;
  std::vector<unsigned char> bytes;
};
std::vector<Submission> g_submissions;
int g_scene_calls = 0;

std::int32_t MCP_CALL SubmitInfo(std::uint32_t id_low, std::uint32_t id_high, Context context0,
                                 Context context1, std::int32_t kind, const void* record,
                                 std::int32_t size) {
  const auto* bytes = static_cast<const unsigned char*>(record);
  g_submissions.push_back(
      {id_low, id_high, context0, context1, kind, std::vector<unsigned char>(bytes, bytes + size)});
  return 1;
}

// The scene has no root objects; any call shows that a working entry ran.
std::int32_t MCP_CALL GetRootObjectCount(Handle) {
  ++g_scene_calls;
  return 0;
}

template <typename T>
T ReadAt(const std::vector<unsigned char>& bytes, std::size_t offset) {
  T value;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

std::string TextAt(const std::vector<unsigned char>& bytes, std::size_t offset) {
  return ReadAt<const char*>(bytes, offset);
}

// True when every byte outside the given [begin, end) ranges is zero.
bool ZeroOutside(const std::vector<unsigned char>& bytes,
                 std::initializer_list<std::pair<std::size_t, std::size_t>> used) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    bool inside = false;
    for (const auto& [begin, end] : used) {
      inside = inside || (i >= begin && i < end);
    }
    if (!inside && bytes[i] != 0) {
      return false;
    }
  }
  return true;
}

constexpr std::size_t kPointer = sizeof(void*);
constexpr Context kContext0 = 0x11223344;
constexpr Context kContext1 = 0x55667788;

#ifdef _WIN32
using LibraryHandle = HMODULE;
LibraryHandle OpenLibrary(const char* path) {
  return LoadLibraryA(path);
}
void* FindExport(LibraryHandle library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(library, name));
}
std::string LoadError() {
  return "LoadLibraryA failed: " + std::to_string(GetLastError());
}
struct LibraryCloser {
  void operator()(HMODULE library) const { FreeLibrary(library); }
};
#else
using LibraryHandle = void*;
LibraryHandle OpenLibrary(const char* path) {
  return dlopen(path, RTLD_NOW | RTLD_LOCAL);
}
void* FindExport(LibraryHandle library, const char* name) {
  return dlsym(library, name);
}
std::string LoadError() {
  return dlerror();
}
struct LibraryCloser {
  void operator()(void* library) const { dlclose(library); }
};
#endif

// A loaded plug-in with its callback table filled.
class Plugin {
 public:
  explicit Plugin(const char* path) : handle_(OpenLibrary(path)) {
    if (!handle_) {
      ADD_FAILURE() << path << ": " << LoadError();
      return;
    }
    auto init = Export<InitializePluginProcFn>(kExportInitializePluginProc);
    init(kSubmitInfo, reinterpret_cast<std::uintptr_t>(&SubmitInfo));
    init(kGetRootObjectCount, reinterpret_cast<std::uintptr_t>(&GetRootObjectCount));
    g_submissions.clear();
    g_scene_calls = 0;
#ifndef _WIN32
    g_boxes.clear();
#endif
  }

  template <typename Fn>
  Fn Export(const char* name) const {
    void* symbol = handle_ ? FindExport(handle_.get(), name) : nullptr;
    EXPECT_NE(symbol, nullptr) << name;
    return reinterpret_cast<Fn>(symbol);
  }

  bool loaded() const {
    return handle_ != nullptr;
  }

 private:
  std::unique_ptr<std::remove_pointer_t<LibraryHandle>, LibraryCloser> handle_;
};

#ifndef _WIN32
// Windows builds name their exports in a .def file, checked on the PE files.
std::set<std::string> DefinedDynamicSymbols(const std::string& path) {
  gannet_testing::RunOptions errors_apart;
  errors_apart.errors_apart = true;
  const gannet_testing::ProgramRun run =
      gannet_testing::RunProgram({"nm", "-D", "--defined-only", path}, errors_apart);
  EXPECT_EQ(run.exit_code, 0) << run.errors;
  std::set<std::string> names;
  std::istringstream lines(run.output);
  std::string address, type, name;
  while (lines >> address >> type >> name) {
    names.insert(name);
  }
  return names;
}

TEST(PluginFilesTest, EachExportsExactlyItsSixEntryPoints) {
  EXPECT_EQ(
      DefinedDynamicSymbols(GANNET_PLUGIN_PATH),
      (std::set<std::string>{"MCP_InitializePluginProc", "MCP_PluginEntry", "MCP_GetPluginInfo",
                             "MCP_ReleasePlugin", "MCP_GetExporterInfo", "MCP_ExecuteExport"}));
  EXPECT_EQ(
      DefinedDynamicSymbols(SKERRY_PLUGIN_PATH),
      (std::set<std::string>{"MCP_InitializePluginProc", "MCP_PluginEntry", "MCP_GetPluginInfo",
                             "MCP_ReleasePlugin", "MCP_GetToolInfo", "MCP_ToolSwitch"}));
}
#endif

class GannetTest : public ::testing::Test {
 protected:
  Plugin plugin_{GANNET_PLUGIN_PATH};
};

TEST_F(GannetTest, VersionGateOpensAtTheMinimumHostVersion) {
  auto entry = plugin_.Export<PluginEntryFn>(kExportPluginEntry);
  EXPECT_EQ(entry(0, 0, 0x505FF), 0);
  EXPECT_EQ(entry(0, 0, 0x50600), 1);
  EXPECT_EQ(entry(7, 9, 0xFFFFFFFF), 1);
  EXPECT_EQ(entry(0, 0, 0), 0);
}

TEST_F(GannetTest, TableIndicesOutsideTheTableAreIgnored) {
  auto init = plugin_.Export<InitializePluginProcFn>(kExportInitializePluginProc);
  EXPECT_EQ(init(136, 0xDEAD), 136);
  EXPECT_EQ(init(-1, 0xDEAD), -1);
  EXPECT_EQ(init(135, 0), 135);
  // Slot 0 still reaches our SubmitInfo.
  EXPECT_EQ(plugin_.Export<GetPluginInfoFn>(kExportGetPluginInfo)(kContext0, kContext1, 0), 1);
  EXPECT_EQ(g_submissions.size(), 1u);
}

TEST_F(GannetTest, PluginInfoDescribesTheExporter) {
  auto info = plugin_.Export<GetPluginInfoFn>(kExportGetPluginInfo);
  EXPECT_EQ(info(kContext0, kContext1, 1), 0);
  EXPECT_TRUE(g_submissions.empty());
  EXPECT_EQ(info(kContext0, kContext1, 0), 1);
  ASSERT_EQ(g_submissions.size(), 1u);
  const Submission& s = g_submissions[0];
  EXPECT_EQ(s.id_low, 0u);
  EXPECT_EQ(s.id_high, 0u);
  EXPECT_EQ(s.context0, kContext0);
  EXPECT_EQ(s.context1, kContext1);
  EXPECT_EQ(s.kind, 0);
  ASSERT_EQ(s.bytes.size(), kPointer == 4 ? 26u : 34u);
  EXPECT_EQ(TextAt(s.bytes, 0), "Gannet");
  EXPECT_EQ(TextAt(s.bytes, kPointer), "PlayStation Gannet");
  const std::size_t kind = 2 * kPointer;
  EXPECT_EQ(ReadAt<std::uint16_t>(s.bytes, kind), 1);
  EXPECT_EQ(ReadAt<std::uint64_t>(s.bytes, kind + 2), 97u);
  EXPECT_EQ(ReadAt<std::uint64_t>(s.bytes, kind + 10), 97u);
}

TEST_F(GannetTest, ReleaseAnswersItsFirstArgument) {
  auto release = plugin_.Export<ReleasePluginFn>(kExportReleasePlugin);
  EXPECT_EQ(release(97, 0), 97u);
  EXPECT_EQ(release(1234, 5), 1234u);
}

TEST_F(GannetTest, ExporterInfoSubmitsOptionsThenFileType) {
  auto info = plugin_.Export<GetExporterInfoFn>(kExportGetExporterInfo);
  EXPECT_EQ(info(kContext0, kContext1, 96, 0), 0);
  EXPECT_TRUE(g_submissions.empty());
  // Only the low half is compared.
  EXPECT_EQ(info(kContext0, kContext1, 97, 5), 1);
  ASSERT_EQ(g_submissions.size(), 2u);

  const Submission& options = g_submissions[0];
  EXPECT_EQ(options.kind, 2);
  EXPECT_EQ(options.id_low, 97u);
  EXPECT_EQ(options.id_high, 5u);
  EXPECT_EQ(options.context0, kContext0);
  EXPECT_EQ(options.context1, kContext1);
  ASSERT_EQ(options.bytes.size(), kPointer == 4 ? 25u : 29u);
  EXPECT_EQ(ReadAt<std::uint32_t>(options.bytes, 0), options.bytes.size());
  EXPECT_EQ(TextAt(options.bytes, 8), "FlipV|restrFlipVValue=1");
  EXPECT_TRUE(ZeroOutside(options.bytes, {{0, 4}, {8, 8 + kPointer}}));

  const Submission& type = g_submissions[1];
  EXPECT_EQ(type.kind, 1);
  EXPECT_EQ(type.id_low, 97u);
  EXPECT_EQ(type.id_high, 5u);
  ASSERT_EQ(type.bytes.size(), kPointer == 4 ? 24u : 32u);
  EXPECT_EQ(TextAt(type.bytes, 4), "rsd");
  EXPECT_EQ(TextAt(type.bytes, 4 + kPointer), "PlayStation (filename must be <=7 chars!)");
  const std::size_t values = 4 + 2 * kPointer;
  EXPECT_EQ(ReadAt<std::uint16_t>(type.bytes, values), 4);
  EXPECT_EQ(ReadAt<std::uint16_t>(type.bytes, values + 2), 2);
  EXPECT_EQ(ReadAt<std::uint8_t>(type.bytes, values + 6), 1);
  EXPECT_EQ(ReadAt<float>(type.bytes, values + 7), 1.0f);
  EXPECT_TRUE(ZeroOutside(type.bytes, {{4, values + 4}, {values + 6, values + 11}}));
}

TEST_F(GannetTest, ExportRunsOnlyForItsOwnIdentifier) {
  auto execute = plugin_.Export<ExecuteExportFn>(kExportExecuteExport);
  ExportParams params{};
  params.path = "C:\\models\\ship.rsd";
  params.scale = 1.0f;
  EXPECT_EQ(execute(kContext0, kContext1, 96, 0, 1, &params), 0);
  EXPECT_EQ(execute(kContext0, kContext1, 97, 1, 1, &params), 0);
  EXPECT_EQ(execute(kContext0, kContext1, 97, 0, 1, nullptr), 0);
  EXPECT_EQ(g_scene_calls, 0);
  EXPECT_TRUE(g_submissions.empty());
}

#ifndef _WIN32
TEST_F(GannetTest, OwnIdentifierReachesTheExportDriver) {
  auto execute = plugin_.Export<ExecuteExportFn>(kExportExecuteExport);
  ExportParams params{};
  params.path = "C:\\models\\ship.rsd";
  params.scale = 1.0f;
  // An empty scene: the driver looks and reports through the host's hook.
  EXPECT_EQ(execute(kContext0, kContext1, 97, 0, 1, &params), 0);
  EXPECT_EQ(g_scene_calls, 1);
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_EQ(g_boxes[0].caption, "Gannet");
}
#endif

class SkerryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(plugin_.loaded());
    plugin_.Export<GetPluginInfoFn>(kExportGetPluginInfo)(kContext0, kContext1, 0);
    ASSERT_EQ(g_submissions.size(), 1u);
    const std::uint64_t id = ReadAt<std::uint64_t>(g_submissions[0].bytes, 2 * kPointer + 2);
    id_low_ = static_cast<std::uint32_t>(id);
    id_high_ = static_cast<std::uint32_t>(id >> 32);
    g_submissions.clear();
  }
  Plugin plugin_{SKERRY_PLUGIN_PATH};
  std::uint32_t id_low_ = 0, id_high_ = 0;
};

TEST_F(SkerryTest, PluginInfoDescribesTheTool) {
  plugin_.Export<GetPluginInfoFn>(kExportGetPluginInfo)(kContext0, kContext1, 0);
  ASSERT_EQ(g_submissions.size(), 1u);
  const Submission& s = g_submissions[0];
  EXPECT_EQ(s.kind, 0);
  EXPECT_EQ(s.id_low, 0u);
  EXPECT_EQ(s.id_high, 0u);
  EXPECT_EQ(TextAt(s.bytes, 0), "Skerry");
  EXPECT_EQ(TextAt(s.bytes, kPointer), "Skerry");
  EXPECT_EQ(ReadAt<std::uint16_t>(s.bytes, 2 * kPointer), 2);
  EXPECT_EQ(ReadAt<std::uint64_t>(s.bytes, 2 * kPointer + 10), 97u);
  EXPECT_NE(id_low_ | id_high_, 0u);
  const std::uint64_t id = (std::uint64_t{id_high_} << 32) | id_low_;
  EXPECT_EQ(plugin_.Export<ReleasePluginFn>(kExportReleasePlugin)(1, 2), id);
}

TEST_F(SkerryTest, ToolInfoNeedsBothIdentifierHalves) {
  auto info = plugin_.Export<GetToolInfoFn>(kExportGetToolInfo);
  EXPECT_EQ(info(kContext0, kContext1, id_low_, id_high_ ^ 1), 0);
  EXPECT_EQ(info(kContext0, kContext1, id_low_ + 1, id_high_), 0);
  EXPECT_EQ(info(kContext0, kContext1, 97, 0), 0);
  EXPECT_TRUE(g_submissions.empty());
  EXPECT_EQ(info(kContext0, kContext1, id_low_, id_high_), 1);
  EXPECT_EQ(info(kContext0, kContext1, id_low_, id_high_), 1);
  ASSERT_EQ(g_submissions.size(), 2u);

  const Submission& s = g_submissions[0];
  EXPECT_EQ(s.kind, 1);
  EXPECT_EQ(s.id_low, id_low_);
  EXPECT_EQ(s.id_high, id_high_);
  EXPECT_EQ(s.context0, kContext0);
  EXPECT_EQ(s.context1, kContext1);
  ASSERT_EQ(s.bytes.size(), kPointer == 4 ? 54u : 62u);
  EXPECT_EQ(ReadAt<std::uint32_t>(s.bytes, 0), 22u);
  EXPECT_EQ(ReadAt<std::uint32_t>(s.bytes, 4), 26u);
  EXPECT_EQ(TextAt(s.bytes, 8 + kPointer), "");
  EXPECT_EQ(ReadAt<std::uint16_t>(s.bytes, 8 + 2 * kPointer), 2);
  EXPECT_TRUE(ZeroOutside(s.bytes, {{0, 8 + 2 * kPointer + 2}}));

#ifdef _WIN32
  // A bitmap resource loaded afresh on every call, at its own size.
  BITMAP picture{};
  ASSERT_EQ(GetObjectA(ReadAt<HBITMAP>(s.bytes, 8), sizeof picture, &picture),
            static_cast<int>(sizeof picture));
  EXPECT_EQ(picture.bmWidth, 22);
  EXPECT_EQ(picture.bmHeight, 26);
#else
  // The same bitmap every time: a 22 by 26 BMP of 24 bits per pixel.
  const auto bitmap = ReadAt<const unsigned char*>(s.bytes, 8);
  EXPECT_EQ(bitmap, ReadAt<const unsigned char*>(g_submissions[1].bytes, 8));
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bitmap), 2), "BM");
  std::vector<unsigned char> header(bitmap, bitmap + 54);
  EXPECT_EQ(ReadAt<std::uint32_t>(header, 2), 1822u);
  EXPECT_EQ(ReadAt<std::int32_t>(header, 18), 22);
  EXPECT_EQ(ReadAt<std::int32_t>(header, 22), 26);
  EXPECT_EQ(ReadAt<std::uint16_t>(header, 28), 24);
#endif
}

TEST_F(SkerryTest, SwitchClearsTheStateFieldAndRunsOnlyWhenSwitchedOn) {
  auto toggle = plugin_.Export<ToolSwitchFn>(kExportToolSwitch);
  for (const auto& [low, high, state] :
       {std::tuple{id_low_, id_high_, 0}, std::tuple{id_low_, id_high_, 2},
        std::tuple{id_low_, id_high_ ^ 1, 1}, std::tuple{97u, 0u, 1}}) {
    ToolStateRecord record;
    std::memset(&record, 0xAB, sizeof record);
    EXPECT_EQ(toggle(kContext0, kContext1, low, high, static_cast<std::uint8_t>(state), 1, &record),
              0);
    EXPECT_EQ(std::uint32_t{record.field}, 0u);  // a copy: the field is unaligned
    for (unsigned char byte : record.reserved) {
      EXPECT_EQ(byte, 0xAB);
    }
  }
  EXPECT_EQ(toggle(kContext0, kContext1, id_low_, id_high_, 0, 1, nullptr), 0);
  EXPECT_EQ(g_scene_calls, 0);
  EXPECT_TRUE(g_submissions.empty());
}

#ifndef _WIN32
// A scratch drive C: for the tool's script search.
class SkerryScriptTest : public SkerryTest {
 protected:
  void SetUp() override {
    SkerryTest::SetUp();
    setenv("GANNET_DRIVE_C", drive_.path().c_str(), 1);
  }
  void TearDown() override { unsetenv("GANNET_DRIVE_C"); }
  const gannet_testing::TempFolder drive_{"plugin_exports_test"};
};

TEST_F(SkerryScriptTest, SwitchOnWithoutAScriptSaysSo) {
  auto toggle = plugin_.Export<ToolSwitchFn>(kExportToolSwitch);
  ToolStateRecord record{};
  EXPECT_EQ(toggle(kContext0, kContext1, id_low_, id_high_, 1, 1, &record), 0);
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_EQ(g_boxes[0].caption, "Skerry");
  EXPECT_NE(g_boxes[0].text.find("MarbleCLay not found"), std::string::npos);
}

TEST_F(SkerryScriptTest, SwitchOnRunsAnEmptyScriptToItsEnd) {
  std::filesystem::create_directories(drive_ / "MarbleCLAY" / "plugin");
  std::ofstream(drive_ / "MarbleCLAY" / "plugin" / "SkerryScript.txt");
  auto toggle = plugin_.Export<ToolSwitchFn>(kExportToolSwitch);
  ToolStateRecord record{};
  record.field = 5;
  EXPECT_EQ(toggle(kContext0, kContext1, id_low_, id_high_, 1, 1, &record), 1);
  EXPECT_EQ(std::uint32_t{record.field}, 0u);  // a copy: the field is unaligned
  EXPECT_TRUE(g_boxes.empty());
}
#endif

}  // namespace
