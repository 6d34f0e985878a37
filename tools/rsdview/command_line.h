// rsdview's command line:
//   rsdview vram MODEL.rsd -o OUT.png [--zoom N] [--display WxH]
//   rsdview model MODEL.rsd -o OUT.png [--size N] [--views LIST] [--cull]
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
    " [--cull]\n";

enum class Command { kVram, kModel };

struct Arguments {
  Command command = Command::kVram;
  std::string rsd;
  std::string output;
  int zoom = 1;                 // vram
  std::optional<Area> display;  // vram; the project file's when not given
  RenderOptions render;         // model
  std::vector<View> views = {View::kFront, View::kSide, View::kTop, View::kThreeQuarter};
};

/// Parses argv[1..]; nullopt with `error` set ("rsdview: ...") for anything
/// that is not a valid command line.
std::optional<Arguments> ParseArguments(const std::vector<std::string>& args, std::string& error);

}  // namespace rsdview

#endif  // GANNET_TOOLS_RSDVIEW_COMMAND_LINE_H_
