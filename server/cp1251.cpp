#include "cp1251.h"

#include <cstdint>

#include "text/cp1251.h"
#include "text/utf8.h"

namespace records {

namespace {

bool IsControl(uint8_t byte) {
  return byte < 0x20 || byte == 0x7F;
}

}  // namespace

std::string Utf8FromCp1251(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char byte : bytes) {
    const auto cp = text::CodePointOfCp1251(byte);
    text::AppendUtf8(out, cp && !IsControl(byte) ? *cp : text::kReplacementCharacter);
  }
  return out;
}

}  // namespace records
