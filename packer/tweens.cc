#include "packer/tweens.h"

#include <bit>
#include <cfloat>
#include <cstring>
#include <utility>

#include "packer/error_exit.h"
#include "packer/run_settings.h"
#include "packer/svector.h"
#include "packer/tween_parameter.h"

namespace morphon {
namespace {

// One component: the product is rounded to single precision before it is
// truncated (a difference of 10 at t = 0.699999988 moves by 7, not 6).
inline std::int32_t MovedComponent(std::int32_t from, std::int32_t to, float t) {
#if FLT_EVAL_METHOD == 0
  const float product = static_cast<float>(to - from) * t;
#else
  // Wider evaluation would truncate the unrounded product: force the store.
  const volatile float product = static_cast<float>(to - from) * t;
#endif
  return from + static_cast<std::int32_t>(product);
}

void PrintParameter(std::uint32_t k, std::uint32_t count, const ExtendedValue& value) {
  debug_print("  tween #%d   verts %d / %s \n", AsInt(k), AsInt(count),
              FormatSixDecimals(value).c_str());
}

void PrintKeyFrames(const std::uint8_t* frame1, const std::uint8_t* frame2, std::size_t size) {
  const SVector v1 = FirstSVector(frame1, size);
  const SVector v2 = FirstSVector(frame2, size);
  debug_print(" 1 vect_frame1 XYZ %d  %d %d \n", v1.vx, v1.vy, v1.vz);
  debug_print(" 2 vect_frame2 XYZ %d  %d %d \n", v2.vx, v2.vy, v2.vz);
}

void PrintBanner(const char* name, std::uint32_t index) {
  debug_print(" \n ----------- TWEENS for TMD %s loop:%d %d/%d  -----------\n \n", name,
              AsInt(index), g_frames_stored, AsInt(g_total_frames_calc));
}

}  // namespace

void InterpolateEntries(const std::uint8_t* start, const std::uint8_t* end, std::uint8_t* out,
                        std::uint32_t count, float t) {
  std::size_t j = 0;
  if constexpr (std::endian::native == std::endian::little) {
    // Two entries at a time as eight 16-bit lanes, a shape that compilers
    // vectorise; the pad lanes are computed too and then put back.
    constexpr std::size_t kLanes = 8;
    for (; j + 2 <= count; j += 2) {
      std::int16_t from[kLanes], to[kLanes], moved[kLanes];
      std::memcpy(from, start + j * kSvectorSize, sizeof from);
      std::memcpy(to, end + j * kSvectorSize, sizeof to);
      std::memcpy(moved, out + j * kSvectorSize, sizeof moved);
      const std::int16_t pads[2] = {moved[3], moved[7]};
      for (std::size_t lane = 0; lane < kLanes; ++lane) {
        moved[lane] = static_cast<std::int16_t>(MovedComponent(from[lane], to[lane], t));
      }
      moved[3] = pads[0];
      moved[7] = pads[1];
      std::memcpy(out + j * kSvectorSize, moved, sizeof moved);
    }
  }
  for (; j < count; ++j) {
    const std::size_t at = j * kSvectorSize;
    for (std::size_t c = 0; c < 6; c += 2) {
      StoreI16(out + at + c, MovedComponent(LoadI16(start + at + c), LoadI16(end + at + c), t));
    }
  }
}

TweenFrames::TweenFrames(FrameBuffer first, const FrameLayout& layout,
                         const std::string& first_name)
    : layout_(layout),
      first_(std::move(first)),
      second_(AllocateFrameBuffer(layout.n_vertandnorm_size, first_name)),
      tween_(AllocateFrameBuffer(layout.n_vertandnorm_size, first_name)),
      first_copy_(AllocateFrameBuffer(layout.n_vertandnorm_size, first_name)),
      prev_(first_.get()),
      cur_(second_.get()) {
  std::memcpy(tween_.get(), first_.get(), layout.n_vertandnorm_size);
  std::memcpy(first_copy_.get(), first_.get(), layout.n_vertandnorm_size);
  debug_print(" tween buffer created %d\n", AsInt(layout.n_vertandnorm_size));
}

void TweenFrames::Interpolate(const std::uint8_t* start, const std::uint8_t* end, float t) {
  const std::uint32_t count = SvectorCount(layout_);
  if (count == 0) {
    return;
  }
  std::uint8_t* out = tween_.get();
  InterpolateEntries(start, end, out, 1, t);
  const SVector first = LoadSVector(out);
  debug_print(" first vect_tween updated XYZ  %d  %d %d  \n", first.vx, first.vy, first.vz);
  InterpolateEntries(start + kSvectorSize, end + kSvectorSize, out + kSvectorSize, count - 1, t);
}

void TweenFrames::WriteSegment(std::uint32_t index, PckWriter& writer) {
  const std::string& name = g_tmd_names[index];
  const std::size_t size = layout_.n_vertandnorm_size;
  PrintBanner(name.c_str(), index);
  for (std::uint32_t k = 0; k < g_tweens; ++k) {
    const TweenParameter parameter = ComputeTweenParameter(g_tweens, k);
    if (g_verbose) {
      PrintParameter(k, SvectorCount(layout_), parameter.unrounded);
    }
    PrintKeyFrames(cur_, prev_, size);
    Interpolate(prev_, cur_, parameter.t);
    if (WriteFrame(writer, tween_.get(), size) != size) {
      exit_with_error(" failed to write tween data from TMD!", name.c_str());
    }
  }
  std::swap(prev_, cur_);
}

void TweenFrames::WriteLoopBack(PckWriter& writer) {
  const std::size_t size = layout_.n_vertandnorm_size;
  debug_print(" \n ----------- LOOPBACK TWEEN -----------\n \n");
  PrintBanner("(null)", g_tmd_count);
  for (std::uint32_t k = 0; k < g_tweens; ++k) {
    const TweenParameter parameter = ComputeTweenParameter(g_tweens, k);
    if (g_verbose) {
      PrintParameter(k, SvectorCount(layout_), parameter.unrounded);
      PrintParameter(k, SvectorCount(layout_), ExtendedFromFloat(parameter.t));
    }
    PrintKeyFrames(prev_, first_copy_.get(), size);
    Interpolate(prev_, first_copy_.get(), parameter.t);
    if (WriteFrame(writer, tween_.get(), size) != size) {
      exit_with_error(" failed to write real frame data from TMD!");
    }
  }
}

}  // namespace morphon
