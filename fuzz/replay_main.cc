// Replays saved fuzz inputs without libFuzzer, so that any compiler can run
// the corpus and the regression inputs as an ordinary test. Arguments are
// files or folders (every regular file directly inside is replayed).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

bool Replay(const std::filesystem::path& file) {
  std::error_code error;
  const auto size = static_cast<std::size_t>(std::filesystem::file_size(file, error));
  std::ifstream stream(file, std::ios::binary);
  // An exact-size heap block, so that a sanitizer sees any read past the
  // input's end.
  auto input = std::make_unique<std::uint8_t[]>(size);
  if (error || !stream ||
      !stream.read(reinterpret_cast<char*>(input.get()), static_cast<std::streamsize>(size))) {
    std::printf("cannot read %s\n", file.c_str());
    return false;
  }
  LLVMFuzzerTestOneInput(input.get(), size);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int replayed = 0;
  bool ok = true;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path(argv[i]);
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::directory_iterator(path)) {
        if (entry.is_regular_file()) {
          files.push_back(entry.path());
        }
      }
    } else {
      files.push_back(path);
    }
    for (const auto& file : files) {
      ok = Replay(file) && ok;
      ++replayed;
    }
  }
  std::printf("replayed %d inputs\n", replayed);
  return ok && replayed > 0 ? 0 : 1;
}
