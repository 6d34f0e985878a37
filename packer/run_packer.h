// One run of the packer, from the command line to the closing count.
#ifndef PACKER_RUN_PACKER_H_
#define PACKER_RUN_PACKER_H_

#include <cstdint>

#include "packer/tmd_frames.h"

namespace morphon {

/// Frames that MORPHON.PCK will hold under the run settings: g_tmd_count
/// without tweens; N * g_tmd_count with the loop-back, N * (g_tmd_count - 1)
/// without. Computed wide so that a huge count cannot wrap.
std::uint64_t PlannedFrameCount();

/// Packs the TMD files of the current folder into MORPHON.PCK under the
/// options in `argv` (argc >= 2) and prints "\n Frames stored: %d\n". Every
/// failure leaves through exit_with_error; a folder without TMD files shows
/// the help and ends the process.
void RunPacker(int argc, const char* const* argv);

}  // namespace morphon

#endif  // PACKER_RUN_PACKER_H_
