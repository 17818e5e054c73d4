#include "persist/text_reader.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>

#include "engine/engine_error.h"
#include "platform/file_io.h"
#include "platform/paths.h"

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

bool FileCanOpen(const std::string& path) {
  if (path.empty()) return false;
  std::vector<uint8_t> bytes;
  std::string why;
  return platform::ReadWholeFile(path, bytes, why);
}

std::vector<uint8_t> ReadSaveFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  std::string why;
  if (!platform::ReadWholeFile(path, bytes, why))
    throw engine::EInOutError(engine::Format("Cannot open file \"%s\". %s",
                                             platform::NativePath(path).c_str(), why.c_str()));
  return bytes;
}

void WriteSaveFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  const std::filesystem::path native = platform::NativePath(path);
  std::error_code error;
  if (native.has_parent_path()) std::filesystem::create_directories(native.parent_path(), error);
  std::string why;
  if (!platform::WriteWholeFile(native.string(), bytes, why))
    throw engine::EInOutError(
        engine::Format("Cannot create file \"%s\". %s", native.string().c_str(), why.c_str()));
}

}  // namespace persist
