// The viewer: shows the model psxview appended to the program, turning it
// when asked, playing the frames of its pack in a loop, with the cost of
// each frame's drawing at the bottom of the screen.
#include <stdint.h>

#include "console/camera.h"
#include "console/gpu.h"
#include "console/gte.h"
#include "console/model.h"
#include "console/packets.h"
#include "console/text.h"
#include "console/textures.h"
#include "console/timing.h"
#include "console/view.h"
#include "console/view_data.h"
#include "formats/pck_layout.h"

// The end of the program's image in memory, where the data block begins.
extern "C" uint8_t __image_end[];

namespace {

constexpr uint32_t kBackground = 52u << 16 | 44u << 8 | 40u;  // R 40, G 44, B 52
constexpr uint32_t kReportColour = 0xDCDCDC;
constexpr uint32_t kNoDataColour = 0x0000C0;  // red: the program ran without its data
constexpr int kReportX = 8;
constexpr int kReportY = 226;
// A turn in 256 frames, about four seconds.
constexpr int32_t kSpinStep = camera::kFullTurn / 256;

uint32_t ordering_table[viewdata::kOrderingTableLength];

// The pack's frames, each a vertex block and, when kept, a normal block.
struct Pack {
  const uint8_t* frames = nullptr;
  uint32_t count = 0;
  uint32_t frame_size = 0;
  uint32_t vertex_size = 0;
  uint32_t normal_size = 0;
};

Pack OpenPack(const view::Part& part) {
  Pack pack;
  if (part.size == 0) {
    return pack;
  }
  pack.frames = part.bytes + pcklayout::kHeaderSize;
  pack.count = view::Word(part.bytes, pcklayout::kFrameCountAt);
  pack.frame_size = view::Word(part.bytes, pcklayout::kFrameSizeAt);
  pack.vertex_size = view::Word(part.bytes, pcklayout::kVertexSizeAt);
  pack.normal_size = view::Word(part.bytes, pcklayout::kNormalSizeAt);
  return pack;
}

// The base mesh with frame `index` of `pack` in place of its vertices (and
// normals).
model::Mesh FrameOf(const model::Mesh& base, const Pack& pack, uint32_t index) {
  model::Mesh mesh = base;
  if (pack.count == 0) {
    return mesh;
  }
  const uint8_t* frame = pack.frames + pack.frame_size * index;
  mesh.vertices = frame;
  if (pack.normal_size != 0) {
    mesh.normals = frame + pack.vertex_size;
  }
  return mesh;
}

// "N VBL M US": the blanks and microseconds one frame's drawing took.
void WriteReport(char* out, uint32_t blanks, uint32_t microseconds) {
  out = text::Decimal(out, blanks);
  for (const char* part = " VBL "; *part != '\0'; ++part) {
    *out++ = *part;
  }
  out = text::Decimal(out, microseconds);
  for (const char* part = " US"; *part != '\0'; ++part) {
    *out++ = *part;
  }
  *out = '\0';
}

[[noreturn]] void ShowNoData() {
  gpu::DrawInto(0);
  gpu::Clear(0, kNoDataColour);
  for (;;) {
  }
}

}  // namespace

extern "C" int main() {
  timing::Init();
  gpu::Init();
  view::Data data;
  if (!view::Open(__image_end, data)) {
    ShowNoData();
  }
  for (uint32_t i = 0; i < data.tim_count; ++i) {
    textures::UploadTim(view::Tim(data, i).bytes);
  }
  const model::Mesh base = model::FirstObject(data.tmd.bytes);
  const Pack pack = OpenPack(data.pack);

  auto* projected = reinterpret_cast<uint32_t*>(data.free_memory);
  auto* packet_space = projected + 2 * base.vertex_count;
  packets::Buffer buffer(packet_space, reinterpret_cast<uint32_t*>(viewdata::kWorkingEnd));
  model::Drawer drawer(projected, ordering_table, viewdata::kOrderingTableLength);
  drawer.SetDepthRange(data.sphere);
  gte::SetScreen(camera::kScreenWidth / 2, camera::kScreenHeight / 2, camera::kProjection);
  gte::SetLight(camera::kTowardsLight, camera::kLightShare, camera::kAmbientShare);

  char report[32] = "";
  int screen = 0;
  for (uint32_t frame = 0;; ++frame) {
    timing::Start();
    const int32_t spin = data.spin ? static_cast<int32_t>(frame) * kSpinStep : 0;
    gte::SetTransform(camera::CameraTransform(data.view, data.sphere, spin));
    const uint32_t pack_frame = data.still_frame >= 0 ? static_cast<uint32_t>(data.still_frame)
                                : pack.count != 0     ? frame % pack.count
                                                      : 0;
    gpu::DrawInto(screen);
    gpu::Clear(screen, kBackground);
    gpu::ClearOrderingTable(ordering_table, viewdata::kOrderingTableLength);
    buffer.Reset();
    drawer.Draw(FrameOf(base, pack, pack_frame), buffer, timing::Poll);
    text::Draw(buffer, &ordering_table[0], kReportX, kReportY, report, kReportColour);
    gpu::Draw(&ordering_table[viewdata::kOrderingTableLength - 1], timing::Poll);
    timing::Poll();
    WriteReport(report, timing::Blanks(), timing::Microseconds());
    timing::WaitBlank();
    gpu::Show(screen);
    screen ^= 1;
  }
}
