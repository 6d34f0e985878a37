#include "packer/testing/morphon_process.h"

#include <gtest/gtest.h>

#include "testing/file_bytes.h"
#include "testing/program_run.h"

namespace morphon::testing {

void ScratchFolder::Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
  gannet_testing::WriteBytes(folder_ / name, std::string(bytes.begin(), bytes.end()));
}

void ScratchFolder::Write(const std::string& name, const SyntheticTmd& tmd) const {
  Write(name, EncodeTmd(tmd));
}

std::vector<std::uint8_t> ScratchFolder::Read(const std::string& name) const {
  const std::string bytes = ReadText(name);
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

std::string ScratchFolder::ReadText(const std::string& name) const {
  EXPECT_TRUE(Exists(name)) << "cannot read " << name;
  return gannet_testing::ReadBytes(folder_ / name);
}

bool ScratchFolder::Exists(const std::string& name) const {
  return std::filesystem::exists(folder_ / name);
}

RunResult ScratchFolder::Run(const std::string& arguments, const std::string& input,
                             const std::string& limits) const {
  // The limits apply in the shell that becomes morphon, after the standard
  // files are in place, so that they bind morphon alone.
  gannet_testing::RunOptions options;
  options.folder = folder_.path();
  options.input = input;
  const gannet_testing::ProgramRun run = gannet_testing::RunShell(
      limits + " exec " + gannet_testing::ShellQuoted(MORPHON_PATH) + " " + arguments, options);
  return RunResult{run.exit_code, run.output};
}

SyntheticTmd NumberedTmd(std::uint32_t n_vert, std::uint32_t n_normal, std::int16_t base,
                         std::size_t primitive_bytes) {
  SyntheticTmd tmd;
  for (std::size_t i = 0; i < primitive_bytes; ++i) {
    tmd.primitives.push_back(static_cast<std::uint8_t>(base + i));
  }
  tmd.n_primitive = static_cast<std::uint32_t>(primitive_bytes / 16);
  std::int16_t value = base;
  const auto next = [&value]() { return value++; };
  for (std::uint32_t i = 0; i < n_vert; ++i) {
    const std::int16_t vx = next(), vy = next(), vz = next();
    tmd.vertices.push_back(SVector{vx, vy, vz, static_cast<std::int16_t>(base + 100 + i)});
  }
  for (std::uint32_t i = 0; i < n_normal; ++i) {
    const std::int16_t vx = next(), vy = next(), vz = next();
    tmd.normals.push_back(SVector{vx, vy, vz, static_cast<std::int16_t>(base + 200 + i)});
  }
  return tmd;
}

std::vector<std::uint8_t> Slice(const std::vector<std::uint8_t>& bytes, std::size_t offset,
                                std::size_t count) {
  if (offset + count > bytes.size()) {
    ADD_FAILURE() << "slice " << offset << "+" << count << " beyond " << bytes.size();
    return {};
  }
  return std::vector<std::uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                                   bytes.begin() + static_cast<std::ptrdiff_t>(offset + count));
}

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return offset + 4 <= bytes.size() ? LoadU32(bytes.data() + offset) : 0xDEADBEEF;
}

}  // namespace morphon::testing
