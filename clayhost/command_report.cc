#include "clayhost/command_report.h"

#include <filesystem>
#include <utility>

#include "toolfiles/input_file.h"

namespace clayhost {

std::optional<CommandReport> CommandReport::Open(std::string* error) {
  std::string path;
  if (auto problem = MakeReportFile(&path)) {
    *error = "cannot make the commands' report file: " + *problem;
    return std::nullopt;
  }
  CommandReport report(path);
  if (auto problem = PutEnvironment(kReportVariable, path)) {
    *error = "cannot name the commands' report file in " + std::string(kReportVariable) + ": " +
             *problem;
    return std::nullopt;
  }
  return report;
}

CommandReport::CommandReport(CommandReport&& other) noexcept
    : path_(std::exchange(other.path_, {})) {}

CommandReport::~CommandReport() {
  if (!path_.empty()) {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
}

std::string CommandReport::Read() const {
  std::string problem;
  const std::optional<std::string> text = toolfiles::ReadInputFile(path_, kLargestReport, &problem);
  return text ? *text : "ERROR: the report " + path_ + ": " + problem + "\n";
}

bool ReportsFailure(const std::string& report) {
  for (std::size_t start = 0; start < report.size();) {
    if (report.compare(start, 5, "ERROR") == 0) {
      return true;
    }
    const std::size_t end = report.find('\n', start);
    start = end == std::string::npos ? report.size() : end + 1;
  }
  return false;
}

}  // namespace clayhost
