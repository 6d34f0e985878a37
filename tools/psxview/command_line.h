// psxview's command line:
//   psxview MODEL.tmd [A.tim ...] [--pack MORPHON.PCK] [--view VIEW] [--spin]
//           [--frame N] -o VIEW.EXE
//   psxview --version
#ifndef GANNET_TOOLS_PSXVIEW_COMMAND_LINE_H_
#define GANNET_TOOLS_PSXVIEW_COMMAND_LINE_H_

#include <optional>
#include <string>
#include <vector>

#include "console/camera.h"

namespace psxview {

inline constexpr const char* kUsage =
    "usage: psxview MODEL.tmd [A.tim ...] [--pack MORPHON.PCK]"
    " [--view front|side|top|three-quarter] [--spin] [--frame N] -o VIEW.EXE\n";

struct Arguments {
  std::string tmd;
  std::vector<std::string> tims;  ///< in load order
  std::string pack;               ///< empty: no pack
  camera::View view = camera::View::kThreeQuarter;
  bool spin = false;
  std::optional<int> frame;  ///< the one pack frame to show; all in a loop when unset
  std::string output;
};

/// "front", "side", "top", "three-quarter".
const char* ViewName(camera::View view);
std::optional<camera::View> ViewNamed(const std::string& name);

/// Parses argv[1..]; nullopt with `error` set ("psxview: ...") for anything
/// that is not a valid command line.
std::optional<Arguments> ParseArguments(const std::vector<std::string>& args, std::string& error);

}  // namespace psxview

#endif  // GANNET_TOOLS_PSXVIEW_COMMAND_LINE_H_
