// Gannet.mcp exporting a generated grid of untextured triangles through its
// real entry points and a callback table, against a plain snprintf + fwrite
// loop that writes the same numbers. Only the working call is timed.
//
// The grid host computes every vertex and face when asked and keeps no
// per-face data, so the peak resident size shows what the export itself
// holds.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "hostplugin/mcp_abi.h"
#include "testing/temp_folder.h"

namespace {

// --- The generated scene: cols x rows cells, two triangles each.
struct Grid {
  std::int32_t cols = 1;
  std::int32_t rows = 1;
  std::int32_t vertex_count() const { return (cols + 1) * (rows + 1); }
  std::int32_t face_count() const { return 2 * cols * rows; }
};

Grid g_grid;
constexpr mcp::Handle kScene = 1;
constexpr mcp::Handle kObject = 7;
constexpr mcp::Handle kDiffuse = 11;

// The exporter holds at most four vertex records at once; eight slots of
// host memory per kind keep every handed-out pointer valid long enough.
struct VertexSlot {
  std::uint64_t flags = 0;
  float c0 = 0, c1 = 0, c2 = 0;
};
struct FaceSlot {
  std::uint64_t flags = 0;
  mcp::MaterialRef material = 0;
  std::uint8_t corners = 3;
  std::array<std::int32_t, 4> vertex = {};
  std::array<std::int32_t, 4> texcoord = {};
};
std::array<VertexSlot, 8> g_vertices;
std::array<FaceSlot, 8> g_faces;
unsigned g_next_vertex = 0;
unsigned g_next_face = 0;
const char kMaterialName[] = "grey";
const std::uint16_t kColorType = mcp::kParamColor;

VertexSlot GridVertex(std::int32_t index) {
  const std::int32_t x = index % (g_grid.cols + 1);
  const std::int32_t y = index / (g_grid.cols + 1);
  VertexSlot v;
  v.c0 = static_cast<float>(x) * 0.125f;
  v.c1 = static_cast<float>(y) * 0.125f;
  v.c2 = static_cast<float>(std::sin(x * 0.05) * std::cos(y * 0.05));
  return v;
}

std::array<std::int32_t, 3> GridTriangle(std::int32_t face) {
  const std::int32_t cell = face / 2;
  const std::int32_t x = cell % g_grid.cols;
  const std::int32_t y = cell / g_grid.cols;
  const std::int32_t a = y * (g_grid.cols + 1) + x;
  const std::int32_t b = a + 1;
  const std::int32_t c = a + g_grid.cols + 1;
  const std::int32_t d = c + 1;
  return face % 2 == 0 ? std::array<std::int32_t, 3>{a, b, d}
                       : std::array<std::int32_t, 3>{a, d, c};
}

std::int32_t MCP_CALL SubmitInfo(std::uint32_t, std::uint32_t, mcp::Context, mcp::Context,
                                 std::int32_t, const void*, std::int32_t) {
  return 1;
}
std::int32_t MCP_CALL GetRootObjectCount(mcp::Handle) {
  return 1;
}
mcp::Handle MCP_CALL GetRootObject(mcp::Handle, std::int32_t) {
  return kObject;
}
std::int32_t MCP_CALL GetObjectAttribute(mcp::Handle, const char* name, char* buffer,
                                         std::int32_t size) {
  const char* value = std::strcmp(name, "Name") == 0 ? "grid" : "1";
  const auto needed = static_cast<std::int32_t>(std::strlen(value) + 1);
  if (buffer == nullptr || size < needed) {
    return needed;
  }
  std::memcpy(buffer, value, static_cast<std::size_t>(needed));
  return needed;
}
std::int32_t MCP_CALL GetVertexCount(mcp::Handle, std::int32_t, std::int32_t, std::int32_t,
                                     std::int32_t, std::int32_t) {
  return g_grid.vertex_count();
}
std::int32_t MCP_CALL GetVertex(mcp::Handle, std::int32_t index, mcp::VertexRecord* record) {
  VertexSlot& slot = g_vertices[g_next_vertex++ % g_vertices.size()];
  slot = GridVertex(index);
  record->flags = &slot.flags;
  record->c0 = &slot.c0;
  record->c1 = &slot.c1;
  record->c2 = &slot.c2;
  return 1;
}
std::int32_t MCP_CALL GetFaceCount(mcp::Handle) {
  return g_grid.face_count();
}
std::int32_t MCP_CALL GetFace(mcp::Handle, std::int32_t index, mcp::FaceRecord* record) {
  FaceSlot& slot = g_faces[g_next_face++ % g_faces.size()];
  const auto corners = GridTriangle(index);
  slot.vertex = {corners[0], corners[1], corners[2], 0};
  record->flags = &slot.flags;
  record->material = &slot.material;
  record->corner_count = &slot.corners;
  for (std::size_t k = 0; k < 4; ++k) {
    record->vertex[k] = &slot.vertex[k];
    record->texcoord[k] = &slot.texcoord[k];
  }
  return 1;
}
std::int32_t MCP_CALL GetMaterialCount(mcp::Handle) {
  return 1;
}
std::int32_t MCP_CALL GetMaterial(mcp::Handle, std::int32_t, mcp::MaterialRecord* record) {
  record->name = kMaterialName;
  return 1;
}
std::int32_t MCP_CALL GetMaterialByRef(mcp::MaterialRef, mcp::MaterialRecord* record) {
  record->name = kMaterialName;
  return 1;
}
std::int32_t MCP_CALL FindMaterialParam(mcp::Handle, mcp::MaterialRecord*, const char* name,
                                        mcp::ParamRecord* param) {
  if (std::strcmp(name, "Diffuse") != 0) {
    return 0;
  }
  param->handle = kDiffuse;
  param->type = &kColorType;
  return 1;
}
std::int32_t MCP_CALL GetParamColor(mcp::Handle, float* red, float* green, float* blue,
                                    float* fourth) {
  *red = 0.5f;
  *green = 0.75f;
  *blue = 1.0f;
  *fourth = 1.0f;
  return 1;
}

// --- A scratch drive with a do-nothing rsdn.bat, and the launch question
// answered "No" through the substitute-host hook.
struct Scratch {
  Scratch() {
    const auto plugin = root / "c" / "MarbleCLAY" / "plugin";
    std::filesystem::create_directories(plugin);
    std::ofstream(plugin / "rsdn.bat") << "#!/bin/sh\nexit 0\n";
    std::filesystem::permissions(plugin / "rsdn.bat", std::filesystem::perms::owner_all);
    setenv("GANNET_DRIVE_C", (root / "c").c_str(), 1);
  }
  std::uintmax_t OutputBytes(const std::string& stem) const {
    std::uintmax_t total = 0;
    for (const char* ending : {".rsd", ".ply", ".mat"}) {
      total += std::filesystem::file_size(root / (stem + ending));
    }
    return total;
  }
  gannet_testing::TempFolder folder{"gannet-bench"};
  const std::filesystem::path& root = folder.path();
};

Scratch& TheScratch() {
  static Scratch scratch;
  return scratch;
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Text megabytes per second of this process's CPU time, which the other jobs
// on a shared machine disturb less than wall time.
void ReportThroughput(benchmark::State& state, std::int64_t bytes, double cpu_seconds) {
  state.SetBytesProcessed(bytes * state.iterations());
  state.counters["text_MB"] = static_cast<double>(bytes) / 1e6;
  state.counters["MB_per_cpu_s"] =
      static_cast<double>(bytes) * static_cast<double>(state.iterations()) / 1e6 / cpu_seconds;
}

long PeakResidentKib() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

Grid GridFor(std::int64_t faces) {
  Grid grid;
  grid.rows = faces >= 2000 ? 500 : 1;
  grid.cols = static_cast<std::int32_t>(faces / (2 * grid.rows));
  return grid;
}

// The plug-in, loaded once with its callbacks.
struct LoadedPlugin {
  LoadedPlugin() {
    library = dlopen(GANNET_PLUGIN, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
      std::fprintf(stderr, "%s\n", dlerror());
      std::abort();
    }
    auto entry = reinterpret_cast<mcp::PluginEntryFn>(dlsym(library, mcp::kExportPluginEntry));
    auto init = reinterpret_cast<mcp::InitializePluginProcFn>(
        dlsym(library, mcp::kExportInitializePluginProc));
    execute = reinterpret_cast<mcp::ExecuteExportFn>(dlsym(library, mcp::kExportExecuteExport));
    entry(0, 0, mcp::kMinimumHostVersion);
    auto put = [&](int slot, auto function) {
      init(slot, reinterpret_cast<std::uintptr_t>(function));
    };
    put(mcp::kSubmitInfo, &SubmitInfo);
    put(mcp::kGetRootObjectCount, &GetRootObjectCount);
    put(mcp::kGetRootObject, &GetRootObject);
    put(mcp::kGetObjectAttribute, &GetObjectAttribute);
    put(mcp::kGetVertexCount, &GetVertexCount);
    put(mcp::kGetVertex, &GetVertex);
    put(mcp::kGetFaceCount, &GetFaceCount);
    put(mcp::kGetFace, &GetFace);
    put(mcp::kGetMaterialCount, &GetMaterialCount);
    put(mcp::kGetMaterial, &GetMaterial);
    put(mcp::kFindMaterialParam, &FindMaterialParam);
    put(mcp::kGetMaterialByRef, &GetMaterialByRef);
    put(mcp::kGetParamColor, &GetParamColor);
  }
  void* library = nullptr;
  mcp::ExecuteExportFn execute = nullptr;
};

void BM_GannetExport(benchmark::State& state) {
  Scratch& scratch = TheScratch();
  static LoadedPlugin plugin;
  g_grid = GridFor(state.range(0));
  const std::string path = "Z:" + (scratch.root / "bench.rsd").string();
  std::string windows_path = path;
  for (char& c : windows_path) {
    c = c == '/' ? '\\' : c;
  }
  mcp::ExportParams params{};
  params.path = windows_path.c_str();
  params.scale = 1.0f;
  const long before = PeakResidentKib();
  const double cpu_before = CpuSeconds();
  for (auto _ : state) {
    const std::uint8_t result = plugin.execute(0, 0, mcp::kExporterId, 0, kScene, &params);
    benchmark::DoNotOptimize(result);
  }
  ReportThroughput(state, static_cast<std::int64_t>(scratch.OutputBytes("bench")),
                   CpuSeconds() - cpu_before);
  state.counters["peak_RSS_MiB"] = static_cast<double>(PeakResidentKib()) / 1024.0;
  state.counters["peak_growth_MiB"] = static_cast<double>(PeakResidentKib() - before) / 1024.0;
}

// The same lines with snprintf and fwrite, as a yardstick.
void WriteWithSnprintf(const std::filesystem::path& root) {
  FILE* ply = std::fopen((root / "loop.ply").c_str(), "wb");
  FILE* mat = std::fopen((root / "loop.mat").c_str(), "wb");
  FILE* rsd = std::fopen((root / "loop.rsd").c_str(), "wb");
  char line[256];
  auto put = [&](FILE* file, int length) {
    std::fwrite(line, 1, static_cast<std::size_t>(length), file);
  };
  const std::int32_t vertices = g_grid.vertex_count();
  const std::int32_t faces = g_grid.face_count();
  put(ply, std::snprintf(line, sizeof line, "%d %d %d\r\n#verts = %d\r\n", vertices, faces, faces,
                         vertices));
  auto mapped = [](std::int32_t index) {
    const VertexSlot v = GridVertex(index);
    return std::array<double, 3>{10.0 * v.c1, -10.0 * v.c2, 10.0 * v.c0};
  };
  for (std::int32_t i = 0; i < vertices; ++i) {
    const auto p = mapped(i);
    put(ply, std::snprintf(line, sizeof line, "%.4f %.4f %.4f\r\n", p[0], p[1], p[2]));
  }
  for (std::int32_t i = 0; i < faces; ++i) {
    const auto t = GridTriangle(i);
    const auto a = mapped(t[0]), b = mapped(t[1]), c = mapped(t[2]);
    const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    const double w[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
    const double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2],
                         u[0] * w[1] - u[1] * w[0]};
    const double l = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    put(ply, std::snprintf(line, sizeof line, "%.4f %.4f %.4f\r\n", n[0] / l, n[1] / l, n[2] / l));
  }
  for (std::int32_t i = 0; i < faces; ++i) {
    const auto t = GridTriangle(i);
    put(ply, std::snprintf(line, sizeof line, "0   %d %d %d 0  %d %d %d 0\r\n", t[2], t[1], t[0], i,
                           i, i));
    put(mat, std::snprintf(line, sizeof line, "%d 1  F C   %.0f %.0f %.0f \r\n", i, 63.75, 95.625,
                           127.5));
  }
  put(rsd, std::snprintf(line, sizeof line, "@RSD940102\r\nPLY=loop.ply\r\nMAT=loop.mat\r\n"));
  std::fclose(ply);
  std::fclose(mat);
  std::fclose(rsd);
}

void BM_SnprintfLoop(benchmark::State& state) {
  Scratch& scratch = TheScratch();
  g_grid = GridFor(state.range(0));
  const double cpu_before = CpuSeconds();
  for (auto _ : state) {
    WriteWithSnprintf(scratch.root);
  }
  ReportThroughput(state, static_cast<std::int64_t>(scratch.OutputBytes("loop")),
                   CpuSeconds() - cpu_before);
}

BENCHMARK(BM_GannetExport)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_SnprintfLoop)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace

// The plug-in finds the host's message-box hook among the program's dynamic
// symbols. Every box is answered "No": the launch question then runs the
// scratch rsdn.bat with mode 0.
extern "C" int ClayHostMessageBox(const char*, const char*, int buttons) {
  return buttons == 0 ? 1 : 7;
}

BENCHMARK_MAIN();
