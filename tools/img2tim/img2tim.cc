// img2tim: converts a BMP, PNG, TGA or JPEG image into a TIM image placed in
// the console's video memory. Problems are reported on standard output in a
// line that starts with "ERROR" (the files) or "Invalid" (the command line),
// the words the exporter looks for; the exit status is 1 then.
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "toolfiles/input_file.h"
#include "toolfiles/output_file.h"
#include "tools/img2tim/command_line.h"
#include "tools/img2tim/image_file.h"
#include "tools/img2tim/tim_image.h"

namespace {

int Fail(const std::string& line) {
  std::cout << line << "\n";
  return 1;
}

// The largest image file read: a 4096 x 4096 picture of 32 bits a pixel,
// far more than video memory holds.
constexpr std::uint64_t kLargestImageFile = std::uint64_t{64} << 20;

// Only a regular file within the limit: a named pipe would never answer,
// /dev/zero never end.
std::optional<std::string> ReadInput(const std::string& path, std::string& error) {
  std::string problem;
  std::optional<std::string> bytes = toolfiles::ReadInputFile(path, kLargestImageFile, &problem);
  if (!bytes) {
    error = "ERROR: " + path + ": " + problem;
  }
  return bytes;
}

void ReportWritten(const img2tim::Arguments& args, const img2tim::Image& image, int depth) {
  const img2tim::TimSettings& s = args.settings;
  std::cout << "img2tim: " << args.input << " -> " << args.output << " (" << image.width << "x"
            << image.height << ", " << depth << "-bit, image at " << s.image_x << "," << s.image_y;
  if (depth != 16) {
    std::cout << ", palette at " << s.palette_x << "," << s.palette_y;
  }
  std::cout << ")\n";
}

}  // namespace

int main(int argc, char** argv) {
  img2tim::CommandLineError usage_error;
  const std::optional<img2tim::Arguments> args =
      img2tim::ParseArguments(std::vector<std::string>(argv + 1, argv + argc), usage_error);
  if (!args) {
    std::cout << usage_error.message << "\n" << (usage_error.with_usage ? img2tim::Usage() : "");
    return 1;
  }
  if (args->show_usage || args->show_version) {
    std::cout << (args->show_usage ? img2tim::Usage() : img2tim::VersionLine());
    return 0;
  }
  std::string error;
  const std::optional<std::string> bytes = ReadInput(args->input, error);
  if (!bytes) {
    return Fail(error);
  }
  const std::optional<img2tim::Image> image = img2tim::DecodeImage(*bytes, error);
  if (!image) {
    return Fail("ERROR: " + args->input + ": " + error);
  }
  const std::optional<std::string> tim = img2tim::EncodeTim(*image, args->settings, error);
  if (!tim) {
    return Fail("ERROR: " + args->input + ": " + error);
  }
  if (const auto problem = toolfiles::WriteOutputFile(args->output, *tim, {args->input})) {
    return Fail("ERROR: " + *problem);
  }
  ReportWritten(*args, *image, img2tim::TimDepth(*image, args->settings));
  return 0;
}
