// rsdview's command line:
//   rsdview vram MODEL.rsd -o OUT.png [--zoom N] [--display WxH]
//   rsdview model MODEL.rsd -o OUT.png [--size N] [--views LIST] [--cull] [--camera console]
//   rsdview model MODEL.tmd --tim A.tim ... -o OUT.png [--size N] [--views LIST] [--cull]
//                [--camera console]
//   rsdview anim MORPHON.PCK --tmd BASE.tmd [--tim A.tim ...] -o OUT.png [--size N]
//                [--view VIEW] [--cull] [--camera console] [--gif]
#ifndef GANNET_TOOLS_RSDVIEW_COMMAND_LINE_H_
#define GANNET_TOOLS_RSDVIEW_COMMAND_LINE_H_

#include <optional>
#include <string>
#include <vector>

#include "tools/rsdview/model_render.h"
#include "tools/rsdview/vram_check.h"

namespace rsdview {

inline constexpr const char* kUsage =
    "usage: rsdview vram MODEL.rsd -o OUT.png [--zoom N] [--display WxH]\n"
    "       rsdview model MODEL.rsd -o OUT.png [--size N] [--views front,side,top,three-quarter]"
    " [--cull] [--camera console]\n"
    "       rsdview model MODEL.tmd [--tim A.tim ...] -o OUT.png [--size N] [--views LIST]"
    " [--cull] [--camera console]\n"
    "       rsdview anim MORPHON.PCK --tmd BASE.tmd [--tim A.tim ...] -o OUT.png [--size N]"
    " [--view VIEW] [--cull] [--camera console] [--gif]\n";

enum class Command { kVram, kModel, kAnim };

/// The panel size of each frame of an animation sheet when none is given.
inline constexpr int kAnimFrameSize = 128;

struct Arguments {
  Command command = Command::kVram;
  std::string rsd;  // the input: the RSD file, a TMD file (model) or the pack (anim)
  std::string output;
  std::string tmd;                  // anim: the base model
  std::vector<std::string> tims;    // model of a TMD, anim: video memory's TIM files, in order
  View view = View::kThreeQuarter;  // anim
  bool gif = false;                 // anim: also OUT with .gif for its extension
  int zoom = 1;                     // vram
  std::optional<Area> display;      // vram; the project file's when not given
  RenderOptions render;             // model
  std::vector<View> views = {View::kFront, View::kSide, View::kTop, View::kThreeQuarter};
};

/// Whether `path` names a TMD file (".tmd" in any case).
bool IsTmdName(const std::string& path);

/// Parses argv[1..]; nullopt with `error` set ("rsdview: ...") for anything
/// that is not a valid command line.
std::optional<Arguments> ParseArguments(const std::vector<std::string>& args, std::string& error);

}  // namespace rsdview

#endif  // GANNET_TOOLS_RSDVIEW_COMMAND_LINE_H_
