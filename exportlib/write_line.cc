#include "exportlib/write_line.h"

namespace exportlib {

bool WriteLine(platform::OutputFile& file, std::string_view text) {
  if (!text.empty()) {
    file.Write(text);
  }
  file.Write("\r");
  file.Write("\n");
  return true;
}

}  // namespace exportlib
