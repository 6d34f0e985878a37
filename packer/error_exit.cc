#include "packer/error_exit.h"

#include <cstdio>

namespace morphon {

void exit_with_error(const char* message, const char* file) {
  RunError error;
  if (message != nullptr) {
    error.message = message;
  }
  if (file != nullptr) {
    error.file = file;
  }
  throw error;
}

int FinishFailedRun(const RunError& error) {
  std::remove(kPckFileName);
  if (error.message) {
    std::printf("Error: %s \n", error.message->c_str());
  }
  if (error.file) {
    std::printf("File: %s \n", error.file->c_str());
  }
  std::fflush(stdout);
  return 1;
}

}  // namespace morphon
