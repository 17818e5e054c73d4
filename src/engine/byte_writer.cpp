#include "engine/byte_writer.h"

#include <stdexcept>

namespace engine {

void TByteWriter::ShortString(const std::string& text) {
  if (text.size() > 255) throw std::length_error("short string longer than 255: " + text);
  U8(static_cast<uint8_t>(text.size()));
  Append(text);
}

void TByteWriter::PatchU32(size_t position, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes_.at(position + i) = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace engine
