#include "engine/resource_file.h"

#include "engine/engine_error.h"
#include "platform/file_io.h"

namespace engine {

std::vector<uint8_t> ReadResourceFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  std::string why;
  if (!platform::ReadWholeFile(path, bytes, why))
    throw EInOutError(Format("Cannot open file \"%s\". %s", path.c_str(), why.c_str()));
  return bytes;
}

void WriteResourceFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::string why;
  if (!platform::WriteWholeFile(path, bytes, why))
    throw EInOutError(Format("Cannot create file \"%s\". %s", path.c_str(), why.c_str()));
}

}  // namespace engine
