#include "clayhost/submitted_records.h"

#include <gtest/gtest.h>

#include <sstream>

namespace clayhost {
namespace {

SubmitCall CallWith(std::int32_t kind, const void* record, std::int32_t size) {
  SubmitCall call;
  call.kind = kind;
  call.record = record;
  call.size = size;
  return call;
}

TEST(CopySubmissionTest, KindsMeanWhatTheirCallSays) {
  mcp::ToolInfoRecord tool{};
  std::string problem;
  EXPECT_TRUE(
      CopySubmission(CallWith(1, &tool, sizeof tool), DescriptionCall::kToolInfo, &problem));
  // Kind 1 during MCP_GetExporterInfo is the exporter record, of another size.
  EXPECT_FALSE(
      CopySubmission(CallWith(1, &tool, sizeof tool), DescriptionCall::kExporterInfo, &problem));
  EXPECT_EQ(problem, "kind 1 record of " + std::to_string(sizeof tool) + " bytes; it has " +
                         std::to_string(sizeof(mcp::ExporterInfoRecord)));
  EXPECT_FALSE(
      CopySubmission(CallWith(2, &tool, sizeof tool), DescriptionCall::kToolInfo, &problem));
  EXPECT_EQ(problem, "kind 2 is no record of MCP_GetToolInfo");
  EXPECT_FALSE(CopySubmission(CallWith(0, nullptr, sizeof(mcp::PluginInfoRecord)),
                              DescriptionCall::kPluginInfo, &problem));
  EXPECT_EQ(problem, "null record");
  EXPECT_FALSE(CopySubmission(CallWith(0, &tool, -1), DescriptionCall::kPluginInfo, &problem));
}

TEST(CopySubmissionTest, CopiesTheTextsWhileTheRecordStillExists) {
  std::string name = "Gannet";
  mcp::PluginInfoRecord record{};
  record.name = name.c_str();
  record.description = nullptr;
  record.kind = 1;
  record.id = 0x100000061ull;
  std::string problem;
  auto copy =
      CopySubmission(CallWith(0, &record, sizeof record), DescriptionCall::kPluginInfo, &problem);
  ASSERT_TRUE(copy);
  name = "changed";  // the plug-in's memory is not read again
  std::ostringstream out;
  PrintRecord(*copy, out, "  ");
  EXPECT_EQ(out.str(),
            "  PluginInfoRecord\n"
            "    name = \"Gannet\"\n"
            "    description = null\n"
            "    kind = 1\n"
            "    id = 4294967393\n"
            "    value = 0\n");
}

}  // namespace
}  // namespace clayhost
