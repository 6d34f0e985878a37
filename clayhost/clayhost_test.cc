// clayhost run as a process, as users and the other tests run it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

std::string ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

class ClayhostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("clayhost_test_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  /// Runs clayhost in the test's folder with `arguments` and the
  /// environment additions `environment`.
  Outcome Run(const std::vector<std::string>& arguments,
              const std::map<std::string, std::string>& environment = {}) const {
    std::string command = "cd " + Quoted(folder_.string()) + " && env";
    for (const auto& [name, value] : environment) {
      command += " " + Quoted(name + "=" + value);
    }
    command += " " + Quoted(CLAYHOST_PROGRAM);
    for (const std::string& argument : arguments) {
      command += " " + Quoted(argument);
    }
    command += " </dev/null >" + Quoted((folder_ / "stdout").string()) + " 2>" +
               Quoted((folder_ / "stderr").string());
    Outcome outcome;
    const int status = std::system(command.c_str());
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.out = ReadAll(folder_ / "stdout");
    outcome.err = ReadAll(folder_ / "stderr");
    return outcome;
  }

  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

  fs::path folder_;
};

const std::string kTestData = CLAYHOST_TESTDATA;

constexpr char kProbeInfo[] =
    "MCP_PluginEntry(0, 0, 0x50600) = 1\n"
    "MCP_InitializePluginProc(0 .. 135) = each its index\n"
    "MCP_GetPluginInfo(0xC1A0001, 0xC1A0002, 0)\n"
    "  SubmitInfo(0, 0, 0xC1A0001, 0xC1A0002, kind 0, 34 bytes)\n"
    "    PluginInfoRecord\n"
    "      name = \"Probe\"\n"
    "      description = \"Probe of the h\\xF6st\"\n"
    "      kind = 1\n"
    "      id = 4242\n"
    "      value = 7\n"
    "= 1\n"
    "MCP_GetExporterInfo(0xC1A0001, 0xC1A0002, 4242, 0)\n"
    "  SubmitInfo(4242, 0, 0xC1A0001, 0xC1A0002, kind 2, 29 bytes)\n"
    "    ExporterOptionsRecord\n"
    "      size = 25\n"
    "      reserved4 = 0\n"
    "      options = \"Probe=1\"\n"
    "      reserved = 00 00 00 00 00 00 00 00 00 00 00 00 00\n"
    "  SubmitInfo(4242, 0, 0xC1A0001, 0xC1A0002, kind 1, 32 bytes)\n"
    "    ExporterInfoRecord\n"
    "      value0 = 0\n"
    "      extension = \"prb\"\n"
    "      description = \"Probe \\\"files\\\"\"\n"
    "      value12 = 4\n"
    "      value14 = 0\n"
    "      value16 = 0\n"
    "      value18 = 1\n"
    "      scale = 0.5 (0x3F000000)\n"
    "      value23 = 0\n"
    "  SubmitInfo(4242, 0, 0xC1A0001, 0xC1A0002, kind 1, 3 bytes)\n"
    "= 1\n"
    "MCP_ReleasePlugin(4242, 0) = 4242\n";

TEST_F(ClayhostTest, InfoPrintsEveryRecordAndRefusesABadOne) {
  const Outcome info = Run({"info", CLAYHOST_PROBE}, {{"PROBE_MISUSE", "1"}});
  EXPECT_EQ(info.status, 0);
  EXPECT_EQ(info.out, kProbeInfo);
  EXPECT_EQ(info.err,
            "clayhost: plug-in error: SubmitInfo: kind 1 record of 3 bytes; it has 32; record "
            "refused\n");
}

TEST_F(ClayhostTest, InfoOfAToolShowsItsToolRecord) {
  const Outcome info = Run({"info", "--plugin", CLAYHOST_PROBE}, {{"PROBE_KIND", "tool"}});
  EXPECT_EQ(info.status, 0) << info.err;
  EXPECT_NE(info.out.find("MCP_GetToolInfo(0xC1A0001, 0xC1A0002, 4242, 0)\n"
                          "  SubmitInfo(4242, 0, 0xC1A0001, 0xC1A0002, kind 1, 62 bytes)\n"
                          "    ToolInfoRecord\n"
                          "      width = 22\n"
                          "      height = 26\n"
                          "      bitmap = 0xB17\n"
                          "      text = \"\"\n"
                          "      value16 = 2\n"
                          "      reserved = 00"),
            std::string::npos)
      << info.out;
}

TEST_F(ClayhostTest, ExportServesTheSceneAndThePathInWindowsSpelling) {
  const Outcome run = Run({"export", "--plugin", CLAYHOST_PROBE, "--scene",
                           kTestData + "/probe.json", "--out", "out.prb", "--scale", "2.5"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  std::string windows = "Z:" + Path("out.prb");
  for (char& c : windows) {
    c = c == '/' ? '\\' : c;
  }
  EXPECT_EQ(ReadAll(folder_ / "out.prb.params"), "path " + windows + " scale 2.5\n");
  EXPECT_EQ(ReadAll(folder_ / "out.prb"),
            "objects: 1\n"
            "object 0\n"
            "  Name: size 5 \"boat\"\n"
            "  Activated: size 2 \"1\"\n"
            "  Missing: absent (0)\n"
            "  vertices: 3\n"
            "    0: 1 flags 0x0 (1, 2, 3)\n"
            "    1: 1 flags 0x40 (4, 5, 6)\n"
            "    2: 1 flags 0x0 (7, 8, 9)\n"
            "  faces: 1\n"
            "    0: 1 flags 0x20 corners 3 material 0 \"sail~8x4x4\"\n"
            "      corner 0: vertex 0 texcoord 1 uv (0.25, 0.75)\n"
            "      corner 1: vertex 1 texcoord 0\n"
            "      corner 2: vertex 2 texcoord 1 uv (0.25, 0.75)\n"
            "      corner 3: vertex 0 texcoord 0\n"
            "materials: 1\n"
            "  0: \"sail~8x4x4\"\n"
            "    Diffuse: type 3 color (1, 0.5, 0.25, 1)\n"
            "    DiffuseMap: type 5 texture size 5 \"sail\" saved 1 as " +
                windows +
                ".tex0.bmp\n"
                "    Refraction: type 2 value 1.250000\n"
                "box answer: 6\n"
                "box answer: 1\n");
  const std::string bmp = ReadAll(folder_ / "out.prb.tex0.bmp");
  ASSERT_EQ(bmp.size(), 54u + 4 * 24);
  EXPECT_EQ(bmp.substr(54, 3), std::string("\xFF\x80\x00", 3));
  EXPECT_EQ(run.out,
            "--- message box \"Probe question\" (yesnocancel) ---\n"
            "Go on?\nYes \xC3\xA9t\xC3\xA9\n"
            "--- answered: yes ---\n"
            "--- message box \"Probe\" (ok) ---\nDone.\n--- answered: ok ---\n"
            "clayhost: MCP_ExecuteExport answered 1\n");
}

TEST_F(ClayhostTest, AnswersAndTranscriptFollowTheCaptions) {
  const Outcome run =
      Run({"export", "--plugin", CLAYHOST_PROBE, "--scene", kTestData + "/probe.json", "--out",
           "out.prb", "--answer", "Probe question=cancel", "--answer", "Probe=yes", "--transcript",
           "boxes.jsonl"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(ReadAll(folder_ / "out.prb").find("box answer: 2\nbox answer: 1\n"), std::string::npos);
  EXPECT_EQ(ReadAll(folder_ / "boxes.jsonl"),
            "{\"caption\": \"Probe question\", \"text\": \"Go on?\\r\\nYes \xC3\xA9t\xC3\xA9\", "
            "\"buttons\": \"yesnocancel\", \"answer\": \"cancel\"}\n"
            "{\"caption\": \"Probe\", \"text\": \"Done.\", \"buttons\": \"ok\", \"answer\": "
            "\"ok\"}\n");
  EXPECT_EQ(run.err,
            "clayhost: the answer yes for \"Probe\" is not a button of this ok box; answering "
            "ok\n");
}

TEST_F(ClayhostTest, ExitStatusFollowsTheWorkingCall) {
  const std::vector<std::string> export_probe = {
      "export", "--plugin", CLAYHOST_PROBE, "--scene", kTestData + "/probe.json", "--out", "x"};
  EXPECT_EQ(Run(export_probe, {{"PROBE_RESULT", "0"}}).status, 1);
  EXPECT_EQ(Run(export_probe, {{"PROBE_RESULT", "1"}}).status, 0);

  const Outcome tool = Run({"tool", "--plugin", CLAYHOST_PROBE, "--scene", kTestData + "/cube.obj"},
                           {{"PROBE_KIND", "tool"}, {"PROBE_OUT", Path("tool.txt")}});
  EXPECT_EQ(tool.status, 0) << tool.err;
  EXPECT_NE(tool.out.find("clayhost: MCP_ToolSwitch answered 1\n"), std::string::npos);
  const std::string dump = ReadAll(folder_ / "tool.txt");
  EXPECT_NE(dump.find("  Name: size 6 \"crate\"\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("  0: \"crate~16x16x4\"\n"
                      "    Diffuse: type 3 color (0.8, 0.6, 0.4, 1)\n"
                      "    DiffuseMap: type 5 texture size 10 \"crate.png\" saved 1 as Z:"),
            std::string::npos)
      << dump;
  EXPECT_EQ(Run({"tool", "--plugin", CLAYHOST_PROBE, "--scene", kTestData + "/cube.obj"},
                {{"PROBE_KIND", "tool"}})
                .status,
            1);
}

TEST_F(ClayhostTest, UnusablePluginsAndArgumentsExitWithTwo) {
  const Outcome missing = Run({"info", "no-such.mcp"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err.rfind("clayhost: cannot load the plug-in no-such.mcp: ", 0), 0u)
      << missing.err;
  EXPECT_EQ(missing.out, "");

  const Outcome text = Run({"info", kTestData + "/cube.obj"});
  EXPECT_EQ(text.status, 2);
  EXPECT_EQ(text.err.rfind("clayhost: cannot load the plug-in " + kTestData + "/cube.obj: ", 0),
            0u);

  const Outcome library = Run({"info", CLAYHOST_NOT_A_PLUGIN});
  EXPECT_EQ(library.status, 2);
  EXPECT_EQ(library.err, std::string("clayhost: ") + CLAYHOST_NOT_A_PLUGIN +
                             " is not a plug-in: it has no export MCP_InitializePluginProc\n");

  const Outcome refused = Run({"info", CLAYHOST_PROBE, "--host-version", "0x505FF"});
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.err, std::string("clayhost: ") + CLAYHOST_PROBE +
                             ": the plug-in refused host version 0x505FF (MCP_PluginEntry "
                             "answered 0)\n");

  const Outcome wrong_kind =
      Run({"tool", "--plugin", CLAYHOST_PROBE, "--scene", kTestData + "/probe.json"});
  EXPECT_EQ(wrong_kind.status, 2);
  EXPECT_NE(wrong_kind.err.find(std::string(CLAYHOST_PROBE) +
                                " is an exporter plug-in; run it with \"clayhost export\"\n"),
            std::string::npos);

  const Outcome usage = Run({"export", "--plugin", CLAYHOST_PROBE});
  EXPECT_EQ(usage.status, 2);
  EXPECT_EQ(usage.err,
            "clayhost: --scene FILE is missing\nRun \"clayhost --help\" for the usage.\n");

  const Outcome help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: clayhost info PLUGIN [options]\n", 0), 0u);
}

TEST_F(ClayhostTest, ABadSceneStopsBeforeThePluginIsCalled) {
  std::ofstream(folder_ / "bad.json") << "{\"objects\": [{\"vertices\": [[0, 0, \"x\"]]}]}";
  const Outcome run =
      Run({"export", "--plugin", CLAYHOST_PROBE, "--scene", "bad.json", "--out", "out.prb"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "clayhost: bad.json: /objects/0/vertices/0/2: must be a number\n");
  EXPECT_EQ(run.out, "");
  EXPECT_FALSE(fs::exists(folder_ / "out.prb"));
}

TEST_F(ClayhostTest, MisuseByThePluginIsReportedAndSurvived) {
  const Outcome run = Run({"export", "--plugin", CLAYHOST_PROBE, "--scene",
                           kTestData + "/probe.json", "--out", "out.prb"},
                          {{"PROBE_MISUSE", "1"}});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string dump = ReadAll(folder_ / "out.prb");
  EXPECT_NE(dump.find("misuse: vertex 99999 -> 0, reads 0\n"
                      "misuse: null vertex record -> 0\n"
                      "misuse: small vertex record -> 0\n"
                      "misuse: small attribute buffer -> 0\n"
                      "misuse: bad object handle -> 0\n"
                      "misuse: bad scene handle -> 0\n"
                      "misuse: forged material -> 0\n"
                      "misuse: material ref 77 -> 0, name \"\"\n"
                      "misuse: bad parameter handle -> 0, value 0\n"
                      "misuse: unserved slot 7 -> 0\n"),
            std::string::npos)
      << dump;
  EXPECT_NE(run.err.find("clayhost: plug-in error: unserved slot: the plug-in called slot 7, "
                         "which this host does not serve\n"),
            std::string::npos);
  EXPECT_NE(run.err.find("clayhost: plug-in error: GetVertex: vertex 99999 is out of range"),
            std::string::npos);
  EXPECT_NE(run.err.find("clayhost: plug-in error: SubmitInfo: called outside MCP_GetPluginInfo, "
                         "MCP_GetExporterInfo and MCP_GetToolInfo; record refused\n"),
            std::string::npos);
}

}  // namespace

#if defined(CLAYHOST_GANNET) && defined(CLAYHOST_SKERRY)
namespace {

const std::string kExamples = CLAYHOST_EXAMPLES;

/// A drive C: with the plug-in folder and a stand-in rsdn.bat that logs its
/// arguments.
void MakeDriveC(const fs::path& drive, const std::string& script = "") {
  const fs::path plugin = drive / "MarbleCLAY" / "plugin";
  fs::create_directories(plugin);
  std::ofstream(plugin / "rsdn.bat")
      << "#!/bin/sh\necho \"$@\" >> \"" << (drive / "rsdn.log").string() << "\"\n";
  fs::permissions(plugin / "rsdn.bat", fs::perms::owner_all, fs::perm_options::add);
  if (!script.empty()) {
    std::ofstream(plugin / "SkerryScript.txt") << script;
  }
}

std::string BmpShape(const std::string& bmp) {
  if (bmp.size() < 54 || bmp.substr(0, 2) != "BM") {
    return "not a BMP";
  }
  auto at = [&](std::size_t offset) {
    return static_cast<unsigned char>(bmp[offset]) | static_cast<unsigned char>(bmp[offset + 1])
                                                         << 8;
  };
  return std::to_string(at(18)) + "x" + std::to_string(at(22)) + "x" + std::to_string(at(28));
}

TEST_F(ClayhostTest, InfoOfGannet) {
  const Outcome info = Run({"info", CLAYHOST_GANNET});
  EXPECT_EQ(info.status, 0);
  EXPECT_EQ(info.err, "");
  EXPECT_EQ(info.out,
            "MCP_PluginEntry(0, 0, 0x50600) = 1\n"
            "MCP_InitializePluginProc(0 .. 135) = each its index\n"
            "MCP_GetPluginInfo(0xC1A0001, 0xC1A0002, 0)\n"
            "  SubmitInfo(0, 0, 0xC1A0001, 0xC1A0002, kind 0, 34 bytes)\n"
            "    PluginInfoRecord\n"
            "      name = \"Gannet\"\n"
            "      description = \"PlayStation Gannet\"\n"
            "      kind = 1\n"
            "      id = 97\n"
            "      value = 97\n"
            "= 1\n"
            "MCP_GetExporterInfo(0xC1A0001, 0xC1A0002, 97, 0)\n"
            "  SubmitInfo(97, 0, 0xC1A0001, 0xC1A0002, kind 2, 29 bytes)\n"
            "    ExporterOptionsRecord\n"
            "      size = 29\n"
            "      reserved4 = 0\n"
            "      options = \"FlipV|restrFlipVValue=1\"\n"
            "      reserved = 00 00 00 00 00 00 00 00 00 00 00 00 00\n"
            "  SubmitInfo(97, 0, 0xC1A0001, 0xC1A0002, kind 1, 32 bytes)\n"
            "    ExporterInfoRecord\n"
            "      value0 = 0\n"
            "      extension = \"rsd\"\n"
            "      description = \"PlayStation (filename must be <=7 chars!)\"\n"
            "      value12 = 4\n"
            "      value14 = 2\n"
            "      value16 = 0\n"
            "      value18 = 1\n"
            "      scale = 1 (0x3F800000)\n"
            "      value23 = 0\n"
            "= 1\n"
            "MCP_ReleasePlugin(97, 0) = 97\n");
  EXPECT_EQ(Run({"info", CLAYHOST_GANNET, "--host-version", "0x505FF"}).status, 2);
}

TEST_F(ClayhostTest, InfoOfSkerry) {
  const Outcome info = Run({"info", CLAYHOST_SKERRY});
  EXPECT_EQ(info.status, 0);
  EXPECT_EQ(info.err, "");
  // The tool's identifier and bitmap are addresses: name them, then compare.
  std::smatch id;
  ASSERT_TRUE(std::regex_search(info.out, id, std::regex("id = ([0-9]+)")));
  const unsigned long long value = std::stoull(id[1]);
  std::string out =
      std::regex_replace(info.out, std::regex("bitmap = 0x[0-9A-F]+"), "bitmap = <bitmap>");
  out = std::regex_replace(out, std::regex("\\b" + id[1].str() + "\\b"), "<id>");
  out = std::regex_replace(out,
                           std::regex("\\b" + std::to_string(value & 0xFFFFFFFF) + ", " +
                                      std::to_string(value >> 32) + "\\b"),
                           "<low>, <high>");
  EXPECT_EQ(out,
            "MCP_PluginEntry(0, 0, 0x50600) = 1\n"
            "MCP_InitializePluginProc(0 .. 135) = each its index\n"
            "MCP_GetPluginInfo(0xC1A0001, 0xC1A0002, 0)\n"
            "  SubmitInfo(0, 0, 0xC1A0001, 0xC1A0002, kind 0, 34 bytes)\n"
            "    PluginInfoRecord\n"
            "      name = \"Skerry\"\n"
            "      description = \"Skerry\"\n"
            "      kind = 2\n"
            "      id = <id>\n"
            "      value = 97\n"
            "= 1\n"
            "MCP_GetToolInfo(0xC1A0001, 0xC1A0002, <low>, <high>)\n"
            "  SubmitInfo(<low>, <high>, 0xC1A0001, 0xC1A0002, kind 1, 62 bytes)\n"
            "    ToolInfoRecord\n"
            "      width = 22\n"
            "      height = 26\n"
            "      bitmap = <bitmap>\n"
            "      text = \"\"\n"
            "      value16 = 2\n"
            "      reserved = 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
            "00 00 00 00 00 00 00 00 00 00 00 00 00\n"
            "= 1\n"
            "MCP_ReleasePlugin(<low>, <high>) = <id>\n");
}

TEST_F(ClayhostTest, GannetExportsTheExampleShip) {
  MakeDriveC(folder_ / "c");
  fs::create_directories(folder_ / "out");
  const Outcome run = Run({"export", "--plugin", CLAYHOST_GANNET, "--scene",
                           kExamples + "/ship.json", "--out", "out/ship.rsd", "--drive", "C=c",
                           "--answer", "Launch NO$PSX?=no", "--transcript", "boxes.jsonl"});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(fs::exists(folder_ / "out" / "ship.rsd"));
  EXPECT_TRUE(fs::exists(folder_ / "out" / "ship.ply"));
  EXPECT_EQ(BmpShape(ReadAll(folder_ / "out" / "ship0.bmp")), "64x64x24");
  EXPECT_EQ(BmpShape(ReadAll(folder_ / "out" / "ship1.bmp")), "32x32x24");
  EXPECT_EQ(ReadAll(folder_ / "c" / "rsdn.log"), "ship 1.0 0\n");
  const std::string boxes = ReadAll(folder_ / "boxes.jsonl");
  EXPECT_EQ(
      boxes.rfind("{\"caption\": \"Launch NO$PSX?\", \"text\": \"RSD files have been created"), 0u)
      << boxes;
  EXPECT_NE(boxes.find("\"buttons\": \"yesnocancel\", \"answer\": \"no\"}\n"), std::string::npos);
}

TEST_F(ClayhostTest, SkerryRunsItsScriptOnTheExampleShip) {
  MakeDriveC(folder_ / "c", "!assetpath Z:" + Path("out") + "\r\n!objexport ship ship.obj 1\r\n");
  const Outcome run = Run({"tool", "--plugin", CLAYHOST_SKERRY, "--scene", kExamples + "/ship.json",
                           "--drive", "C=c", "--transcript", "boxes.jsonl"});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(fs::exists(folder_ / "out" / "ship.obj")) << run.out;
  EXPECT_TRUE(fs::exists(folder_ / "out" / "ship.mtl"));
  EXPECT_EQ(BmpShape(ReadAll(folder_ / "out" / "ship0.bmp")), "64x64x24");
  EXPECT_EQ(ReadAll(folder_ / "boxes.jsonl"), "");
}

}  // namespace
#endif
