// Test support: a scratch folder to run the built morphon in, and the
// outcome of one run.
#ifndef PACKER_TESTING_MORPHON_PROCESS_H_
#define PACKER_TESTING_MORPHON_PROCESS_H_

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "packer/tmd_writer.h"
#include "testing/temp_folder.h"

namespace morphon::testing {

/// What one run of morphon printed and its exit status.
struct RunResult {
  int status = -1;
  std::string output;
};

/// A fresh folder under the system's temporary folder to run morphon in,
/// removed with all its content when the object goes away.
class ScratchFolder {
 public:
  const std::filesystem::path& path() const { return folder_.path(); }

  /// Writes `bytes` as file `name` in the folder.
  void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
  void Write(const std::string& name, const SyntheticTmd& tmd) const;

  /// The bytes of file `name`; fails the test when it cannot be read.
  std::vector<std::uint8_t> Read(const std::string& name) const;
  std::string ReadText(const std::string& name) const;
  bool Exists(const std::string& name) const;

  /// Runs morphon in the folder with `arguments` (joined with blanks, read
  /// by the shell), standard input from `input`. `limits` is shell text run
  /// just before morphon starts, with its standard files already in place,
  /// for ulimit settings.
  RunResult Run(const std::string& arguments, const std::string& input = "",
                const std::string& limits = "") const;

 private:
  gannet_testing::TempFolder folder_{"morphon-test"};
};

/// A TMD of `n_vert` vertices and `n_normal` normals whose entries are
/// numbered from `base` (vx = base + 3i, vy = base + 3i + 1, ...), with
/// primitive bytes and pads that differ from file to file.
SyntheticTmd NumberedTmd(std::uint32_t n_vert, std::uint32_t n_normal, std::int16_t base,
                         std::size_t primitive_bytes = 16);

/// `count` bytes of `bytes` from `offset`.
std::vector<std::uint8_t> Slice(const std::vector<std::uint8_t>& bytes, std::size_t offset,
                                std::size_t count);

/// The little-endian 32-bit number at `offset` of `bytes`.
std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t offset);

}  // namespace morphon::testing

#endif  // PACKER_TESTING_MORPHON_PROCESS_H_
