#include "packer/run_packer.h"

#include <cstdio>
#include <limits>
#include <optional>
#include <utility>

#include "packer/error_exit.h"
#include "packer/folder_scan.h"
#include "packer/help.h"
#include "packer/min_max.h"
#include "packer/options.h"
#include "packer/pck_writer.h"
#include "packer/run_settings.h"
#include "packer/tweens.h"

namespace morphon {
namespace {

constexpr std::uint64_t kLargest32 = std::numeric_limits<std::uint32_t>::max();

// Refuses a run whose frame count or file size would not fit the 32-bit
// fields and offsets that the console side reads.
void CheckOutputFits(const FrameLayout& layout) {
  const std::uint64_t frames = PlannedFrameCount();
  if (frames > kLargest32 || (layout.n_vertandnorm_size != 0 &&
                              frames > (kLargest32 - kPckHeaderSize) / layout.n_vertandnorm_size)) {
    exit_with_error(
        "Too many frames: the frame count or the size of MORPHON.PCK does not fit "
        "in 32 bits.");
  }
}

void WriteHeader(const FrameLayout& layout, PckWriter& writer) {
  PckHeader header;
  if (g_tweens != 0) {
    g_total_frames_calc = static_cast<std::uint32_t>(PlannedFrameCount());
    debug_print(" g_total_frames_calc new frames (frames + tweens) %d  \n",
                AsInt(g_total_frames_calc));
    header.total_frames = g_total_frames_calc;
    header.include_loopback = static_cast<std::uint8_t>(g_include_loopback);
  } else {
    header.total_frames = g_tmd_count;
  }
  header.n_vertandnorm_size = layout.n_vertandnorm_size;
  header.vert_size = layout.vert_size;
  header.norm_size = layout.norm_size;
  const auto bytes = EncodePckHeader(header);
  if (writer.Write(bytes.data(), bytes.size()) != bytes.size()) {
    exit_with_error("failed to write the header of MORPHON.PCK.", kPckFileName);
  }
  debug_print(" ftell write after header %d  \n",
              AsInt(static_cast<std::uint32_t>(writer.position())));
}

void WriteFirstFrame(const std::uint8_t* frame, std::size_t size, PckWriter& writer) {
  const std::size_t written = WriteFrame(writer, frame, size);
  debug_print("save first frame write:%d size:%d \n", static_cast<int>(written),
              static_cast<int>(size));
  if (written != size) {
    debug_print("\n Error failed to write %d TMD %s\n", 0, g_tmd_names[0].c_str());
    exit_with_error(" failed to write TMD.", g_tmd_names[0].c_str());
  }
}

void WriteSourceFrame(std::uint32_t index, const std::uint8_t* frame, std::size_t size,
                      PckWriter& writer) {
  const std::size_t written = WriteFrame(writer, frame, size);
  debug_print("save_data write:%d size:%d \n", static_cast<int>(written), static_cast<int>(size));
  if (written != size) {
    exit_with_error(" failed to write frame data from TMD!", g_tmd_names[index].c_str());
  }
}

}  // namespace

std::uint64_t PlannedFrameCount() {
  if (g_tweens == 0) {
    return g_tmd_count;
  }
  const std::uint64_t segments = g_include_loopback ? g_tmd_count : g_tmd_count - 1;
  return std::uint64_t{g_tweens} * segments;
}

void RunPacker(int argc, const char* const* argv) {
  ReadOptions(argc, argv);
  SwitchDebugChannel();
  debug_print("\n");

  ScanFolder(".");
  if (g_tmd_count == 0) {
    show_help("No TMD files found!");
  }
  debug_print("\nprocessing... g_tmd_count %d\n", AsInt(g_tmd_count));
  debug_print("\n%d = <%s>\n", 0, g_tmd_names[0].c_str());

  FirstTmd first(g_tmd_names[0]);
  const FrameLayout layout = first.layout();
  CheckOutputFits(layout);
  PckWriter writer;
  if (!writer.Create(kPckFileName)) {
    exit_with_error("\n Error failed to open", kPckFileName);
  }
  const TmdObject& object = first.object();
  debug_print("\n write # 0 vert_top 0x%0x %d  normal_top 0x%0x %d\n", object.vert_top,
              AsInt(object.vert_top), object.normal_top, AsInt(object.normal_top));
  debug_print(" sizeof(u_long) %d \n\n", 4);
  debug_print(" g_tweens %d  \n", AsInt(g_tweens));
  WriteHeader(layout, writer);

  const std::size_t size = layout.n_vertandnorm_size;
  FrameBuffer frame = AllocateFrameBuffer(size, g_tmd_names[0]);
  first.ReadBlock(frame.get());
  const std::uint8_t* first_frame = frame.get();
  std::optional<TweenFrames> tweens;
  if (g_tweens == 0) {
    WriteFirstFrame(first_frame, size, writer);
  } else {
    tweens.emplace(std::move(frame), layout, g_tmd_names[0]);
  }
  if (g_min_max) {
    write_min_max(first_frame, layout.n_vert, 0);
  }

  debug_print("\nwriting %d .tmds ...\n", AsInt(g_tmd_count));
  for (std::uint32_t i = 1; i < g_tmd_count; ++i) {
    std::uint8_t* destination = tweens ? tweens->next_read_buffer() : frame.get();
    ReadLaterFrame(i, layout, writer.position(), destination);
    if (g_min_max) {
      write_min_max(destination, layout.n_vert, i);
    }
    if (tweens) {
      tweens->WriteSegment(i, writer);
    } else {
      WriteSourceFrame(i, destination, size, writer);
    }
  }
  if (tweens && g_include_loopback) {
    tweens->WriteLoopBack(writer);
  }

  if (!writer.Close()) {
    exit_with_error("failed to finish writing MORPHON.PCK.", kPckFileName);
  }
  std::printf("\n Frames stored: %d\n", g_frames_stored);
}

}  // namespace morphon
