// clayhost run as a process, as users and the other tests run it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "testing/file_bytes.h"
#include "testing/program_run.h"
#include "testing/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using gannet_testing::ReadBytes;
using gannet_testing::ReadGolden;
using gannet_testing::WriteBytes;

class ClayhostTest : public ::testing::Test {
 protected:
  /// Runs clayhost in the test's folder with `arguments` and the
  /// environment additions `environment`.
  gannet_testing::ProgramRun Run(const std::vector<std::string>& arguments,
                                 const std::map<std::string, std::string>& environment = {}) const {
    std::vector<std::string> words = {CLAYHOST_PROGRAM};
    words.insert(words.end(), arguments.begin(), arguments.end());
    gannet_testing::RunOptions options;
    options.folder = folder_;
    options.environment = environment;
    options.errors_apart = true;
    return gannet_testing::RunProgram(words, options);
  }

  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

  const gannet_testing::TempFolder scratch_{"clayhost-test"};
  const fs::path& folder_ = scratch_.path();
};

const std::string kTestData = CLAYHOST_TESTDATA;

TEST_F(ClayhostTest, InfoPrintsEveryRecordAndRefusesABadOne) {
  const gannet_testing::ProgramRun info = Run({"info", CLAYHOST_PROBE}, {{"PROBE_MISUSE", "1"}});
  EXPECT_EQ(info.exit_code, 0);
  EXPECT_EQ(info.output, ReadGolden(kTestData + "/probe_info.txt"));
  EXPECT_EQ(info.errors,
            "clayhost: plug-in error: SubmitInfo: kind 1 record of 3 bytes; it has 32; record "
            "refused\n");
}

TEST_F(ClayhostTest, InfoOfAToolShowsItsToolRecord) {
  const gannet_testing::ProgramRun info =
      Run({"info", "--plugin", CLAYHOST_PROBE}, {{"PROBE_KIND", "tool"}});
  EXPECT_EQ(info.exit_code, 0) << info.errors;
  EXPECT_NE(info.output.find("MCP_GetToolInfo(0xC1A0001, 0xC1A0002, 4242, 0)\n"
                             "  SubmitInfo(4242, 0, 0xC1A0001, 0xC1A0002, kind 1, 62 bytes)\n"
                             "    ToolInfoRecord\n"
                             "      width = 22\n"
                             "      height = 26\n"
                             "      bitmap = 0xB17\n"
                             "      text = \"\"\n"
                             "      value16 = 2\n"
                             "      reserved = 00"),
            std::string::npos)
      << info.output;
}

TEST_F(ClayhostTest, ExportServesTheSceneAndThePathInWindowsSpelling) {
  const gannet_testing::ProgramRun run =
      Run({"export", "--plugin", CLAYHOST_PROBE, "--scene", kTestData + "/probe.json", "--out",
           "out.prb", "--scale", "2.5"});
  ASSERT_EQ(run.exit_code, 0) << run.errors;
  EXPECT_EQ(run.errors, "");
  std::string windows = "Z:" + Path("out.prb");
  for (char& c : windows) {
    c = c == '/' ? '\\' : c;
  }
  EXPECT_EQ(ReadBytes(folder_ / "out.prb.params"), "path " + windows + " scale 2.5\n");
  // The dump names the file the plug-in was given, in its Windows spelling.
  std::string dump = ReadGolden(kTestData + "/probe_export.txt");
  dump.replace(dump.find("<out.prb>"), 9, windows);
  EXPECT_EQ(ReadBytes(folder_ / "out.prb"), dump);
  const std::string bmp = ReadBytes(folder_ / "out.prb.tex0.bmp");
  ASSERT_EQ(bmp.size(), 54u + 4 * 24);
  EXPECT_EQ(bmp.substr(54, 3), std::string("\xFF\x80\x00", 3));
  EXPECT_EQ(run.output,
            "--- message box \"Probe question\" (yesnocancel) ---\n"
            "Go on?\nYes \xC3\xA9t\xC3\xA9\n"
            "--- answered: yes ---\n"
            "--- message box \"Probe\" (ok) ---\nDone.\n--- answered: ok ---\n"
            "clayhost: MCP_ExecuteExport answered 1\n");
}

TEST_F(ClayhostTest, AnswersAndTranscriptFollowTheCaptions) {
  const gannet_testing::ProgramRun run =
      Run({"export", "--plugin", CLAYHOST_PROBE, "--scene", kTestData + "/probe.json", "--out",
           "out.prb", "--answer", "Probe question=cancel", "--answer", "Probe=yes", "--transcript",
           "boxes.jsonl"});
  ASSERT_EQ(run.exit_code, 0) << run.errors;
  EXPECT_NE(ReadBytes(folder_ / "out.prb").find("box answer: 2\nbox answer: 1\n"),
            std::string::npos);
  EXPECT_EQ(ReadBytes(folder_ / "boxes.jsonl"),
            "{\"caption\": \"Probe question\", \"text\": \"Go on?\\r\\nYes \xC3\xA9t\xC3\xA9\", "
            "\"buttons\": \"yesnocancel\", \"answer\": \"cancel\"}\n"
            "{\"caption\": \"Probe\", \"text\": \"Done.\", \"buttons\": \"ok\", \"answer\": "
            "\"ok\"}\n");
  EXPECT_EQ(run.errors,
            "clayhost: the answer yes for \"Probe\" is not a button of this ok box; answering "
            "ok\n");
}

TEST_F(ClayhostTest, ExitStatusFollowsTheWorkingCall) {
  const std::vector<std::string> export_probe = {
      "export", "--plugin", CLAYHOST_PROBE, "--scene", kTestData + "/probe.json", "--out", "x"};
  EXPECT_EQ(Run(export_probe, {{"PROBE_RESULT", "0"}}).exit_code, 1);
  EXPECT_EQ(Run(export_probe, {{"PROBE_RESULT", "1"}}).exit_code, 0);

  const gannet_testing::ProgramRun tool =
      Run({"tool", "--plugin", CLAYHOST_PROBE, "--scene", kTestData + "/cube.obj"},
          {{"PROBE_KIND", "tool"}, {"PROBE_OUT", Path("tool.txt")}});
  EXPECT_EQ(tool.exit_code, 0) << tool.errors;
  EXPECT_NE(tool.output.find("clayhost: MCP_ToolSwitch answered 1\n"), std::string::npos);
  const std::string dump = ReadBytes(folder_ / "tool.txt");
  EXPECT_NE(dump.find("  Name: size 6 \"crate\"\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("  0: \"crate~16x16x4\"\n"
                      "    Diffuse: type 3 color (0.8, 0.6, 0.4, 1)\n"
                      "    DiffuseMap: type 5 texture size 10 \"crate.png\" saved 1 as Z:"),
            std::string::npos)
      << dump;
  EXPECT_EQ(Run({"tool", "--plugin", CLAYHOST_PROBE, "--scene", kTestData + "/cube.obj"},
                {{"PROBE_KIND", "tool"}})
                .exit_code,
            1);
}

TEST_F(ClayhostTest, UnusablePluginsAndArgumentsExitWithTwo) {
  const gannet_testing::ProgramRun missing = Run({"info", "no-such.mcp"});
  EXPECT_EQ(missing.exit_code, 2);
  EXPECT_EQ(missing.errors.rfind("clayhost: cannot load the plug-in no-such.mcp: ", 0), 0u)
      << missing.errors;
  EXPECT_EQ(missing.output, "");

  const gannet_testing::ProgramRun text = Run({"info", kTestData + "/cube.obj"});
  EXPECT_EQ(text.exit_code, 2);
  EXPECT_EQ(text.errors.rfind("clayhost: cannot load the plug-in " + kTestData + "/cube.obj: ", 0),
            0u);

  const gannet_testing::ProgramRun library = Run({"info", CLAYHOST_NOT_A_PLUGIN});
  EXPECT_EQ(library.exit_code, 2);
  EXPECT_EQ(library.errors, std::string("clayhost: ") + CLAYHOST_NOT_A_PLUGIN +
                                " is not a plug-in: it has no export MCP_InitializePluginProc\n");

  const gannet_testing::ProgramRun refused =
      Run({"info", CLAYHOST_PROBE, "--host-version", "0x505FF"});
  EXPECT_EQ(refused.exit_code, 2);
  EXPECT_EQ(refused.errors, std::string("clayhost: ") + CLAYHOST_PROBE +
                                ": the plug-in refused host version 0x505FF (MCP_PluginEntry "
                                "answered 0)\n");

  const gannet_testing::ProgramRun wrong_kind =
      Run({"tool", "--plugin", CLAYHOST_PROBE, "--scene", kTestData + "/probe.json"});
  EXPECT_EQ(wrong_kind.exit_code, 2);
  EXPECT_NE(wrong_kind.errors.find(std::string(CLAYHOST_PROBE) +
                                   " is an exporter plug-in; run it with \"clayhost export\"\n"),
            std::string::npos);

  const gannet_testing::ProgramRun usage = Run({"export", "--plugin", CLAYHOST_PROBE});
  EXPECT_EQ(usage.exit_code, 2);
  EXPECT_EQ(usage.errors,
            "clayhost: --scene FILE is missing\nRun \"clayhost --help\" for the usage.\n");

  const gannet_testing::ProgramRun help = Run({"--help"});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_EQ(help.output.rfind("usage: clayhost info PLUGIN [options]\n", 0), 0u);
}

TEST_F(ClayhostTest, ABadSceneStopsBeforeThePluginIsCalled) {
  WriteBytes(folder_ / "bad.json", "{\"objects\": [{\"vertices\": [[0, 0, \"x\"]]}]}");
  const gannet_testing::ProgramRun run =
      Run({"export", "--plugin", CLAYHOST_PROBE, "--scene", "bad.json", "--out", "out.prb"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.errors, "clayhost: bad.json: /objects/0/vertices/0/2: must be a number\n");
  EXPECT_EQ(run.output, "");
  EXPECT_FALSE(fs::exists(folder_ / "out.prb"));
}

TEST_F(ClayhostTest, MisuseByThePluginIsReportedAndSurvived) {
  const gannet_testing::ProgramRun run = Run({"export", "--plugin", CLAYHOST_PROBE, "--scene",
                                              kTestData + "/probe.json", "--out", "out.prb"},
                                             {{"PROBE_MISUSE", "1"}});
  ASSERT_EQ(run.exit_code, 0) << run.errors;
  const std::string dump = ReadBytes(folder_ / "out.prb");
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
  EXPECT_NE(run.errors.find("clayhost: plug-in error: unserved slot: the plug-in called slot 7, "
                            "which this host does not serve\n"),
            std::string::npos);
  EXPECT_NE(run.errors.find("clayhost: plug-in error: GetVertex: vertex 99999 is out of range"),
            std::string::npos);
  EXPECT_NE(
      run.errors.find("clayhost: plug-in error: SubmitInfo: called outside MCP_GetPluginInfo, "
                      "MCP_GetExporterInfo and MCP_GetToolInfo; record refused\n"),
      std::string::npos);
}

// The review's case: "--out DIR/abc" lost four characters of its last
// component and exported "ou.rsd" beside DIR.
TEST_F(ClayhostTest, TheOutputPathGetsThePluginsExtension) {
  const std::vector<std::string> probe = {
      "export", "--plugin", CLAYHOST_PROBE, "--scene", kTestData + "/probe.json", "--out"};
  const auto export_to = [&](const std::string& out) {
    std::vector<std::string> arguments = probe;
    arguments.push_back(out);
    return Run(arguments);
  };
  const gannet_testing::ProgramRun appended = export_to("abc");
  EXPECT_EQ(appended.exit_code, 0) << appended.errors;
  EXPECT_EQ(
      appended.output.rfind("clayhost: --out abc does not end in .prb: exporting to abc.prb\n", 0),
      0u)
      << appended.output;
  EXPECT_TRUE(fs::exists(folder_ / "abc.prb"));
  EXPECT_FALSE(fs::exists(folder_ / "abc"));
  EXPECT_EQ(export_to("ABC.PRB").output.find("does not end"), std::string::npos);
  EXPECT_TRUE(fs::exists(folder_ / "ABC.PRB"));

  fs::create_directory(folder_ / "out");
  for (const auto& [out, problem] : std::vector<std::pair<std::string, std::string>>{
           {"out/.prb", "--out out/.prb names no file before .prb"},
           {"out/", "--out out/ names a folder; give a file name ending in .prb"}}) {
    const gannet_testing::ProgramRun refused = export_to(out);
    EXPECT_EQ(refused.exit_code, 2) << out;
    EXPECT_EQ(refused.errors, "clayhost: " + problem + "\n");
  }
  EXPECT_TRUE(fs::is_empty(folder_ / "out"));
}

// The host never writes over a file the scene was read from: neither the
// transcript nor a texture the plug-in saves.
TEST_F(ClayhostTest, NoFileOfTheSceneIsWrittenOver) {
  const std::string scene = ReadBytes(kTestData + "/probe.json");
  WriteBytes(folder_ / "scene.json", scene);
  const gannet_testing::ProgramRun transcript =
      Run({"export", "--plugin", CLAYHOST_PROBE, "--scene", "scene.json", "--out", "out.prb",
           "--transcript", "./scene.json"});
  EXPECT_EQ(transcript.exit_code, 2);
  EXPECT_EQ(transcript.errors,
            "clayhost: the transcript: refusing to write ./scene.json: it is the input "
            "scene.json\n");
  EXPECT_EQ(ReadBytes(folder_ / "scene.json"), scene);

  // The texture's image lies where the plug-in saves its copy.
  const std::string image = ReadBytes(kTestData + "/crate.png");
  WriteBytes(folder_ / "out.prb.tex0.bmp", image);
  std::string backed = scene;
  backed.replace(backed.find("{\"width\": 8, \"height\": 4, \"rgb\": [0, 128, 255]}"),
                 std::string("{\"width\": 8, \"height\": 4, \"rgb\": [0, 128, 255]}").size(),
                 "{\"file\": \"out.prb.tex0.bmp\"}");
  WriteBytes(folder_ / "scene.json", backed);
  const gannet_testing::ProgramRun save =
      Run({"export", "--plugin", CLAYHOST_PROBE, "--scene", "scene.json", "--out", "out.prb"});
  EXPECT_EQ(save.exit_code, 3);
  const std::string host_path = Path("out.prb.tex0.bmp");
  std::string windows = "Z:" + host_path;
  std::replace(windows.begin(), windows.end(), '/', '\\');
  EXPECT_EQ(save.errors, "clayhost: SaveTexture: refusing to write " + windows + " (" + host_path +
                             ") over " + host_path + ", a file the scene was read from\n");
  EXPECT_NE(save.output.find("clayhost: the run failed: 1 texture was not saved (exit status 3)\n"),
            std::string::npos)
      << save.output;
  EXPECT_NE(ReadBytes(folder_ / "out.prb").find("saved 0 as " + windows), std::string::npos);
  EXPECT_EQ(ReadBytes(folder_ / "out.prb.tex0.bmp"), image);
}

TEST_F(ClayhostTest, ScenesAndDrivesThatAreNotThereAreNamed) {
  fs::create_directory(folder_ / "scene.json");
  const gannet_testing::ProgramRun folder =
      Run({"export", "--plugin", CLAYHOST_PROBE, "--scene", "scene.json", "--out", "out.prb"});
  EXPECT_EQ(folder.exit_code, 2);
  EXPECT_EQ(folder.errors, "clayhost: scene.json: cannot read (a folder, not a regular file)\n");
  // Once only the plug-in's complaint about C:\\...\\rsdn.bat told of it.
  const gannet_testing::ProgramRun drive =
      Run({"export", "--plugin", CLAYHOST_PROBE, "--scene", kTestData + "/probe.json", "--out",
           "out.prb", "--drive", "C=/nonexistent"});
  EXPECT_EQ(drive.exit_code, 2);
  EXPECT_EQ(drive.errors, "clayhost: drive C: cannot be /nonexistent: there is no such folder\n");
}

}  // namespace

#if defined(CLAYHOST_GANNET) && defined(CLAYHOST_SKERRY)
namespace {

const std::string kExamples = CLAYHOST_EXAMPLES;

/// A drive C: with the plug-in folder and a stand-in rsdn.bat that logs its
/// arguments.
void MakeDriveC(const fs::path& drive, const std::string& script = "") {
  const fs::path plugin = drive / "MarbleCLAY" / "plugin";
  gannet_testing::WriteScript(plugin / "rsdn.bat",
                              "echo \"$@\" >> \"" + (drive / "rsdn.log").string() + "\"\n");
  if (!script.empty()) {
    WriteBytes(plugin / "SkerryScript.txt", script);
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
  const gannet_testing::ProgramRun info = Run({"info", CLAYHOST_GANNET});
  EXPECT_EQ(info.exit_code, 0);
  EXPECT_EQ(info.errors, "");
  EXPECT_EQ(info.output, ReadGolden(kTestData + "/gannet_info.txt"));
  EXPECT_EQ(Run({"info", CLAYHOST_GANNET, "--host-version", "0x505FF"}).exit_code, 2);
}

TEST_F(ClayhostTest, InfoOfSkerry) {
  const gannet_testing::ProgramRun info = Run({"info", CLAYHOST_SKERRY});
  EXPECT_EQ(info.exit_code, 0);
  EXPECT_EQ(info.errors, "");
  // The tool's identifier and bitmap are addresses: name them, then compare.
  std::smatch id;
  ASSERT_TRUE(std::regex_search(info.output, id, std::regex("id = ([0-9]+)")));
  const unsigned long long value = std::stoull(id[1]);
  std::string out =
      std::regex_replace(info.output, std::regex("bitmap = 0x[0-9A-F]+"), "bitmap = <bitmap>");
  out = std::regex_replace(out, std::regex("\\b" + id[1].str() + "\\b"), "<id>");
  out = std::regex_replace(out,
                           std::regex("\\b" + std::to_string(value & 0xFFFFFFFF) + ", " +
                                      std::to_string(value >> 32) + "\\b"),
                           "<low>, <high>");
  EXPECT_EQ(out, ReadGolden(kTestData + "/skerry_info.txt"));
}

TEST_F(ClayhostTest, GannetExportsTheExampleShip) {
  MakeDriveC(folder_ / "c");
  fs::create_directories(folder_ / "out");
  const gannet_testing::ProgramRun run =
      Run({"export", "--plugin", CLAYHOST_GANNET, "--scene", kExamples + "/ship.json", "--out",
           "out/ship.rsd", "--drive", "C=c", "--answer", "Launch NO$PSX?=no", "--transcript",
           "boxes.jsonl"});
  ASSERT_EQ(run.exit_code, 0) << run.output << run.errors;
  EXPECT_TRUE(fs::exists(folder_ / "out" / "ship.rsd"));
  EXPECT_TRUE(fs::exists(folder_ / "out" / "ship.ply"));
  EXPECT_EQ(BmpShape(ReadBytes(folder_ / "out" / "ship0.bmp")), "64x64x24");
  EXPECT_EQ(BmpShape(ReadBytes(folder_ / "out" / "ship1.bmp")), "32x32x24");
  EXPECT_EQ(ReadBytes(folder_ / "c" / "rsdn.log"), "ship 1.0 0\n");
  const std::string boxes = ReadBytes(folder_ / "boxes.jsonl");
  EXPECT_EQ(
      boxes.rfind("{\"caption\": \"Launch NO$PSX?\", \"text\": \"RSD files have been created"), 0u)
      << boxes;
  EXPECT_NE(boxes.find("\"buttons\": \"yesnocancel\", \"answer\": \"no\"}\n"), std::string::npos);
}

TEST_F(ClayhostTest, SkerryRunsItsScriptOnTheExampleShip) {
  MakeDriveC(folder_ / "c", "!assetpath Z:" + Path("out") + "\r\n!objexport ship ship.obj 1\r\n");
  const gannet_testing::ProgramRun run =
      Run({"tool", "--plugin", CLAYHOST_SKERRY, "--scene", kExamples + "/ship.json", "--drive",
           "C=c", "--transcript", "boxes.jsonl"});
  ASSERT_EQ(run.exit_code, 0) << run.output << run.errors;
  EXPECT_TRUE(fs::exists(folder_ / "out" / "ship.obj")) << run.output;
  EXPECT_TRUE(fs::exists(folder_ / "out" / "ship.mtl"));
  EXPECT_EQ(BmpShape(ReadBytes(folder_ / "out" / "ship0.bmp")), "64x64x24");
  EXPECT_EQ(ReadBytes(folder_ / "boxes.jsonl"), "");
}

// The review's case: an export that stopped at an ERROR box exited 0.
TEST_F(ClayhostTest, AnErrorBoxMakesTheStatusThreeAndIsMarked) {
  MakeDriveC(folder_ / "c");
  WriteBytes(folder_ / "flat.json",
             R"({"objects": [{"attributes": {"Name": "flat", "Activated": "1"},
                 "vertices": [[0, 0, 0]], "faces": []}]})");
  const gannet_testing::ProgramRun run =
      Run({"export", "--plugin", CLAYHOST_GANNET, "--scene", "flat.json", "--out", "flat.rsd",
           "--drive", "C=c", "--transcript", "boxes.jsonl"});
  EXPECT_EQ(run.exit_code, 3) << run.output << run.errors;
  EXPECT_EQ(ReadBytes(folder_ / "boxes.jsonl"),
            "{\"caption\": \"Gannet\", \"text\": \"ERROR, no model selected or no model data is "
            "present! Please select the model to export.\", \"buttons\": \"ok\", \"answer\": "
            "\"ok\", \"error\": true}\n");
  EXPECT_NE(run.output.find("clayhost: MCP_ExecuteExport answered 1\n"
                            "clayhost: the run failed: the plug-in showed 1 error box (exit "
                            "status 3)\n"),
            std::string::npos)
      << run.output;
}

// The review's case: rsdn.bat's "ERROR" was read and discarded by the
// plug-in, and the export said "Finished correctly" with status 0.
TEST_F(ClayhostTest, WhatTheCommandsReportIsShownAfterTheWorkingCall) {
  MakeDriveC(folder_ / "c");
  gannet_testing::WriteScript(
      folder_ / "c" / "MarbleCLAY" / "plugin" / "rsdn.bat",
      "printf 'rsdn: model %s\\n' \"$1\" >> \"$GANNET_HOST_REPORT\"\n"
      "[ \"$1\" = ship ] || printf 'ERROR: %s.rsd was not converted\\n' \"$1\" >> "
      "\"$GANNET_HOST_REPORT\"\n");
  const auto export_as = [&](const std::string& out) {
    return Run({"export", "--plugin", CLAYHOST_GANNET, "--scene", kExamples + "/ship.json", "--out",
                out, "--drive", "C=c", "--answer", "Launch NO$PSX?=no"});
  };
  const gannet_testing::ProgramRun good = export_as("ship.rsd");
  EXPECT_EQ(good.exit_code, 0) << good.output << good.errors;
  EXPECT_NE(good.output.find("clayhost: MCP_ExecuteExport answered 1\n"
                             "--- reported by the plug-in's commands ---\n"
                             "rsdn: model ship\n"
                             "--- end of the report ---\n"),
            std::string::npos)
      << good.output;
  const gannet_testing::ProgramRun failed = export_as("boat.rsd");
  EXPECT_EQ(failed.exit_code, 3) << failed.output << failed.errors;
  EXPECT_NE(failed.output.find("--- reported by the plug-in's commands ---\n"
                               "rsdn: model boat\n"
                               "ERROR: boat.rsd was not converted\n"
                               "--- end of the report ---\n"
                               "clayhost: the run failed: a command it ran reported an error "
                               "(exit status 3)\n"),
            std::string::npos)
      << failed.output;
}

}  // namespace
#endif
