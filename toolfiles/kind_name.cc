#include "toolfiles/file_system.h"

namespace toolfiles::system {

const char* KindName(Kind kind) {
  switch (kind) {
    case Kind::kFolder:
      return "a folder";
    case Kind::kPipe:
      return "a named pipe";
    case Kind::kDevice:
      return "a device";
    case Kind::kOther:
      return "a socket or other special file";
    case Kind::kMissing:
    case Kind::kRegular:
      break;
  }
  return "not a file";
}

}  // namespace toolfiles::system
