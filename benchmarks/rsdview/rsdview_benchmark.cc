// rsdview on a generated model of 100,000 textured, lit quads: a 400 x 250
// height field over a 128 x 128 8-bit texture. Times one 512 x 512 view (front
// and three-quarter), the four-view picture, and reading the PLY and MAT
// texts, on one thread.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "tools/rsdformat/mat_file.h"
#include "tools/rsdformat/ply_file.h"
#include "tools/rsdformat/testing/tim_maker.h"
#include "tools/rsdformat/tim_file.h"
#include "tools/rsdview/model_render.h"

namespace {

constexpr int kColumns = 400;
constexpr int kRows = 250;
constexpr int kPolygons = kColumns * kRows;

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4f", value);
  return text;
}

// The PLY and MAT texts as the exporter would lay them out.
struct Texts {
  std::string ply, mat;
};

Texts GenerateTexts() {
  Texts texts;
  const int vertices = (kColumns + 1) * (kRows + 1);
  texts.ply = "@PLY940102\r\n" + std::to_string(vertices) + " " + std::to_string(kPolygons) + " " +
              std::to_string(kPolygons) + "\r\n";
  for (int y = 0; y <= kRows; ++y) {
    for (int x = 0; x <= kColumns; ++x) {
      const double height = 6 * std::sin(x * 0.05) * std::cos(y * 0.07);
      texts.ply += Number(x) + " " + Number(y) + " " + Number(height) + "\r\n";
    }
  }
  for (int p = 0; p < kPolygons; ++p) {
    const int x = p % kColumns, y = p / kColumns;
    const double slope = 0.3 * std::cos(x * 0.05) * std::cos(y * 0.07);
    texts.ply += Number(slope) + " 0.0000 " + Number(-1.0) + "\r\n";
  }
  for (int p = 0; p < kPolygons; ++p) {
    const int x = p % kColumns, y = p / kColumns;
    const int a = y * (kColumns + 1) + x;
    const int c = a + kColumns + 1;
    // Z order: top-left, top-right, bottom-left, bottom-right.
    texts.ply += "1 " + std::to_string(a) + " " + std::to_string(a + 1) + " " + std::to_string(c) +
                 " " + std::to_string(c + 1) + "  " + std::to_string(p) + " " + std::to_string(p) +
                 " " + std::to_string(p) + " " + std::to_string(p) + "\r\n";
  }
  texts.mat = "@MAT940801\r\n" + std::to_string(kPolygons) + "\r\n";
  for (int p = 0; p < kPolygons; ++p) {
    const int u = (p % 16) * 8, v = (p / kColumns % 16) * 8;
    texts.mat += std::to_string(p) + " 0 F T 0 " + std::to_string(u) + " " + std::to_string(v) +
                 " " + std::to_string(u + 8) + " " + std::to_string(v) + " " + std::to_string(u) +
                 " " + std::to_string(v + 8) + " " + std::to_string(u + 8) + " " +
                 std::to_string(v + 8) + "\r\n";
  }
  return texts;
}

rsdformat::TimFile Texture() {
  std::vector<img2tim::Rgb> palette;
  for (int k = 0; k < 200; ++k) {
    palette.push_back({static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(255 - k),
                       static_cast<std::uint8_t>(k * 7)});
  }
  return rsdformat::ParseTim(
      rsdformat::test_files::MakeTim(128, 128, palette,
                                     [](int u, int v) { return (u * 3 + v * 5) % 200; },
                                     {8, 640, 0, 640, 256}),
      "bench.tim");
}

const Texts& GeneratedTexts() {
  static const Texts texts = GenerateTexts();
  return texts;
}

const rsdview::Model& GeneratedModel() {
  static const rsdview::Model model = [] {
    rsdview::Model built;
    built.ply = rsdformat::ParsePly(GeneratedTexts().ply, "bench.ply");
    built.mat = rsdformat::ParseMat(GeneratedTexts().mat, "bench.mat");
    built.material = rsdformat::MaterialOfEachPolygon(built.mat, kPolygons);
    built.textures.push_back({0, "bench.tim", Texture()});
    return built;
  }();
  return model;
}

void RenderOneView(benchmark::State& state, rsdview::View view) {
  const rsdview::Model& model = GeneratedModel();
  const rsdview::VideoMemory memory = rsdview::LoadVideoMemory(model.textures);
  for (auto _ : state) {
    benchmark::DoNotOptimize(rsdview::RenderView(model, memory, view, rsdview::RenderOptions{512}));
  }
  state.counters["polygons_per_s"] =
      benchmark::Counter(kPolygons, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_RenderFront(benchmark::State& state) {
  RenderOneView(state, rsdview::View::kFront);
}
void BM_RenderThreeQuarter(benchmark::State& state) {
  RenderOneView(state, rsdview::View::kThreeQuarter);
}

void BM_RenderFourViews(benchmark::State& state) {
  const rsdview::Model& model = GeneratedModel();
  const std::vector<rsdview::View> views = {rsdview::View::kFront, rsdview::View::kSide,
                                            rsdview::View::kTop, rsdview::View::kThreeQuarter};
  for (auto _ : state) {
    benchmark::DoNotOptimize(rsdview::RenderPanels(model, views, rsdview::RenderOptions{512}));
  }
}

void BM_ReadPlyAndMat(benchmark::State& state) {
  const Texts& texts = GeneratedTexts();
  for (auto _ : state) {
    benchmark::DoNotOptimize(rsdformat::ParsePly(texts.ply, "bench.ply"));
    benchmark::DoNotOptimize(rsdformat::ParseMat(texts.mat, "bench.mat"));
  }
  state.counters["ply_MB"] = static_cast<double>(texts.ply.size()) / 1e6;
  state.counters["mat_MB"] = static_cast<double>(texts.mat.size()) / 1e6;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(texts.ply.size() + texts.mat.size()));
}

BENCHMARK(BM_RenderFront)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderThreeQuarter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderFourViews)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPlyAndMat)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
