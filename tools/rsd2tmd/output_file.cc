#include "tools/rsd2tmd/output_file.h"

#include <fstream>
#include <system_error>

namespace rsd2tmd {
namespace {

bool WriteAll(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace

std::string WriteWholeFile(const std::filesystem::path& path,
                           const std::vector<std::uint8_t>& bytes) {
  std::filesystem::path partial = path;
  partial += ".part";
  std::error_code error;
  if (!WriteAll(partial, bytes)) {
    std::filesystem::remove(partial, error);
    return "cannot write " + partial.string();
  }
  std::filesystem::rename(partial, path, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    return "cannot rename " + partial.string() + " to " + path.string() + ": " + error.message();
  }
  return "";
}

}  // namespace rsd2tmd
