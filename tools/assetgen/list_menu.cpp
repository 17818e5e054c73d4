#include <cmath>

#include "actors.h"
#include "art.h"
#include "image_set.h"
#include "lists.h"
#include "screens/screen_layout.h"

namespace assetgen {

namespace {

namespace layout = screen_layout;

const char* kFont = "PT Sans";
// The screens' caption and panel. The panel reaches past the widest things the screens put on
// it: the records' points column (centred at x 661, a ten-digit score), the pictures at x 650
// and 670 on the help pages and the address on the last one.
constexpr int kScreenPanelWidth = layout::kPanelWidth;
constexpr int kScreenPanelHeight = layout::kPanelHeight;
constexpr int kCaptionHeight = layout::kCaptionHeight;
// A shading band sits under each of the records' rows.
constexpr int kRecordBandHeight = 22;
// The option rows hold 16-point text written from their top edge; a bar is as tall as that
// line (its ink runs from 3 to 26 pixels below the top) and reaches as far from the panel's
// right edge as it starts from its left, past the longest value ("ПОЛНЫЙ ЭКРАН" from x 507).
constexpr int kOptionRowWidth = kScreenPanelWidth - 2 * (layout::kOptionRowX - layout::kFrameX);
constexpr int kOptionRowHeight = layout::kOptionRowHeight;
// The question window is centred on its Yes and No buttons, so it reaches as far right of No
// as it starts left of Yes.
constexpr int kWindowWidth =
    2 * ((layout::kNoX + layout::kAnswerWidth + layout::kYesX) / 2 - layout::kWindowX);
constexpr int kWindowHeight = 170;
const TRgb kPanelCream = Hex(0xFFF6DC);
const TRgb kPanelBorder = Hex(0x2E5A8A);

// Buttons come in two looks: inactive (calm blue) and active (warm, lit).
void Button(cairo_t* cr, double w, double h, const std::string& label, bool active,
            double textSize) {
  RoundRect(cr, 2, 2, w - 4, h - 4, h / 3);
  FillGradientPreserve(cr, 0, h, active ? Hex(0xFFD24A) : Hex(0x4A8AD0),
                       active ? Hex(0xF08A1A) : Hex(0x23568E));
  SetColour(cr, active ? Hex(0xFFFFFF) : Hex(0x14304E));
  cairo_set_line_width(cr, active ? 3 : 2);
  cairo_stroke(cr);
  CentredText(cr, kFont, textSize, true, label, w / 2, h / 2,
              active ? Hex(0x4A1E0A) : Hex(0xFFFFFF), active ? Hex(0xFFF2B0) : Hex(0x14304E),
              active ? 0 : 2);
}

void AddButtonPair(engine::TPictureCollection& list, const std::string& name, int w, int h,
                   const std::string& label, double textSize) {
  AddImage(list, Single(name + "_I", w, h,
                        [=](cairo_t* cr, int) { Button(cr, w, h, label, false, textSize); }));
  AddImage(list, Single(name + "_A", w, h,
                        [=](cairo_t* cr, int) { Button(cr, w, h, label, true, textSize); }));
}

void Panel(cairo_t* cr, double w, double h) {
  RoundRect(cr, 2, 2, w - 4, h - 4, 14);
  SetColour(cr, kPanelCream);
  cairo_fill_preserve(cr);
  SetColour(cr, kPanelBorder);
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);
  RoundRect(cr, 9, 9, w - 18, h - 18, 9);
  SetColour(cr, Hex(0xE8C88A));
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
}

// A quill, the game's emblem, leaning right, its tip at the bottom left.
void Quill(cairo_t* cr, double x, double y, double length) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, -1.1);
  const double w = length * 0.16;
  cairo_move_to(cr, 0, 0);
  cairo_curve_to(cr, length * 0.3, -w, length * 0.8, -w * 1.2, length, 0);
  cairo_curve_to(cr, length * 0.8, w * 1.1, length * 0.3, w * 0.9, 0, 0);
  FillInked(cr, Hex(0xFFD24A), 1.5);
  cairo_move_to(cr, -length * 0.06, 0);
  cairo_line_to(cr, length * 0.95, 0);
  SetColour(cr, Hex(0x8A6A3A));
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  cairo_restore(cr);
}

// The windows' texts are centred on x 400 and may run close to the window's left edge (a
// ten-digit score in the name entry), so a window has a plain thin border. Centred on its
// buttons, it has room to the right of the texts (from x 548) that no text reaches: the quill
// stands there and balances the question against the window.
void WindowPanel(cairo_t* cr, double w, double h) {
  RoundRect(cr, 1.5, 1.5, w - 3, h - 3, 12);
  SetColour(cr, kPanelCream);
  cairo_fill_preserve(cr);
  SetColour(cr, kPanelBorder);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  Quill(cr, w - 48, 100, 76);
}

void Caption(cairo_t* cr, const std::string& text) {
  const double w = kScreenPanelWidth, h = kCaptionHeight;
  RoundRect(cr, 2, 4, w - 4, h - 8, 20);
  FillGradientPreserve(cr, 4, h - 4, Hex(0xFFC23A), Hex(0xE0701A));
  SetColour(cr, Hex(0x7A2E0A));
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  CentredText(cr, kFont, 30, true, text, w / 2, h / 2, Hex(0xFFFFFF), Hex(0x7A2E0A), 4);
}

void MenuBackground(cairo_t* cr) {
  VerticalGradient(cr, 0, 0, 800, 600, Hex(0x2E7AD6), Hex(0xCFEFFF));
  Ellipse(cr, 660, 90, 46, 46);
  SetColour(cr, Hex(0xFFE66A));
  cairo_fill(cr);
  // Two bands of hills and a lake at the far end, where the ducks are heading.
  cairo_move_to(cr, 0, 600);
  for (int x = 0; x <= 800; x += 5) cairo_line_to(cr, x, 430 + 24 * std::sin(x / 90.0));
  cairo_line_to(cr, 800, 600);
  SetColour(cr, Hex(0x5E9E62));
  cairo_fill(cr);
  Ellipse(cr, 640, 560, 200, 26);
  SetColour(cr, Hex(0x4AA6E0));
  cairo_fill(cr);
  cairo_move_to(cr, 0, 600);
  for (int x = 0; x <= 800; x += 5) cairo_line_to(cr, x, 520 + 18 * std::sin(x / 60.0 + 1));
  cairo_line_to(cr, 800, 600);
  SetColour(cr, Hex(0x6CBF3E));
  cairo_fill(cr);
  // The title and the hero of it on the left; the buttons stand on the right.
  CentredText(cr, kFont, 78, true, "Перолёт", 245, 120, Hex(0xFFD24A), Hex(0x5A1E0A), 8);
  cairo_save(cr);
  cairo_translate(cr, 60, 200);
  cairo_scale(cr, 2.6, 2.6);
  DrawDuckCraft(cr, 0, false, true);
  cairo_restore(cr);
  cairo_save(cr);
  cairo_translate(cr, 36, 400);
  cairo_scale(cr, 1.2, 1.2);
  DrawHeroDuck(cr);
  cairo_restore(cr);
}

}  // namespace

void AddMenuImages(engine::TPictureCollection& list) {
  TDrawnImage background = Single("MMB", 800, 600, [](cairo_t* cr, int) { MenuBackground(cr); });
  background.transparent = false;
  background.systemMemory = true;
  AddImage(list, background);
  const char* kMainLabels[] = {"Новая игра", "Настройки", "Рекорды", "Помощь", "Ещё игры", "Выход"};
  for (int i = 0; i < 6; ++i)
    AddButtonPair(list, "MM_" + std::to_string(i + 1), layout::kMainButtonWidth,
                  layout::kMainButtonHeight, kMainLabels[i], 24);

  AddImage(list, Single("Window", kWindowWidth, kWindowHeight,
                        [](cairo_t* cr, int) { WindowPanel(cr, kWindowWidth, kWindowHeight); }));
  // Yes and No carry both looks in one picture: pattern 0 active, 1 inactive.
  for (const auto& [name, label] : {std::pair{"Yes", "Да"}, std::pair{"No", "Нет"}}) {
    TDrawnImage button;
    button.name = name;
    button.layout = {layout::kAnswerWidth, layout::kAnswerHeight, 1, 2, 0, 0};
    const std::string text = label;
    button.draw = [text](cairo_t* cr, int f) {
      Button(cr, layout::kAnswerWidth, layout::kAnswerHeight, text, f == 0, 20);
    };
    AddImage(list, button);
  }
  AddImage(list, Single("Cursor", 4, 22, [](cairo_t* cr, int) {
             cairo_rectangle(cr, 0, 0, 4, 22);
             SetColour(cr, kInk);
             cairo_fill(cr);
           }));
  AddImage(list, Single("Cap_Opt", kScreenPanelWidth, kCaptionHeight,
                        [](cairo_t* cr, int) { Caption(cr, "Настройки"); }));
  AddImage(list, Single("Cap_HS", kScreenPanelWidth, kCaptionHeight,
                        [](cairo_t* cr, int) { Caption(cr, "Рекорды"); }));
  AddImage(list, Single("Cap_Help", kScreenPanelWidth, kCaptionHeight,
                        [](cairo_t* cr, int) { Caption(cr, "Помощь"); }));
  AddImage(list, Single("Sub_Bg", kScreenPanelWidth, kScreenPanelHeight, [](cairo_t* cr, int) {
             Panel(cr, kScreenPanelWidth, kScreenPanelHeight);
           }));
  AddImage(list, Single("HS_Bg", kScreenPanelWidth, kScreenPanelHeight, [](cairo_t* cr, int) {
             Panel(cr, kScreenPanelWidth, kScreenPanelHeight);
             for (int row = 1; row <= 10; ++row) {
               const int centre =
                   layout::kRecordRowsY + layout::kRecordRowStep * row - layout::kPanelY;
               cairo_rectangle(cr, 16, centre - kRecordBandHeight / 2, kScreenPanelWidth - 32,
                               kRecordBandHeight);
               SetColour(cr, row % 2 ? Hex(0xFBEBC4) : Hex(0xFFF6DC));
               cairo_fill(cr);
             }
           }));
  AddImage(list, Single("OptB_I", kOptionRowWidth, kOptionRowHeight, [](cairo_t* cr, int) {
             RoundRect(cr, 1, 0, kOptionRowWidth - 2, kOptionRowHeight, 8);
             SetColour(cr, Hex(0xF8E6B8));
             cairo_fill(cr);
           }));
  AddImage(list, Single("OptB_A", kOptionRowWidth, kOptionRowHeight, [](cairo_t* cr, int) {
             RoundRect(cr, 1, 1, kOptionRowWidth - 2, kOptionRowHeight - 2, 8);
             SetColour(cr, Hex(0xFFD24A));
             cairo_fill_preserve(cr);
             SetColour(cr, Hex(0xE0701A));
             cairo_set_line_width(cr, 2);
             cairo_stroke(cr);
           }));
  AddButtonPair(list, "Back", 120, 40, "В меню", 20);
  AddButtonPair(list, "Clear_HS", 200, 40, "Очистить", 20);
  AddButtonPair(list, "Visit_WHS", 200, 40, "Мировые рекорды", 18);
  AddButtonPair(list, "Prev", 160, 40, "‹ Назад", 20);
  AddButtonPair(list, "Next", 160, 40, "Далее ›", 20);
}

}  // namespace assetgen
