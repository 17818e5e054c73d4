#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace persist {

// Reads a save file the way the game has always read its text files: integers skip the
// blanks and line ends before them and end at the next blank or line end; a line is the
// rest of the current one. At the end of the file an integer reads as 0 and a line as empty.
class TTextReader {
 public:
  // A byte-order mark an editor put in front of the first line is not part of the text.
  explicit TTextReader(std::vector<uint8_t> bytes);

  // Raises EInOutError "Invalid numeric input" for a field that is not a 32-bit integer.
  int32_t ReadInteger();
  std::string ReadLine();  // and moves to the next line
  void SkipLine();

 private:
  bool AtLineEnd() const;
  std::vector<uint8_t> bytes_;
  size_t pos_ = 0;
};

// Lines ended by CR LF, as the save files are written.
class TTextWriter {
 public:
  void Line(const std::string& text) {
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    bytes_.push_back('\r');
    bytes_.push_back('\n');
  }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace persist
