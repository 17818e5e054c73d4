#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

namespace engine {
class TDXDraw;
}

// The sixteen text styles every screen writes with, on the back surface's canvas. Nothing is
// drawn or measured without a surface, nor drawn while the program skips its pictures.
class TScreenText {
 public:
  TScreenText(engine::TDXDraw& draw, const bool& skipDrawing)
      : draw_(draw), skipDrawing_(skipDrawing) {}

  // Styles 1 to 16; another number leaves the style in force.
  void SetTextStyle(int style);
  // Another colour for the style in force, for the one text that must stand out (0x00BBGGRR).
  void SetTextColour(uint32_t colour);
  // x and y are the text's top left unless centred.
  void DrawText(const std::string& text, int x, bool centreVertically, bool centreHorizontally,
                int y);
  int TextWidth(const std::string& text);
  int TextWidthIn(const std::string& text, int style);
  // A text of the screens, written in the source as it reads (UTF-8), in the code page the
  // canvas takes. Each text is converted once and kept, so drawing it every frame costs a
  // lookup; it must live as long as this object does (a literal, or a line of a table made
  // once).
  const std::string& Cp1251(const char* utf8);

 private:
  engine::TDXDraw& draw_;
  const bool& skipDrawing_;
  std::unordered_map<const char*, std::string> converted_;
};
