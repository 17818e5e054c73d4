#include "persist/io_error.h"

#include <cerrno>
#include <cstring>

namespace persist {

namespace {

const char* Reason(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
      return "File access denied";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return "Disk full";
    default:
      return std::strerror(error);
  }
}

}  // namespace

std::string IoFailureMessage(int error, const std::string& path) {
  return std::string(Reason(error)) + ": " + path;
}

}  // namespace persist
