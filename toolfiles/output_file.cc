#include "toolfiles/output_file.h"

#include <utility>

namespace toolfiles {
namespace {

using system::Kind;

constexpr int kMostNameAttempts = 100;
// Keeps the partial file's name within what file systems allow when the
// output's own name is long already.
constexpr std::size_t kLongestNamePart = 180;

std::string CannotWrite(const std::filesystem::path& output, const std::string& reason) {
  return "cannot write " + output.string() + ": " + reason;
}

// The file a link names, so that the link stays a link; the path itself
// for anything else (or a link whose file does not exist yet).
std::filesystem::path Destination(const std::filesystem::path& output) {
  std::error_code error;
  if (!std::filesystem::is_symlink(output, error)) {
    return output;
  }
  std::filesystem::path target = std::filesystem::canonical(output, error);
  return error ? output : target;
}

std::filesystem::path PartialName(const std::filesystem::path& destination, int attempt) {
  const std::string name = destination.filename().string().substr(0, kLongestNamePart);
  return destination.parent_path() / ("." + name + "." + std::to_string(system::ProcessNumber()) +
                                      "-" + std::to_string(attempt) + ".part");
}

}  // namespace

std::optional<std::filesystem::path> InputNamedBy(
    const std::filesystem::path& output, const std::vector<std::filesystem::path>& inputs) {
  for (const std::filesystem::path& input : inputs) {
    if (system::SameFile(output, input)) {
      return input;
    }
  }
  return std::nullopt;
}

std::optional<std::string> OutputRefusal(const std::filesystem::path& output,
                                         const std::vector<std::filesystem::path>& inputs) {
  const std::string refusing = "refusing to write " + output.string() + ": ";
  if (const auto input = InputNamedBy(output, inputs)) {
    return refusing + "it is the input " + input->string();
  }
  std::string ignored;
  const Kind kind = system::KindOf(output, &ignored);
  if (kind != Kind::kMissing && kind != Kind::kRegular) {
    return refusing + "it is " + system::KindName(kind) + ", not a regular file";
  }
  return std::nullopt;
}

std::optional<PendingFile> PendingFile::Start(const std::filesystem::path& output,
                                              std::string* problem) {
  const std::filesystem::path destination = Destination(output);
  std::string reason;
  for (int attempt = 0; attempt < kMostNameAttempts; ++attempt) {
    const std::filesystem::path partial = PartialName(destination, attempt);
    bool taken = false;
    std::optional<system::NewFile> file =
        system::NewFile::Create(partial, destination, &taken, &reason);
    if (file) {
      return PendingFile(output, destination, partial, std::move(*file));
    }
    if (!taken) {
      break;
    }
  }
  std::filesystem::path folder = destination.parent_path();
  *problem = CannotWrite(output, "cannot make a file in " +
                                     (folder.empty() ? std::string(".") : folder.string()) + " (" +
                                     reason + ")");
  return std::nullopt;
}

PendingFile::PendingFile(std::filesystem::path output, std::filesystem::path destination,
                         std::filesystem::path partial, system::NewFile file)
    : output_(std::move(output)),
      destination_(std::move(destination)),
      partial_(std::move(partial)),
      file_(std::move(file)) {}

PendingFile::PendingFile(PendingFile&& other) noexcept
    : output_(std::move(other.output_)),
      destination_(std::move(other.destination_)),
      partial_(std::exchange(other.partial_, {})),
      file_(std::exchange(other.file_, std::nullopt)),
      failure_(std::move(other.failure_)) {}

PendingFile& PendingFile::operator=(PendingFile&& other) noexcept {
  if (this != &other) {
    Discard();
    output_ = std::move(other.output_);
    destination_ = std::move(other.destination_);
    partial_ = std::exchange(other.partial_, {});
    file_ = std::exchange(other.file_, std::nullopt);
    failure_ = std::move(other.failure_);
  }
  return *this;
}

PendingFile::~PendingFile() {
  Discard();
}

void PendingFile::Discard() {
  file_.reset();
  if (!partial_.empty()) {
    std::error_code ignored;
    std::filesystem::remove(partial_, ignored);
    partial_.clear();
  }
}

bool PendingFile::Write(std::string_view bytes) {
  if (!failure_.empty() || !file_) {
    return false;
  }
  return file_->Write(bytes, &failure_);
}

std::optional<std::string> PendingFile::Commit() {
  if (file_ && failure_.empty() && file_->Finish(&failure_) &&
      system::Replace(partial_, destination_, &failure_)) {
    file_.reset();
    partial_.clear();
    return std::nullopt;
  }
  Discard();
  return CannotWrite(output_, failure_.empty() ? "already written" : failure_);
}

std::optional<std::string> WriteOutputFile(const std::filesystem::path& output,
                                           std::string_view bytes,
                                           const std::vector<std::filesystem::path>& inputs) {
  if (auto refusal = OutputRefusal(output, inputs)) {
    return refusal;
  }
  std::string problem;
  std::optional<PendingFile> file = PendingFile::Start(output, &problem);
  if (!file) {
    return problem;
  }
  file->Write(bytes);
  return file->Commit();
}

}  // namespace toolfiles
