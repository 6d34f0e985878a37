// Writing a tool's output so that no user's file is lost: an output that is
// one of the run's inputs, under any spelling, is refused; the bytes go to a
// new file beside the output and are renamed over it only when all of them
// reached the disk. A full disk, a crash or a refusal leaves the old file as
// it was and no partial one.
#ifndef GANNET_TOOLFILES_OUTPUT_FILE_H_
#define GANNET_TOOLFILES_OUTPUT_FILE_H_

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolfiles/file_system.h"

namespace toolfiles {

/// The first of `inputs` that is the very file `output` names (compared by
/// file system and file number, so "./a/../ship.rsd", a link or a hard link
/// to ship.rsd all are ship.rsd); nullopt when none is.
std::optional<std::filesystem::path> InputNamedBy(const std::filesystem::path& output,
                                                  const std::vector<std::filesystem::path>& inputs);

/// Why `output` must not be written, or nullopt: "refusing to write OUT: it
/// is the input IN" when it is one of `inputs`, "refusing to write OUT: it is
/// a device, not a regular file" when it exists as something else than a
/// regular file (a folder, a device, a named pipe).
std::optional<std::string> OutputRefusal(const std::filesystem::path& output,
                                         const std::vector<std::filesystem::path>& inputs);

/// An output being written. Its bytes go to a new file in the output's folder
/// ("." + the output's name + "." + a number + ".part"), which Commit renames
/// over the output; one that is never committed is removed when the object
/// goes. A link as the output is followed: the file it names is replaced.
class PendingFile {
 public:
  /// Starts writing `output`; nullopt with `*problem` set ("cannot write OUT:
  /// cannot make a file in FOLDER (reason)") when that is impossible.
  static std::optional<PendingFile> Start(const std::filesystem::path& output,
                                          std::string* problem);
  PendingFile(PendingFile&& other) noexcept;
  PendingFile& operator=(PendingFile&& other) noexcept;
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;
  ~PendingFile();

  /// Appends `bytes`; false once a write has failed (Commit then says why).
  bool Write(std::string_view bytes);
  /// Puts the file in place of the output: nullopt when it is there whole;
  /// otherwise "cannot write OUT: REASON" (say "No space left on device"),
  /// the output as it was and the partial file gone.
  std::optional<std::string> Commit();

 private:
  PendingFile(std::filesystem::path output, std::filesystem::path destination,
              std::filesystem::path partial, system::NewFile file);
  void Discard();

  std::filesystem::path output_;       // as the caller named it, for messages
  std::filesystem::path destination_;  // the file that is replaced
  std::filesystem::path partial_;
  std::optional<system::NewFile> file_;
  std::string failure_;
};

/// Writes `bytes` as the whole of `output`, unless OutputRefusal refuses it
/// against `inputs`: nullopt when written, otherwise the refusal or the
/// PendingFile problem.
std::optional<std::string> WriteOutputFile(const std::filesystem::path& output,
                                           std::string_view bytes,
                                           const std::vector<std::filesystem::path>& inputs = {});

}  // namespace toolfiles

#endif  // GANNET_TOOLFILES_OUTPUT_FILE_H_
