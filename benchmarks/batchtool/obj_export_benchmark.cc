// Writes a textured grid of 1,000,000 triangles as an OBJ file, then times
// whole processes on it: `clayhost tool` running a SkerryScript.txt that
// exports it as OBJ (the host reads the file, the plug-in writes it) and
// `assimp export` converting the same file to OBJ. Wall time is the
// benchmark's time; peak_rss_MiB is the child's peak resident memory. A third
// case times the tool's working call alone, on a scene read beforehand. cpu_s
// is the child's user + system time, steadier than wall time on a busy machine.
//
//   obj_export_benchmark [--benchmark_repetitions=N]
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "clayhost/plugin_session.h"
#include "clayhost/scene.h"
#include "clayhost/scene_loader.h"
#include "testing/temp_folder.h"

namespace {

namespace fs = std::filesystem;

constexpr int kColumns = 1000;  // quads across
constexpr int kRows = 500;      // quads down; 2 triangles each: 1,000,000

// A 2 × 2 24-bit BMP for the material's texture.
void WriteTinyBmp(const fs::path& file) {
  const unsigned char header[54] = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0,  0,
                                    2,   0,   0,  0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0,  0, 16, 0,
                                    0,   0,   0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0};
  const unsigned char pixels[16] = {200, 100, 50,  50,  100, 200, 0, 0,
                                    50,  200, 100, 100, 50,  200, 0, 0};
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(header), sizeof header);
  out.write(reinterpret_cast<const char*>(pixels), sizeof pixels);
}

void WriteGridModel(const fs::path& folder) {
  WriteTinyBmp(folder / "grain.bmp");
  std::ofstream(folder / "grid.mtl") << "newmtl clay\nKd 0.8 0.6 0.4\nmap_Kd grain.bmp\n";
  std::ofstream obj(folder / "grid.obj");
  obj << "mtllib grid.mtl\no grid\n";
  char line[96];
  for (int j = 0; j <= kRows; ++j) {
    for (int i = 0; i <= kColumns; ++i) {
      std::snprintf(line, sizeof line, "v %.4f %.4f %.4f\n", i * 0.01, j * 0.01,
                    ((i * 7 + j * 3) % 11) * 0.001);
      obj << line;
    }
  }
  for (int j = 0; j <= kRows; ++j) {
    for (int i = 0; i <= kColumns; ++i) {
      std::snprintf(line, sizeof line, "vt %.6f %.6f\n", double(i) / kColumns, double(j) / kRows);
      obj << line;
    }
  }
  obj << "usemtl clay\n";
  const int width = kColumns + 1;
  for (int j = 0; j < kRows; ++j) {
    for (int i = 0; i < kColumns; ++i) {
      const int a = j * width + i + 1, b = a + 1, c = a + width + 1, d = a + width;
      std::snprintf(line, sizeof line, "f %d/%d %d/%d %d/%d\nf %d/%d %d/%d %d/%d\n", a, a, b, b, c,
                    c, a, a, c, c, d, d);
      obj << line;
    }
  }
}

// The scratch folder with the model and drive C: holding the script.
struct Workspace {
  gannet_testing::TempFolder folder{"skerry_bench"};
  const fs::path& root = folder.path();
  fs::path model() const { return root / "grid.obj"; }
  fs::path drive() const { return root / "c"; }

  Workspace() {
    WriteGridModel(root);
    fs::create_directories(drive() / "MarbleCLAY" / "plugin");
    std::ofstream(drive() / "MarbleCLAY" / "plugin" / "SkerryScript.txt", std::ios::binary)
        << "!assetpath C:\\out\r\n!objexport grid grid.obj 1\r\n";
    std::cout << "model: " << model() << " (" << fs::file_size(model()) << " bytes, "
              << 2 * kColumns * kRows << " triangles)\n";
  }
};

Workspace& Shared() {
  static Workspace workspace;
  return workspace;
}

struct ProcessCost {
  double seconds = 0;
  double cpu_seconds = 0;  // user + system
  double peak_mib = 0;
  int status = -1;
};

double Seconds(const timeval& time) {
  return time.tv_sec + time.tv_usec / 1e6;
}

// Runs `argv` with its output discarded and waits for it with its resource use.
ProcessCost RunProcess(const std::vector<std::string>& argv) {
  std::vector<char*> pointers;
  for (const auto& argument : argv) {
    pointers.push_back(const_cast<char*>(argument.c_str()));
  }
  pointers.push_back(nullptr);
  std::cout.flush();  // or the child would write the buffer a second time
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    std::freopen("/dev/null", "w", stdout);
    std::freopen("/dev/null", "r", stdin);
    execvp(pointers[0], pointers.data());
    _exit(127);
  }
  ProcessCost cost;
  rusage usage{};
  wait4(child, &cost.status, 0, &usage);
  cost.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  cost.cpu_seconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  cost.peak_mib = static_cast<double>(usage.ru_maxrss) / 1024.0;
  return cost;
}

void ReportProcess(benchmark::State& state, const std::vector<std::string>& argv,
                   const fs::path& written) {
  for (auto _ : state) {
    std::error_code ignored;
    fs::remove(written, ignored);
    const ProcessCost cost = RunProcess(argv);
    if (cost.status != 0 || !fs::exists(written)) {
      state.SkipWithError("the process failed or wrote nothing");
      return;
    }
    state.SetIterationTime(cost.seconds);
    state.counters["cpu_s"] = cost.cpu_seconds;
    state.counters["peak_rss_MiB"] = cost.peak_mib;
    state.counters["written_MiB"] = static_cast<double>(fs::file_size(written)) / (1 << 20);
  }
}

void BM_ClayhostToolObjExport(benchmark::State& state) {
  const Workspace& work = Shared();
  ReportProcess(state,
                {CLAYHOST_PROGRAM, "tool", "--plugin", SKERRY_PLUGIN, "--scene",
                 work.model().string(), "--drive", "C=" + work.drive().string()},
                work.drive() / "out" / "grid.obj");
}

void BM_AssimpExportObj(benchmark::State& state) {
  const Workspace& work = Shared();
  const fs::path out = work.root / "assimp" / "grid.obj";
  fs::create_directories(out.parent_path());
  ReportProcess(state, {"assimp", "export", work.model().string(), out.string()}, out);
}

// MCP_ToolSwitch alone: the scene is read and the plug-in loaded beforehand.
void BM_ToolSwitchCall(benchmark::State& state) {
  const Workspace& work = Shared();
  setenv("GANNET_DRIVE_C", work.drive().c_str(), 1);
  const clayhost::Scene scene = clayhost::LoadScene(work.model().string());
  std::string error;
  auto session = clayhost::PluginSession::Start(SKERRY_PLUGIN, clayhost::kDefaultHostVersion,
                                                nullptr, std::cerr, &error);
  if (!session) {
    state.SkipWithError(error.c_str());
    return;
  }
  for (auto _ : state) {
    if (session->SwitchTool(scene) != 1) {
      state.SkipWithError("the script did not complete");
      return;
    }
  }
  unsetenv("GANNET_DRIVE_C");
}

BENCHMARK(BM_ClayhostToolObjExport)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_AssimpExportObj)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_ToolSwitchCall)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
