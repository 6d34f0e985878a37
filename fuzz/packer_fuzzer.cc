// The packer, in-process, over a folder of arbitrary TMD files: every
// option, one to eight frames, with and without a MORPHON.PCK left by an
// earlier run and a folder whose name looks like a frame.
//
// Input: byte 0 holds the switches (bit 0 -NN, 1 -L, 2 -MM, 3 -V, 4 a stale
// MORPHON.PCK, 5 a folder z.tmd), byte 1 the tween count (-T, 0 to 7); the
// rest is the frames f0.tmd, f1.tmd ... separated by "#TMD".
//
// Besides the sanitizers' checks, each run must keep what the packer
// promises: a successful run leaves a MORPHON.PCK of exactly the header and
// the frames it announces; a failed one leaves none; box files come whole
// (16 bytes) and only for a run of frames from the first; the frames
// themselves are never changed.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "packer/error_exit.h"
#include "packer/pck_writer.h"
#include "packer/run_packer.h"
#include "packer/run_settings.h"
#include "packer/svector.h"
#include "testing/temp_folder.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxFrames = 8;
constexpr std::string_view kSeparator = "#TMD";

void Require(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "packer broke its promise: %s\n", what);
    std::abort();
  }
}

std::vector<std::uint8_t> ReadAll(const fs::path& path) {
  std::ifstream stream(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string_view> SplitFrames(std::string_view rest) {
  std::vector<std::string_view> frames;
  while (frames.size() + 1 < kMaxFrames) {
    const std::size_t at = rest.find(kSeparator);
    if (at == std::string_view::npos) {
      break;
    }
    frames.push_back(rest.substr(0, at));
    rest.remove_prefix(at + kSeparator.size());
  }
  frames.push_back(rest);
  return frames;
}

// A folder of our own for the whole fuzzing process, memory-backed where
// the system has one (the packer works through files); removed at exit.
const fs::path& TheWorkFolder() {
  static const gannet_testing::TempFolder folder("packer-fuzz",
                                                 gannet_testing::FastScratchParent());
  return folder.path();
}

void EmptyFolder(const fs::path& folder) {
  for (const auto& entry : fs::directory_iterator(folder)) {
    fs::remove_all(entry.path());
  }
}

void ResetRunState() {
  morphon::g_tmd_names.clear();
  morphon::g_tmd_count = 0;
  morphon::g_frames_stored = 0;
  morphon::g_total_frames_calc = 0;
}

// Runs the packer as main does; true when it succeeded.
bool RunAsMain(std::vector<std::string> arguments) {
  std::vector<const char*> argv;
  for (const std::string& argument : arguments) {
    argv.push_back(argument.c_str());
  }
  argv.push_back(nullptr);
  try {
    morphon::RunPacker(static_cast<int>(arguments.size()), argv.data());
    return true;
  } catch (const morphon::RunError& error) {
    morphon::FinishFailedRun(error);
  } catch (const std::bad_alloc&) {
    morphon::FinishFailedRun(morphon::RunError{"out of memory", std::nullopt});
  }
  return false;
}

void CheckPck(std::size_t frame_count, unsigned tweens, bool loop_back) {
  const std::vector<std::uint8_t> pck = ReadAll(morphon::kPckFileName);
  Require(pck.size() >= morphon::kPckHeaderSize, "MORPHON.PCK shorter than its header");
  const std::uint32_t frames = morphon::LoadU32(pck.data());
  const std::uint32_t frame_size = morphon::LoadU32(pck.data() + 4);
  Require(pck.size() == morphon::kPckHeaderSize + std::uint64_t{frames} * frame_size,
          "MORPHON.PCK size differs from its header");
  const std::uint64_t want = tweens == 0 ? frame_count
                             : loop_back ? tweens * frame_count
                                         : tweens * (frame_count - 1);
  Require(frames == want, "wrong frame count");
  Require(static_cast<std::uint32_t>(morphon::g_frames_stored) == frames,
          "stored frames differ from the header");
}

// Box files exist for frames 0 .. k-1 only, each complete.
void CheckBoxes(std::size_t frame_count, bool succeeded) {
  std::size_t boxes = 0;
  while (fs::exists("f" + std::to_string(boxes) + ".mm")) {
    Require(fs::file_size("f" + std::to_string(boxes) + ".mm") == 16, "box file not 16 bytes");
    Require(fs::exists("frame" + std::to_string(boxes) + "_minmax.txt"), "text box missing");
    ++boxes;
  }
  Require(boxes <= frame_count, "more boxes than frames");
  Require(!succeeded || boxes == frame_count, "a successful run lacks boxes");
  Require(!fs::exists("f" + std::to_string(boxes + 1) + ".mm"), "box files with a gap");
}

// Once per process: the packer talks to standard output, which would bury
// the fuzzer's own, and works in the current folder.
void SetUpProcess() {
  static const bool done = [] {
    Require(std::freopen("/dev/null", "w", stdout) != nullptr, "cannot silence stdout");
    Require(chdir(TheWorkFolder().c_str()) == 0, "cannot enter the work folder");
    return true;
  }();
  (void)done;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) {
    return 0;
  }
  SetUpProcess();
  EmptyFolder(TheWorkFolder());
  ResetRunState();

  const std::uint8_t switches = data[0];
  const unsigned tweens = data[1] % 8;
  const std::vector<std::string_view> frames =
      SplitFrames(std::string_view(reinterpret_cast<const char*>(data) + 2, size - 2));
  for (std::size_t i = 0; i < frames.size(); ++i) {
    WriteAll("f" + std::to_string(i) + ".tmd", frames[i]);
  }
  if (switches & 16) {
    WriteAll(morphon::kPckFileName, "stale output of an earlier run");
  }
  if (switches & 32) {
    fs::create_directory("z.tmd");
  }

  std::vector<std::string> arguments = {"morphon", "go", "-T" + std::to_string(tweens)};
  if (switches & 1)
    arguments.push_back("-NN");
  if (switches & 2)
    arguments.push_back("-L");
  if (switches & 4)
    arguments.push_back("-MM");
  if (switches & 8)
    arguments.push_back("-V");
  const bool succeeded = RunAsMain(arguments);
  std::fflush(stdout);

  const std::size_t frame_count = frames.size() + ((switches & 32) ? 1 : 0);
  const unsigned effective_tweens = tweens == 1 ? 0 : tweens;
  if (succeeded) {
    CheckPck(frame_count, effective_tweens, (switches & 2) != 0);
  } else {
    Require(!fs::exists(morphon::kPckFileName), "a failed run left MORPHON.PCK");
  }
  if (switches & 4) {
    CheckBoxes(frame_count, succeeded);
  }
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const std::vector<std::uint8_t> kept = ReadAll("f" + std::to_string(i) + ".tmd");
    Require(std::string_view(reinterpret_cast<const char*>(kept.data()), kept.size()) == frames[i],
            "a frame file was changed");
  }
  return 0;
}
