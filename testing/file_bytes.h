// Whole files as byte strings, for tests that prepare inputs and compare
// outputs byte for byte.
#ifndef GANNET_TESTING_FILE_BYTES_H_
#define GANNET_TESTING_FILE_BYTES_H_

#include <filesystem>
#include <string>
#include <string_view>

namespace gannet_testing {

/// The bytes of `file`; empty when it does not exist or cannot be read
/// (tests that care whether it exists ask std::filesystem::exists).
std::string ReadBytes(const std::filesystem::path& file);

/// The bytes of an expected output kept in a testdata file. Throws
/// std::runtime_error when the file cannot be read, so that a lost golden
/// never passes as an empty expectation.
std::string ReadGolden(const std::filesystem::path& file);

/// Writes `bytes` to `file`, replacing it, after creating its folders.
/// Throws std::runtime_error when the file cannot be written.
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);

/// Writes an executable shell script: "#!/bin/sh\n" followed by `body`,
/// readable and runnable by its owner and group.
void WriteScript(const std::filesystem::path& file, std::string_view body);

}  // namespace gannet_testing

#endif  // GANNET_TESTING_FILE_BYTES_H_
