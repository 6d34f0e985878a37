#include "packer/testing/morphon_process.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace morphon::testing {
namespace {

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

}  // namespace

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "morphon-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    ADD_FAILURE() << "cannot create a scratch folder";
  }
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void ScratchFolder::Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
  ASSERT_TRUE(WriteBytes((path_ / name).string(), bytes)) << name;
}

void ScratchFolder::Write(const std::string& name, const SyntheticTmd& tmd) const {
  Write(name, EncodeTmd(tmd));
}

std::vector<std::uint8_t> ScratchFolder::Read(const std::string& name) const {
  std::ifstream file(path_ / name, std::ios::binary);
  EXPECT_TRUE(file.good()) << "cannot read " << name;
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), {});
}

std::string ScratchFolder::ReadText(const std::string& name) const {
  const std::vector<std::uint8_t> bytes = Read(name);
  return std::string(bytes.begin(), bytes.end());
}

bool ScratchFolder::Exists(const std::string& name) const {
  return std::filesystem::exists(path_ / name);
}

RunResult ScratchFolder::Run(const std::string& arguments, const std::string& input,
                             const std::string& limits) const {
  const std::filesystem::path input_file =
      path_.parent_path() / (path_.filename().string() + ".in");
  { std::ofstream(input_file, std::ios::binary) << input; }
  // The limits apply in a shell of their own after the redirections, so that
  // they bind morphon alone.
  const std::string command = "cd " + Quoted(path_.string()) + " && exec sh -c " +
                              Quoted(limits + " exec \"$0\" \"$@\"") + " " + Quoted(MORPHON_PATH) +
                              " " + arguments + " < " + Quoted(input_file.string()) + " 2>&1";
  RunResult result;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    ADD_FAILURE() << "cannot start " << command;
    return result;
  }
  char chunk[4096];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) {
    result.output.append(chunk, got);
  }
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::filesystem::remove(input_file);
  return result;
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
