#include "screens/typing.h"

#include <cstddef>

#include "screens/screen_text.h"

namespace {

constexpr int kBackspace = 8;
constexpr int kBlank = 32;
constexpr int kFirstTypable = 48;
constexpr size_t kLongestTypedText = 12;

bool IsTypable(int c) {
  return c >= kFirstTypable || c == kBlank;
}

}  // namespace

void TypeInto(TScreenText& screenText, std::string& text, int key, int style, int widest) {
  if (key == kBackspace) {
    if (!text.empty()) text.pop_back();
    return;
  }
  if (!IsTypable(key) || screenText.TextWidthIn(text, style) > widest ||
      text.size() >= kLongestTypedText)
    return;
  text += static_cast<char>(key);
}
