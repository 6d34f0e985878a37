#include "clayhost/command_line.h"

#include <gtest/gtest.h>

namespace clayhost {
namespace {

Options Parsed(const std::vector<std::string>& arguments,
               const std::string& installed_plugins = {}) {
  auto parsed = ParseCommandLine(arguments, installed_plugins);
  if (const auto* problem = std::get_if<std::string>(&parsed)) {
    ADD_FAILURE() << *problem;
    return {};
  }
  return std::get<Options>(parsed);
}

std::string ProblemOf(const std::vector<std::string>& arguments) {
  auto parsed = ParseCommandLine(arguments);
  const auto* problem = std::get_if<std::string>(&parsed);
  return problem != nullptr ? *problem : "(parsed)";
}

TEST(ParseCommandLineTest, ReadsAnExportWithEveryOption) {
  const Options options =
      Parsed({"export", "--plugin", "Gannet.mcp", "--scene", "ship.json", "--out", "out/ship.rsd",
              "--scale", "2.5", "--host-version", "0x50700", "--drive", "c=/srv/c", "--answer",
              "Launch NO$PSX?=no", "--answer", "a=b=cancel", "--transcript", "t.jsonl"});
  EXPECT_EQ(options.command, Command::kExport);
  EXPECT_EQ(options.plugin, "Gannet.mcp");
  EXPECT_EQ(options.scene, "ship.json");
  EXPECT_EQ(options.out, "out/ship.rsd");
  EXPECT_EQ(options.scale, 2.5f);
  EXPECT_EQ(options.host_version, 0x50700u);
  ASSERT_EQ(options.drives.size(), 1u);
  EXPECT_EQ(options.drives[0], std::make_pair('C', std::string("/srv/c")));
  EXPECT_EQ(options.answers.at("Launch NO$PSX?"), BoxAnswer::kNo);
  EXPECT_EQ(options.answers.at("a=b"), BoxAnswer::kCancel);  // split at the last "="
  EXPECT_EQ(options.transcript, "t.jsonl");
}

TEST(ParseCommandLineTest, DefaultsAndShortForms) {
  const Options tool = Parsed({"tool", "--plugin", "Skerry.mcp", "--scene", "s.obj"});
  EXPECT_EQ(tool.command, Command::kTool);
  EXPECT_EQ(tool.scale, 1.0f);
  EXPECT_EQ(tool.host_version, 0x50600u);
  const Options info = Parsed({"info", "Gannet.mcp", "--host-version", "329216"});
  EXPECT_EQ(info.command, Command::kInfo);
  EXPECT_EQ(info.plugin, "Gannet.mcp");
  EXPECT_EQ(info.host_version, 329216u);
  EXPECT_EQ(Parsed({"--help"}).command, Command::kHelp);
  EXPECT_EQ(Parsed({"export", "--help"}).command, Command::kHelp);
}

TEST(ParseCommandLineTest, AnInstalledHostTakesItsOwnPluginUnlessOneIsNamed) {
  const std::string installed = "/opt/g/share/gannet/MarbleCLAY/plugin";
  EXPECT_EQ(Parsed({"export", "--scene", "s.json", "--out", "o.rsd"}, installed).plugin,
            installed + "/Gannet.mcp");
  EXPECT_EQ(Parsed({"tool", "--scene", "s.json"}, installed).plugin, installed + "/Skerry.mcp");
  EXPECT_EQ(Parsed({"tool", "--plugin", "Mine.mcp", "--scene", "s.json"}, installed).plugin,
            "Mine.mcp");
  // info names its plug-in itself, and a host that is not installed has none.
  auto info = ParseCommandLine({"info"}, installed);
  ASSERT_TRUE(std::holds_alternative<std::string>(info));
  EXPECT_EQ(std::get<std::string>(info), "no plug-in named");
  EXPECT_EQ(ProblemOf({"tool", "--scene", "s.json"}), "no plug-in named");
}

TEST(ParseCommandLineTest, VersionIsACommandOfItsOwn) {
  EXPECT_EQ(Parsed({"--version"}).command, Command::kVersion);
  EXPECT_EQ(ProblemOf({"--version", "x"}), "unknown command \"--version\"");
  EXPECT_EQ(ProblemOf({"info", "p", "--version"}), "unknown argument \"--version\"");
}

TEST(ParseCommandLineTest, NamesWhatIsWrong) {
  EXPECT_EQ(ProblemOf({}), "no command given");
  EXPECT_EQ(ProblemOf({"run"}), "unknown command \"run\"");
  EXPECT_EQ(ProblemOf({"export", "--plugin", "p", "--scene", "s"}), "--out PATH is missing");
  EXPECT_EQ(ProblemOf({"tool", "--plugin", "p"}), "--scene FILE is missing");
  EXPECT_EQ(ProblemOf({"info"}), "no plug-in named");
  EXPECT_EQ(ProblemOf({"info", "p", "q"}), "unknown argument \"q\"");
  EXPECT_EQ(ProblemOf({"info", "p", "--drive"}), "--drive needs a value");
  EXPECT_EQ(ProblemOf({"info", "p", "--drive", "CC=/x"}),
            "--drive wants LETTER=DIR, not \"CC=/x\"");
  EXPECT_EQ(ProblemOf({"info", "p", "--drive", "1=/x"}), "--drive wants LETTER=DIR, not \"1=/x\"");
  EXPECT_EQ(ProblemOf({"info", "p", "--answer", "Gannet=maybe"}),
            "--answer \"Gannet=maybe\": the answer must be ok, yes, no or cancel");
  EXPECT_EQ(ProblemOf({"info", "p", "--answer", "=yes"}),
            "--answer wants CAPTION=ANSWER, not \"=yes\"");
  EXPECT_EQ(ProblemOf({"info", "p", "--scale", "1,5"}), "--scale \"1,5\" is not a number");
  EXPECT_EQ(ProblemOf({"info", "p", "--host-version", "0x100000000"}),
            "--host-version \"0x100000000\" is not a 32-bit number");
  EXPECT_EQ(ProblemOf({"info", "p", "--host-version", "-1"}),
            "--host-version \"-1\" is not a 32-bit number");
}

TEST(TargetForOutTest, ThePluginsExtensionIsKeptOrAdded) {
  const auto target = [](const std::string& out, const std::string& extension = "rsd") {
    const ExportTarget made = TargetForOut(out, extension);
    return made.problem.empty() ? made.path + (made.appended ? " (appended)" : "") : made.problem;
  };
  EXPECT_EQ(target("out/ship.rsd"), "out/ship.rsd");
  EXPECT_EQ(target("out/SHIP.Rsd"), "out/SHIP.Rsd");
  EXPECT_EQ(target("out/abc"), "out/abc.rsd (appended)");
  EXPECT_EQ(target("out/a.rs"), "out/a.rs.rsd (appended)");
  EXPECT_EQ(target("x.rsd/ship"), "x.rsd/ship.rsd (appended)");
  EXPECT_EQ(target("out/.rsd"), "--out out/.rsd names no file before .rsd");
  EXPECT_EQ(target("out/.."), "--out out/.. names a folder; give a file name ending in .rsd");
  EXPECT_EQ(target("abc", ""), "abc");
}

}  // namespace
}  // namespace clayhost
