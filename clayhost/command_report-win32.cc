#include <windows.h>

#include <system_error>

#include "clayhost/command_report.h"

namespace clayhost {
namespace {

std::string Reason() {
  return std::system_category().message(static_cast<int>(GetLastError()));
}

}  // namespace

std::optional<std::string> MakeReportFile(std::string* path) {
  char folder[MAX_PATH + 1];
  char file[MAX_PATH + 1];
  const DWORD length = GetTempPathA(sizeof folder, folder);
  if (length == 0 || length > sizeof folder || GetTempFileNameA(folder, "rep", 0, file) == 0) {
    return Reason();
  }
  *path = file;
  return std::nullopt;
}

std::optional<std::string> PutEnvironment(const std::string& name, const std::string& value) {
  // Sets the process environment too, which the commands inherit.
  if (_putenv_s(name.c_str(), value.c_str()) != 0) {
    return std::string("the C runtime refused it");
  }
  return std::nullopt;
}

}  // namespace clayhost
