#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "engine/draw_recorder.h"
#include "objects/menu_button.h"
#include "platform/events.h"
#include "platform/vk_codes.h"
#include "screens/help_screen.h"
#include "screens/options_screen.h"
#include "screens/records_screen.h"
#include "support/headless_form_fixture.h"
#include "support/screens.h"
#include "text/cp1251.h"

// Every screen, window and help page drawn as a player meets it, at its widest (the longest
// names, country and scores the game lets in), checked from what was drawn: each text and
// picture stays inside the panel or window it stands on, and no two texts overlap.
namespace {

using engine::TRect;

// What the borders take up inside the pictures: the screen panel's double line, the
// windows' single thin one.
constexpr int kBorder = 8;
constexpr int kWindowBorder = 5;
// Room a row bar leaves above and below its text, at least and at most.
constexpr int kBarPadding = 2;
constexpr int kMostBarPadding = 10;

struct TDrawnText {
  std::string text;  // UTF-8, for the messages
  TRect ink;
};

struct TDrawnPicture {
  std::string name;
  TRect ink;
  TRect where;
};

class TFrameRecord : public engine::TDrawRecorder {
 public:
  std::vector<TDrawnText> texts;
  std::vector<TDrawnPicture> pictures;

  void TextDrawn(const std::string& cp1251, const TRect& ink) override {
    texts.push_back({text::Utf8FromCp1251(cp1251), ink});
  }
  void PictureDrawn(const std::string& name, const TRect& where, const TRect& ink) override {
    pictures.push_back({name, ink, where});
  }
  void Clear() {
    texts.clear();
    pictures.clear();
  }
  std::vector<TDrawnPicture> Named(const std::string& prefix) const {
    std::vector<TDrawnPicture> found;
    for (const TDrawnPicture& p : pictures)
      if (p.name.rfind(prefix, 0) == 0) found.push_back(p);
    return found;
  }
};

bool IsEmpty(const TRect& r) {
  return r.Right <= r.Left || r.Bottom <= r.Top;
}

bool Touch(const TRect& a, const TRect& b) {
  if (IsEmpty(a) || IsEmpty(b)) return false;
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

bool Inside(const TRect& r, const TRect& box) {
  return IsEmpty(r) ||
         (r.Left >= box.Left && r.Top >= box.Top && r.Right <= box.Right && r.Bottom <= box.Bottom);
}

TRect Inset(const TRect& r, int by) {
  return {r.Left + by, r.Top + by, r.Right - by, r.Bottom - by};
}

std::string Show(const TRect& r) {
  return "(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + ")-(" +
         std::to_string(r.Right) + "," + std::to_string(r.Bottom) + ")";
}

struct ScreenLayout : test_support::THeadlessFormFixture {
  TFrameRecord drawn;

  void SetUp() override {
    THeadlessFormFixture::SetUp();
    form->MDXDraw.Surface().Recorder = &drawn;
    Frames(80);  // the main menu's fade-in
  }
  void TearDown() override {
    form->MDXDraw.Surface().Recorder = nullptr;
    THeadlessFormFixture::TearDown();
  }

  // One frame, with what it drew.
  void Look() {
    drawn.Clear();
    Frame();
  }

  // The widest twelve characters the typing rule lets in (a character is taken while the text
  // is at most limit pixels wide in the style): eleven of the widest character that keeps
  // them within the limit, then the widest of all.
  std::string WidestTyped(int style, int limit) {
    std::vector<std::pair<int, char>> widths;
    for (int code = '0'; code < 256; ++code) {
      const char c = static_cast<char>(code);
      widths.push_back({form->Text.TextWidthIn(std::string(1, c), style), c});
    }
    std::sort(widths.rbegin(), widths.rend());
    for (const auto& [width, c] : widths) {
      const std::string eleven(11, c);
      if (form->Text.TextWidthIn(eleven, style) <= limit) return eleven + widths.front().second;
    }
    return {};
  }

  TRect Only(const std::string& name) {
    const std::vector<TDrawnPicture> found = drawn.Named(name);
    EXPECT_EQ(found.size(), 1u) << name;
    return found.empty() ? TRect{} : found[0].ink;
  }

  void ExpectTextsApart() {
    for (size_t i = 0; i < drawn.texts.size(); ++i)
      for (size_t j = i + 1; j < drawn.texts.size(); ++j)
        EXPECT_FALSE(Touch(drawn.texts[i].ink, drawn.texts[j].ink))
            << '"' << drawn.texts[i].text << "\" " << Show(drawn.texts[i].ink) << " and \""
            << drawn.texts[j].text << "\" " << Show(drawn.texts[j].ink);
  }
  void ExpectTextsInside(const TRect& box, const char* what) {
    for (const TDrawnText& t : drawn.texts)
      EXPECT_TRUE(Inside(t.ink, box))
          << '"' << t.text << "\" " << Show(t.ink) << " leaves " << what << ' ' << Show(box);
  }
  void ExpectPicturesInside(const std::string& prefix, const TRect& box, const char* what) {
    for (const TDrawnPicture& p : drawn.Named(prefix))
      EXPECT_TRUE(Inside(p.ink, box))
          << p.name << ' ' << Show(p.ink) << " leaves " << what << ' ' << Show(box);
  }
  void ExpectTextsClearOf(const std::string& prefix) {
    for (const TDrawnPicture& p : drawn.Named(prefix))
      for (const TDrawnText& t : drawn.texts)
        EXPECT_FALSE(Touch(t.ink, p.ink))
            << '"' << t.text << "\" " << Show(t.ink) << " lies on " << p.name << ' ' << Show(p.ink);
  }

  // The texts on a window stand inside its border, each on plain ground: the window's
  // picture under it is one colour, clear of its border and its emblem.
  void ExpectTextsOnTheWindow(const TDrawnPicture& window) {
    const engine::TDIB& picture = form->MDXImageList1.Items.FindImage("Window").Picture;
    for (const TDrawnText& t : drawn.texts) {
      if (!Touch(t.ink, window.ink)) continue;
      EXPECT_TRUE(Inside(t.ink, Inset(window.ink, kWindowBorder)))
          << '"' << t.text << "\" " << Show(t.ink) << " leaves the window " << Show(window.ink);
      const uint32_t ground =
          picture.Pixel(t.ink.Left - window.where.Left, t.ink.Top - window.where.Top);
      int other = 0;
      for (int y = std::max(t.ink.Top, window.ink.Top);
           y < std::min(t.ink.Bottom, window.ink.Bottom); ++y)
        for (int x = std::max(t.ink.Left, window.ink.Left);
             x < std::min(t.ink.Right, window.ink.Right); ++x)
          other += picture.Pixel(x - window.where.Left, y - window.where.Top) != ground;
      EXPECT_EQ(other, 0) << '"' << t.text << "\" " << Show(t.ink)
                          << " is written over the window's drawing";
    }
  }

  // Each text stands in the bar of its row, with a little room above and below and no more.
  void ExpectRowBarsFitTheirTexts() {
    const std::vector<TDrawnPicture> bars = drawn.Named("OptB_");
    ASSERT_EQ(bars.size(), 5u);
    for (const TDrawnPicture& bar : bars) {
      int top = std::numeric_limits<int>::max(), bottom = 0;
      for (const TDrawnText& t : drawn.texts) {
        if (IsEmpty(t.ink) || t.ink.Bottom <= bar.ink.Top || t.ink.Top >= bar.ink.Bottom) continue;
        EXPECT_TRUE(Inside(t.ink, Inset(bar.ink, kBarPadding)))
            << '"' << t.text << "\" " << Show(t.ink) << " leaves its row bar " << Show(bar.ink);
        top = std::min(top, t.ink.Top);
        bottom = std::max(bottom, t.ink.Bottom);
      }
      ASSERT_LT(top, bottom) << "a row bar without text at " << Show(bar.ink);
      EXPECT_LE(top - bar.ink.Top, kMostBarPadding) << "room above the text, bar " << Show(bar.ink);
      EXPECT_LE(bar.ink.Bottom - bottom, kMostBarPadding)
          << "room below the text, bar " << Show(bar.ink);
    }
  }
};

TEST_F(ScreenLayout, OptionsScreenKeepsEveryRowInsideThePanelAndEachTextInItsBar) {
  TOptionsScreen& options = test_support::ShowScreen<TOptionsScreen>(*form);
  form->Options.Country = WidestTyped(4, 180);
  ASSERT_EQ(form->Options.Country.size(), 12u);
  form->BossShift = platform::kShiftShift;  // the longest key name, SHIFT+F12
  form->BossKey = platform::vk::kF12;
  for (bool fullScreen : {false, true}) {
    SCOPED_TRACE(fullScreen ? "full screen selected" : "window selected");
    form->Options.FullScreen = fullScreen;
    options.Menu()->Item = 1;  // the mode's row lit, as when it is switched
    Look();
    const TRect panel = Inset(Only("Sub_Bg"), kBorder);
    ExpectTextsInside(panel, "the panel");
    ExpectPicturesInside("OptB_", panel, "the panel");
    ExpectTextsApart();
    ExpectRowBarsFitTheirTexts();
  }
}

TEST_F(ScreenLayout, RecordsScreenHoldsTheWidestTableInsideItsPanel) {
  const std::string name = WidestTyped(10, 240);
  ASSERT_EQ(name.size(), 12u);
  for (int i = 1; i <= persist::kTableSize; ++i)
    form->HighScores[i] = {name, std::numeric_limits<int32_t>::max()};
  test_support::ShowScreen<TRecordsScreen>(*form);
  Look();
  ASSERT_EQ(drawn.texts.size(), 30u);
  ExpectTextsInside(Inset(Only("HS_Bg"), kBorder), "the panel");
  ExpectTextsApart();
}

TEST_F(ScreenLayout, EveryHelpPageKeepsItsTextsAndPicturesApartInsideThePanel) {
  THelpScreen& help = test_support::ShowScreen<THelpScreen>(*form);
  for (int page = 1; page <= 6; ++page) {
    SCOPED_TRACE("help page " + std::to_string(page));
    help.TurnTo(page);
    Frame();  // the page's pictures are shown by the frame that draws it
    Look();
    const TRect panel = Inset(Only("Sub_Bg"), kBorder);
    ExpectTextsInside(panel, "the panel");
    for (const char* picture :
         {"Help", "BSingleGun", "BMultiGun", "BRocket", "BMegaBomb", "BLife", "BHero", "BScore"}) {
      ExpectPicturesInside(picture, panel, "the panel");
      ExpectTextsClearOf(picture);
    }
    ExpectTextsApart();
  }
}

// A score host too long for the panel leaves only the host on the last page.
TEST_F(ScreenLayout, ALongScoreHostIsWrittenWithoutItsPath) {
  form->MDXDraw.Surface().Recorder = nullptr;
  form.reset();
  const std::string host = "world-table.scores.example.org";
  form = std::make_unique<TMForm>(platform, TFormConfig{5, "https://" + host});
  form->FormCreate();
  form->MDXDraw.Surface().Recorder = &drawn;
  Frames(80);
  test_support::ShowScreen<THelpScreen>(*form).TurnTo(6);
  Look();
  ASSERT_EQ(drawn.texts.size(), 4u);
  EXPECT_EQ(drawn.texts.back().text, host);
  ExpectTextsInside(Inset(Only("Sub_Bg"), kBorder), "the panel");
}

// The questions: the window centred on its two buttons, which stand inside it with its texts.
TEST_F(ScreenLayout, QuestionWindowsAreCentredOnTheirButtonsAndHoldTheirTexts) {
  auto check = [this](int kind) {
    SCOPED_TRACE("window " + std::to_string(kind));
    form->OpenWindow(kind);
    Look();
    const TRect window = Only("Window");
    const TRect yes = Only("Yes");
    const TRect no = Only("No");
    EXPECT_NEAR(window.Left + window.Right, yes.Left + no.Right, 2)
        << "window " << Show(window) << ", buttons from " << yes.Left << " to " << no.Right;
    ExpectPicturesInside("Yes", Inset(window, kWindowBorder), "the window");
    ExpectPicturesInside("No", Inset(window, kWindowBorder), "the window");
    ExpectTextsOnTheWindow(drawn.Named("Window")[0]);
    ExpectTextsApart();
    form->Screens().Pop();
    Frame();  // the closed window's pictures go
  };
  check(1);  // over the main menu
  test_support::ShowScreen<TRecordsScreen>(*form);
  check(4);
  form->Screens().Replace(nullptr);
  form->Game.StartGame(form->Game.DrawGameSeed());
  form->Screens().Pop();  // the level banner
  form->Game.Score = std::numeric_limits<int32_t>::max();
  check(2);
  check(9);
}

TEST_F(ScreenLayout, GameWindowsHoldTheirTextsClearOfTheHud) {
  form->LeaveMainMenu();
  form->Game.StartGame(form->Game.DrawGameSeed());
  form->Screens().Pop();
  form->Game.Score = std::numeric_limits<int32_t>::max();
  form->Game.Level = 999;
  form->PlayerName = WidestTyped(10, 240);
  const TRect screen{0, 0, 800, 600};
  for (int kind : {5, 6, 7, 8, 10}) {
    SCOPED_TRACE("window " + std::to_string(kind));
    form->OpenWindow(kind);
    Look();
    ExpectTextsInside(screen, "the screen");
    ExpectTextsApart();
    const std::vector<TDrawnPicture> backdrop = drawn.Named("Window");
    if (!backdrop.empty()) ExpectTextsOnTheWindow(backdrop[0]);
    form->Screens().Pop();
    Frame();
  }
}

}  // namespace
