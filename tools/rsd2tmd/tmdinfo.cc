// tmdinfo: prints a TMD file decoded (header, objects, every primitive,
// vertex and normal) and checks every length and index. Exit status 0 for a
// sound file, 1 for a malformed one (the fault on standard error after what
// was decoded), 2 for a usage error or a file that cannot be read.
#include <iostream>
#include <string>
#include <string_view>

#include "gannet_version.h"
#include "tools/rsd2tmd/tmd_file.h"
#include "tools/rsdformat/read_error.h"

int main(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::cout << "tmdinfo " << gannet::kVersion << "\n";
    return 0;
  }
  if (argc != 2) {
    std::cerr << "usage: tmdinfo FILE.tmd\n";
    return 2;
  }
  std::string bytes;
  try {
    bytes = rsdformat::ReadWholeFile(argv[1], rsd2tmd::kTmdFileLimit);
  } catch (const rsdformat::ReadError& error) {
    std::cerr << "tmdinfo: " << error.what() << "\n";
    return 2;
  }
  const rsd2tmd::TmdDescription description =
      rsd2tmd::DescribeTmdFile({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  std::cout << description.text << std::flush;
  if (!description.fault.empty()) {
    std::cerr << "tmdinfo: " << argv[1] << ": " << description.fault << "\n";
    return 1;
  }
  return 0;
}
