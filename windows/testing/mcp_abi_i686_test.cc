// The plug-in boundary as the 32-bit host calls it: each of the six exports
// of each plug-in, called many thousand times through pointers of exactly the
// types of hostplugin/mcp_abi.h, must leave the stack pointer where it was
// (an export that removed its own arguments, or took other ones, would move
// it), and every record it submits must have the size and the field offsets
// of the 32-bit tables, read here as raw bytes.
//
// The plug-ins tested are those in GANNET_PLUGIN_FOLDER when it is set (the
// shipped files), otherwise those of this build.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "clayhost/plugin_library.h"
#include "hostplugin/mcp_abi.h"
#include "platform/host_hook.h"

static_assert(sizeof(void*) == 4, "the boundary of the 32-bit host");

// None of the calls here shows a message box; one that did fails the test.
extern "C" int ClayHostMessageBox(const char* caption, const char*, int) {
  ADD_FAILURE() << "unexpected message box: " << caption;
  return 0;
}

namespace {

constexpr int kCalls = 5000;
constexpr mcp::Context kContext0 = 0x0C1A0001;
constexpr mcp::Context kContext1 = 0x0C1A0002;

struct Submitted {
  std::uint32_t id_low, id_high;
  mcp::Context context0, context1;
  std::int32_t kind;
  std::vector<unsigned char> bytes;
};

std::vector<Submitted> submitted;

std::int32_t MCP_CALL RecordSubmit(std::uint32_t id_low, std::uint32_t id_high,
                                   mcp::Context context0, mcp::Context context1, std::int32_t kind,
                                   const void* record, std::int32_t size) {
  const auto* bytes = static_cast<const unsigned char*>(record);
  submitted.push_back({id_low, id_high, context0, context1, kind, {bytes, bytes + size}});
  return 0;
}

// The stack pointer's move across one call; this file is compiled so that
// the compiler neither pushes arguments nor pops them after a call, so any
// move is the callee's.
template <typename Fn, typename... Args>
__attribute__((noinline)) auto CallMeasured(std::int32_t* moved, Fn fn, Args... args) {
  std::uintptr_t before = 0;
  std::uintptr_t after = 0;
  asm volatile("movl %%esp, %0" : "=r"(before));
  const auto result = fn(args...);
  asm volatile("movl %%esp, %0" : "=r"(after));
  // Puts the stack pointer back, so that a callee that moved it cannot make
  // this function read its locals from the wrong place.
  asm volatile("movl %0, %%esp" : : "r"(before));
  *moved = static_cast<std::int32_t>(after - before);
  return result;
}

// Calls `fn` and fails the test when the stack pointer moved.
template <typename Fn, typename... Args>
auto CallChecked(Fn fn, Args... args) {
  std::int32_t moved = 0;
  const auto result = CallMeasured(&moved, fn, args...);
  EXPECT_EQ(moved, 0) << "the stack pointer moved across the call";
  return result;
}

template <typename T>
T Field(const Submitted& record, std::size_t offset) {
  T value{};
  std::memcpy(&value, record.bytes.data() + offset, sizeof(T));
  return value;
}

std::string TextAt(const Submitted& record, std::size_t offset) {
  const auto* text = reinterpret_cast<const char*>(Field<std::uint32_t>(record, offset));
  return text == nullptr ? "(null)" : text;
}

bool ZeroFrom(const Submitted& record, std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to; ++i) {
    if (record.bytes[i] != 0) {
      return false;
    }
  }
  return true;
}

// A folder may be given in the machine's spelling: under wine, drive Z: is
// the machine's root.
std::string PluginPath(const char* name) {
  const char* given = std::getenv("GANNET_PLUGIN_FOLDER");
  const std::string folder = given != nullptr ? given : GANNET_BUILT_PLUGIN_FOLDER;
  return (folder.starts_with('/') ? "Z:" : "") + folder + "\\" + name;
}

class Boundary : public ::testing::Test {
 protected:
  void Load(const char* name) {
    std::string error;
    library_ = clayhost::PluginLibrary::Open(PluginPath(name), &error);
    ASSERT_TRUE(library_) << PluginPath(name) << ": " << error;
    submitted.clear();
    init_ = Export<mcp::InitializePluginProcFn>(mcp::kExportInitializePluginProc);
    entry_ = Export<mcp::PluginEntryFn>(mcp::kExportPluginEntry);
    info_ = Export<mcp::GetPluginInfoFn>(mcp::kExportGetPluginInfo);
    release_ = Export<mcp::ReleasePluginFn>(mcp::kExportReleasePlugin);
  }

  template <typename Fn>
  Fn Export(const char* name) {
    const std::uintptr_t address = library_->Find(name);
    EXPECT_NE(address, 0u) << name;
    return reinterpret_cast<Fn>(address);
  }

  // The first four exports, which both plug-ins have; returns the identifier
  // of the last PluginInfoRecord.
  std::uint64_t CallCommonExports(std::uint16_t kind, const char* name, const char* description) {
    std::uint64_t id = 0;
    for (int i = 0; i < kCalls; ++i) {
      const std::int32_t index = i % 140;
      const auto value = index == 0 ? reinterpret_cast<std::uintptr_t>(&RecordSubmit) : 0u;
      EXPECT_EQ(CallChecked(init_, index, value), index);
      const std::uint32_t version = i % 2 == 0 ? mcp::kMinimumHostVersion : 0x505FF;
      EXPECT_EQ(CallChecked(entry_, 7u, 8u, version), i % 2 == 0 ? 1 : 0);

      submitted.clear();
      EXPECT_EQ(CallChecked(info_, kContext1, kContext0, i % 3), i % 3 == 0 ? 1 : 0);
      if (i % 3 != 0) {
        EXPECT_TRUE(submitted.empty());
        continue;
      }
      EXPECT_EQ(submitted.size(), 1u);
      if (submitted.size() != 1) {
        return 0;
      }
      const Submitted& record = submitted[0];
      EXPECT_EQ(record.kind, mcp::kInfoKindPlugin);
      EXPECT_EQ(record.id_low | record.id_high, 0u);
      EXPECT_EQ(record.context0, kContext1);
      EXPECT_EQ(record.context1, kContext0);
      EXPECT_EQ(record.bytes.size(), 26u);
      if (record.bytes.size() != 26) {
        return 0;
      }
      EXPECT_EQ(TextAt(record, 0), name);
      EXPECT_EQ(TextAt(record, 4), description);
      EXPECT_EQ(Field<std::uint16_t>(record, 8), kind);
      id = Field<std::uint64_t>(record, 10);
      EXPECT_EQ(Field<std::uint64_t>(record, 18), 97u);
    }
    return id;
  }

  void CallRelease(std::uint32_t id_low, std::uint32_t id_high, std::uintptr_t expected) {
    for (int i = 0; i < kCalls; ++i) {
      EXPECT_EQ(CallChecked(release_, id_low, id_high), expected);
    }
  }

  std::optional<clayhost::PluginLibrary> library_;
  mcp::InitializePluginProcFn init_ = nullptr;
  mcp::PluginEntryFn entry_ = nullptr;
  mcp::GetPluginInfoFn info_ = nullptr;
  mcp::ReleasePluginFn release_ = nullptr;
};

// Removes its own three arguments from the stack, as a wrong convention would.
std::int32_t __stdcall RemovesItsArguments(std::uint32_t, std::uint32_t, std::uint32_t) {
  return 1;
}

TEST(StackCheck, SeesACalleeThatRemovesItsArguments) {
  std::int32_t moved = 0;
  const auto wrong =
      reinterpret_cast<mcp::PluginEntryFn>(reinterpret_cast<void*>(&RemovesItsArguments));
  CallMeasured(&moved, wrong, 0u, 0u, 0u);
  EXPECT_EQ(moved, 12);
}

TEST_F(Boundary, ExporterExports) {
  ASSERT_NO_FATAL_FAILURE(Load("Gannet.mcp"));
  EXPECT_EQ(CallCommonExports(1, "Gannet", "PlayStation Gannet"), 97u);
  const auto exporter_info = Export<mcp::GetExporterInfoFn>(mcp::kExportGetExporterInfo);
  const auto execute = Export<mcp::ExecuteExportFn>(mcp::kExportExecuteExport);
  ASSERT_TRUE(exporter_info && execute);

  for (int i = 0; i < kCalls; ++i) {
    submitted.clear();
    // The high half is not looked at; only the low half decides.
    const std::uint32_t id_low = i % 2 == 0 ? 97u : 96u;
    ASSERT_EQ(CallChecked(exporter_info, kContext0, kContext1, id_low, std::uint32_t(i)),
              i % 2 == 0 ? 1 : 0);
    if (i % 2 != 0) {
      ASSERT_TRUE(submitted.empty());
      continue;
    }
    ASSERT_EQ(submitted.size(), 2u);
    const Submitted& options = submitted[0];
    const Submitted& info = submitted[1];
    EXPECT_EQ(options.kind, mcp::kInfoKindExporterOptions);
    EXPECT_EQ(options.id_low, 97u);
    EXPECT_EQ(options.id_high, std::uint32_t(i));
    EXPECT_EQ(options.context0, kContext0);
    EXPECT_EQ(options.context1, kContext1);
    ASSERT_EQ(options.bytes.size(), 25u);
    EXPECT_EQ(Field<std::uint32_t>(options, 0), 25u);
    EXPECT_TRUE(ZeroFrom(options, 4, 8));
    EXPECT_EQ(TextAt(options, 8), "FlipV|restrFlipVValue=1");
    EXPECT_TRUE(ZeroFrom(options, 12, 25));

    EXPECT_EQ(info.kind, mcp::kInfoKindExporter);
    ASSERT_EQ(info.bytes.size(), 24u);
    EXPECT_EQ(Field<std::uint32_t>(info, 0), 0u);
    EXPECT_EQ(TextAt(info, 4), "rsd");
    EXPECT_EQ(TextAt(info, 8), "PlayStation (filename must be <=7 chars!)");
    EXPECT_EQ(Field<std::uint16_t>(info, 12), 4u);
    EXPECT_EQ(Field<std::uint16_t>(info, 14), 2u);
    EXPECT_EQ(Field<std::uint16_t>(info, 16), 0u);
    EXPECT_EQ(Field<std::uint8_t>(info, 18), 1u);
    EXPECT_EQ(Field<float>(info, 19), 1.0f);
    EXPECT_EQ(Field<std::uint8_t>(info, 23), 0u);
  }

  // Foreign identifiers: the whole argument list is passed, nothing runs.
  mcp::ExportParams params{};
  submitted.clear();
  for (int i = 0; i < kCalls; ++i) {
    const bool foreign_high = i % 2 == 0;
    ASSERT_EQ(CallChecked(execute, kContext0, kContext1, foreign_high ? 97u : 98u,
                          foreign_high ? 1u : 0u, mcp::Handle(0), &params),
              0);
  }
  EXPECT_TRUE(submitted.empty());
  CallRelease(97, 0, 97);
}

TEST_F(Boundary, ToolExports) {
  ASSERT_NO_FATAL_FAILURE(Load("Skerry.mcp"));
  const std::uint64_t id = CallCommonExports(2, "Skerry", "Skerry");
  ASSERT_NE(id, 0u);
  const auto id_low = static_cast<std::uint32_t>(id);
  const auto id_high = static_cast<std::uint32_t>(id >> 32);
  const auto tool_info = Export<mcp::GetToolInfoFn>(mcp::kExportGetToolInfo);
  const auto tool_switch = Export<mcp::ToolSwitchFn>(mcp::kExportToolSwitch);
  ASSERT_TRUE(tool_info && tool_switch);

  for (int i = 0; i < kCalls; ++i) {
    submitted.clear();
    const bool own = i % 2 == 0;
    ASSERT_EQ(CallChecked(tool_info, kContext0, kContext1, own ? id_low : id_low + 1, id_high),
              own ? 1 : 0);
    if (!own) {
      ASSERT_TRUE(submitted.empty());
      continue;
    }
    ASSERT_EQ(submitted.size(), 1u);
    const Submitted& info = submitted[0];
    EXPECT_EQ(info.kind, mcp::kInfoKindTool);
    EXPECT_EQ(info.id_low, id_low);
    EXPECT_EQ(info.id_high, id_high);
    ASSERT_EQ(info.bytes.size(), 54u);
    EXPECT_EQ(Field<std::uint32_t>(info, 0), 22u);
    EXPECT_EQ(Field<std::uint32_t>(info, 4), 26u);
    EXPECT_NE(Field<std::uint32_t>(info, 8), 0u) << "the tool bitmap";
    EXPECT_EQ(TextAt(info, 12), "");
    EXPECT_EQ(Field<std::uint16_t>(info, 16), 2u);
    EXPECT_TRUE(ZeroFrom(info, 18, 54));
  }

  // Switch state 0 and foreign identifiers: the record's field is cleared,
  // nothing runs.
  mcp::ToolStateRecord state{};
  for (int i = 0; i < kCalls; ++i) {
    state.field = 0xFFFFFFFFu;
    const bool own = i % 2 == 0;
    ASSERT_EQ(CallChecked(tool_switch, kContext0, kContext1, own ? id_low : id_low + 1, id_high,
                          std::uint8_t(own ? 0 : 1), mcp::Handle(0), &state),
              0);
    ASSERT_EQ(state.field, 0u);
  }
  CallRelease(0, 0, static_cast<std::uintptr_t>(id));
}

}  // namespace
