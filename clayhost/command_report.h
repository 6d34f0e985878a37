// The channel through which the commands a plug-in runs reach the user. The
// plug-ins read a command's output for words and otherwise discard it (the
// POSIX rsdn.bat's "ERROR: ..." among it); a command that wants to be heard
// appends to the file named by GANNET_HOST_REPORT, which the host shows once
// the plug-in's working call has returned.
#ifndef GANNET_CLAYHOST_COMMAND_REPORT_H_
#define GANNET_CLAYHOST_COMMAND_REPORT_H_

#include <cstdint>
#include <optional>
#include <string>

namespace clayhost {

/// The environment variable that names the report file.
inline constexpr char kReportVariable[] = "GANNET_HOST_REPORT";

/// The largest report the host shows.
inline constexpr std::uint64_t kLargestReport = std::uint64_t{1} << 20;

/// A report file for one run: made empty in the system's temporary folder,
/// named in the environment the plug-in's commands inherit, and removed when
/// the object goes.
class CommandReport {
 public:
  /// Makes the file and names it; nullopt with `*error` set when either fails.
  static std::optional<CommandReport> Open(std::string* error);
  CommandReport(CommandReport&& other) noexcept;
  CommandReport& operator=(CommandReport&&) = delete;
  CommandReport(const CommandReport&) = delete;
  CommandReport& operator=(const CommandReport&) = delete;
  ~CommandReport();

  /// Everything reported so far; a refusal to read it (beyond kLargestReport)
  /// is reported as a line of its own that begins with "ERROR".
  std::string Read() const;

 private:
  explicit CommandReport(std::string path) : path_(std::move(path)) {}
  std::string path_;
};

/// Whether a report tells of a failure: one of its lines begins with "ERROR".
bool ReportsFailure(const std::string& report);

// Per platform (command_report-<platform>.cc): a new empty file of this
// process's own in the temporary folder, and setting a variable of the
// environment. Each answers why it failed, or nullopt.
std::optional<std::string> MakeReportFile(std::string* path);
std::optional<std::string> PutEnvironment(const std::string& name, const std::string& value);

}  // namespace clayhost

#endif  // GANNET_CLAYHOST_COMMAND_REPORT_H_
