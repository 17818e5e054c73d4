#include "persist/text_reader.h"

#include <algorithm>
#include <charconv>

#include "engine/engine_error.h"

namespace persist {

namespace {

bool IsBlank(uint8_t c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0x1A;
}

}  // namespace

TTextReader::TTextReader(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {
  static constexpr uint8_t kByteOrderMark[] = {0xEF, 0xBB, 0xBF};
  if (bytes_.size() >= 3 &&
      std::equal(std::begin(kByteOrderMark), std::end(kByteOrderMark), bytes_.begin()))
    pos_ = 3;
}

bool TTextReader::AtLineEnd() const {
  return pos_ >= bytes_.size() || bytes_[pos_] == '\r' || bytes_[pos_] == '\n';
}

int32_t TTextReader::ReadInteger() {
  while (pos_ < bytes_.size() && IsBlank(bytes_[pos_])) ++pos_;
  const size_t start = pos_;
  while (pos_ < bytes_.size() && !IsBlank(bytes_[pos_])) ++pos_;
  if (start == pos_) return 0;  // the end of the file
  const char* first = reinterpret_cast<const char*>(bytes_.data()) + start;
  const char* last = reinterpret_cast<const char*>(bytes_.data()) + pos_;
  if (*first == '+') ++first;
  int32_t value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last || first == last)
    throw engine::EInOutError("Invalid numeric input");
  return value;
}

std::string TTextReader::ReadLine() {
  const size_t start = pos_;
  while (!AtLineEnd()) ++pos_;
  std::string line(bytes_.begin() + static_cast<std::ptrdiff_t>(start),
                   bytes_.begin() + static_cast<std::ptrdiff_t>(pos_));
  SkipLine();
  return line;
}

void TTextReader::SkipLine() {
  while (!AtLineEnd()) ++pos_;
  if (pos_ < bytes_.size() && bytes_[pos_] == '\r') ++pos_;
  if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
}

}  // namespace persist
