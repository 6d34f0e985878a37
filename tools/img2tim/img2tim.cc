// img2tim: converts a BMP, PNG, TGA or JPEG image into a TIM image placed in
// the console's video memory. Problems are reported on standard output in a
// line that starts with "ERROR" (the files) or "Invalid" (the command line),
// the words the exporter looks for; the exit status is 1 then.
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tools/img2tim/command_line.h"
#include "tools/img2tim/image_file.h"
#include "tools/img2tim/tim_image.h"

namespace {

int Fail(const std::string& line) {
  std::cout << line << "\n";
  return 1;
}

std::optional<std::string> ReadInput(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "ERROR: cannot read " + path + ": " + std::strerror(errno);
    return std::nullopt;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool WriteTim(const std::string& path, const std::string& tim) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(tim.data(), static_cast<std::streamsize>(tim.size()));
  out.close();
  return static_cast<bool>(out);
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
  if (!WriteTim(args->output, *tim)) {
    return Fail("ERROR: cannot write " + args->output);
  }
  ReportWritten(*args, *image, img2tim::TimDepth(*image, args->settings));
  return 0;
}
