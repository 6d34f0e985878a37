#include "toolfiles/input_file.h"

#include "toolfiles/file_system.h"

namespace toolfiles {
namespace {

using system::Kind;

std::string CannotRead(const std::string& why) {
  return "cannot read (" + why + ")";
}

std::string NotRegular(Kind kind) {
  return CannotRead(std::string(system::KindName(kind)) + ", not a regular file");
}

}  // namespace

std::optional<std::string> ReadInputFile(const std::filesystem::path& path, std::uint64_t limit,
                                         std::string* problem) {
  system::ReadRefusal refusal;
  std::optional<std::string> bytes = system::ReadRegularFile(path, limit, &refusal);
  if (bytes) {
    return bytes;
  }
  if (!refusal.reason.empty()) {
    *problem = CannotRead(refusal.reason);
  } else if (refusal.kind != Kind::kRegular) {
    *problem = NotRegular(refusal.kind);
  } else {
    *problem = CannotRead(std::to_string(refusal.size) + " bytes, beyond the limit of " +
                          std::to_string(limit) + " bytes");
  }
  return std::nullopt;
}

std::optional<std::string> RegularFileProblem(const std::filesystem::path& path) {
  std::string reason;
  const Kind kind = system::KindOf(path, &reason);
  if (kind == Kind::kRegular) {
    return std::nullopt;
  }
  return kind == Kind::kMissing ? CannotRead(reason) : NotRegular(kind);
}

}  // namespace toolfiles
