// Packs 256 synthetic frames of 8,192 vertices and 8,192 normals with the
// built morphon, as stored frames and with -T8 -L, and copies the same
// source bytes with cat, reporting megabytes (10^6 bytes) of output per
// second of wall time. The frames go to a fresh folder under $MORPHON_BENCH_DIR
// when it is set (a tmpfs such as /dev/shm takes the disk out of the
// figures), else under the system's temporary folder.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "packer/tmd_writer.h"
#include "packer/tweens.h"
#include "testing/temp_folder.h"

namespace {

constexpr int kFrames = 256;
constexpr int kVertices = 8192;
constexpr std::uint64_t kFrameBytes = 2ull * kVertices * morphon::kSvectorSize;

// $MORPHON_BENCH_DIR, else the system's temporary folder.
std::filesystem::path BenchParent() {
  const char* base = std::getenv("MORPHON_BENCH_DIR");
  return base != nullptr ? std::filesystem::path(base) : std::filesystem::temp_directory_path();
}

// The scratch folder with the frames, made once for all benchmarks.
class FrameFolder {
 public:
  FrameFolder() {
    for (int f = 0; f < kFrames; ++f) {
      morphon::SyntheticTmd tmd;
      tmd.primitives.assign(16 * 64, 0x5A);
      tmd.n_primitive = 64;
      for (int i = 0; i < kVertices; ++i) {
        const double a = 0.001 * i + 0.05 * f;
        const auto s16 = [](double v) { return static_cast<std::int16_t>(std::lround(v)); };
        tmd.vertices.push_back(
            {s16(3000 * std::cos(a)), s16(2000 * std::sin(3 * a)), s16(3000 * std::sin(a)), 0});
        tmd.normals.push_back({s16(4096 * std::cos(a)), 0, s16(4096 * std::sin(a)), 0});
      }
      char name[32];
      std::snprintf(name, sizeof name, "frame%03d.tmd", f);
      const std::vector<std::uint8_t> bytes = morphon::EncodeTmd(tmd);
      source_bytes_ += bytes.size();
      if (!morphon::WriteBytes((path_ / name).string(), bytes)) {
        std::perror(name);
        std::exit(1);
      }
    }
  }

  // Runs `command` inside the folder; a failure ends the benchmark.
  void Run(const std::string& command, benchmark::State& state) const {
    const std::string line = "cd '" + path_.string() + "' && " + command;
    if (std::system(line.c_str()) != 0) {
      state.SkipWithError(("failed: " + command).c_str());
    }
  }

  std::uint64_t source_bytes() const { return source_bytes_; }

 private:
  gannet_testing::TempFolder folder_{"morphon-bench", BenchParent()};
  const std::filesystem::path& path_ = folder_.path();
  std::uint64_t source_bytes_ = 0;
};

const FrameFolder& Frames() {
  static const FrameFolder folder;
  return folder;
}

// User and system time of the finished child processes, in seconds.
double ChildCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Wall-time throughput, and throughput per CPU second of the child
// processes, which a busy machine disturbs less.
void Measure(benchmark::State& state, const std::string& command, std::uint64_t bytes) {
  const FrameFolder& folder = Frames();
  const double cpu_before = ChildCpuSeconds();
  for (auto _ : state) {
    folder.Run(command, state);
  }
  const double cpu = ChildCpuSeconds() - cpu_before;
  const double megabytes = static_cast<double>(bytes) / 1e6;
  state.counters["MB/s"] =
      benchmark::Counter(megabytes, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["MB/cpu_s"] = megabytes * static_cast<double>(state.iterations()) / cpu;
  state.counters["MB"] = megabytes;
}

void BM_CatSameBytes(benchmark::State& state) {
  Measure(state, "cat frame*.tmd > copy.bin", Frames().source_bytes());
}

void BM_PackStoredFrames(benchmark::State& state) {
  Measure(state, "'" MORPHON_PATH "' go > /dev/null", 32 + kFrames * kFrameBytes);
}

void BM_PackTweensWithLoopBack(benchmark::State& state) {
  Measure(state, "'" MORPHON_PATH "' -T8 -L > /dev/null", 32 + 8ull * kFrames * kFrameBytes);
}

// The tween arithmetic alone, in this process: one frame of the benchmark's
// size computed in place, as the packer does for every tween frame.
void BM_InterpolateOneFrame(benchmark::State& state) {
  std::vector<std::uint8_t> start(kFrameBytes), end(kFrameBytes), out(kFrameBytes);
  for (std::size_t i = 0; i < kFrameBytes; ++i) {
    start[i] = static_cast<std::uint8_t>(i * 7);
    end[i] = static_cast<std::uint8_t>(i * 13 + 5);
  }
  float t = 0.125f;
  for (auto _ : state) {
    morphon::InterpolateEntries(start.data(), end.data(), out.data(), 2 * kVertices, t);
    benchmark::DoNotOptimize(out.data());
    t = t < 0.8f ? t + 0.125f : 0.125f;
  }
  state.counters["MB/s"] = benchmark::Counter(static_cast<double>(kFrameBytes) / 1e6,
                                              benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_InterpolateOneFrame)->MinTime(1.0);
BENCHMARK(BM_CatSameBytes)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_PackStoredFrames)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_PackTweensWithLoopBack)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
