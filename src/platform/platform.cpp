#include "platform/platform.h"

#include <stdexcept>

namespace platform {

namespace {
std::unique_ptr<TPlatform>& Current() {
  static std::unique_ptr<TPlatform> current;
  return current;
}
}  // namespace

TPlatform& Platform() {
  if (!Current()) throw std::logic_error("no platform has been set");
  return *Current();
}

void SetPlatform(std::unique_ptr<TPlatform> platform) {
  Current() = std::move(platform);
}

bool HasPlatform() {
  return Current() != nullptr;
}

}  // namespace platform
