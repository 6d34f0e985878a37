// img2tim: converts a BMP, PNG, TGA or JPEG image into a TIM image placed in
// the console's video memory. Problems are reported on standard output in a line that starts with
// "ERROR" (the files) or "Invalid" (the command line), the words the
// exporter looks for; the exit status is 1 then.
#include <fstream>
#include <iostream>
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

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const std::optional<img2tim::Arguments> args =
      img2tim::ParseArguments(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!args) {
    return Fail(error + "\n" + img2tim::Usage());
  }
  if (args->show_version) {
    std::cout << img2tim::VersionLine();
    return 0;
  }
  std::ifstream in(args->input, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (!in) {
    return Fail("ERROR: cannot read " + args->input);
  }
  const std::optional<img2tim::Image> image = img2tim::DecodeImage(bytes.str(), error);
  if (!image) {
    return Fail("ERROR: " + args->input + ": " + error);
  }
  const std::optional<std::string> tim = img2tim::EncodeTim(*image, args->settings, error);
  if (!tim) {
    return Fail("ERROR: " + args->input + ": " + error);
  }
  std::ofstream out(args->output, std::ios::binary | std::ios::trunc);
  out.write(tim->data(), static_cast<std::streamsize>(tim->size()));
  out.close();
  if (!out) {
    return Fail("ERROR: cannot write " + args->output);
  }
  const img2tim::TimSettings& s = args->settings;
  std::cout << "img2tim: " << args->input << " -> " << args->output << " (" << image->width << "x"
            << image->height << ", " << s.bits_per_pixel << "-bit, image at " << s.image_x << ","
            << s.image_y;
  if (s.bits_per_pixel != 16) {
    std::cout << ", palette at " << s.palette_x << "," << s.palette_y;
  }
  std::cout << ")\n";
  return 0;
}
