#include "screens/help_screen.h"

#include <memory>
#include <string>

#include "engine/sprite_engine.h"
#include "gameplay/game.h"
#include "objects/kill_and_forget.h"
#include "objects/menu_button.h"
#include "objects/value_steps.h"
#include "persist/score_links.h"
#include "screens/controls.h"
#include "screens/help_texts.h"
#include "screens/main_menu.h"
#include "screens/score_server_note.h"
#include "screens/screen_host.h"
#include "screens/screen_layout.h"
#include "screens/screen_stack.h"
#include "screens/screen_text.h"
#include "screens/screen_types.h"

namespace {

constexpr uint8_t kMenuList = 1;
constexpr int kTextX = 200;
constexpr int kAddressX = 390;
constexpr int kAddressStyle = 14;
constexpr int kPanelBorder = 8;
constexpr int kNoServerStyle = 16;
constexpr int kNoServerY = 516;
constexpr int kFrameDepth = 3;
constexpr int kPictureDepth = 4;

struct TPicture {
  const char* name;
  uint8_t list;
  int x, y, page;
};

constexpr std::array<TPicture, THelpScreen::kPictureCount> kPictures{{
    {"HelpAirplane", 1, 320, 340, 2},
    {"HelpBird", 1, 310, 378, 2},
    {"HelpDog", 1, 350, 445, 2},
    {"HelpHelicopter", 1, 650, 335, 2},
    {"HelpHunter", 1, 647, 375, 2},
    {"BSingleGun", 2, 395, 334, 3},
    {"BMultiGun", 2, 395, 386, 3},
    {"BRocket", 2, 395, 438, 3},
    {"BRocket3x", 2, 395, 490, 3},
    {"BMegaBomb", 2, 670, 334, 3},
    {"BLife", 2, 670, 386, 3},
    {"BHero", 2, 670, 438, 3},
    {"BScore", 2, 670, 490, 3},
    {"HelpLogo", 1, 248, 374, 6},
}};

const char* const kTitles[THelpScreen::kPages + 1] = {
    "", "Описание Игры", "Противники", "Бонусы", "Управление", "Управление", "Об Игре"};

struct TLabel {
  const char* text;
  int x, y;
};

constexpr TLabel kBonusNames[] = {{"Пулемет", 200, 361},     {"Двойная Пушка", 200, 407},
                                  {"Ракетница", 200, 462},   {"Тройная ракетница", 200, 515},
                                  {"Супер Бомба", 520, 361}, {"Жизнь", 520, 407},
                                  {"Помощник", 520, 462},    {"Очки", 520, 515}};

}  // namespace

uint8_t THelpScreen::Number() const {
  return kScreenHelp;
}

// ShowHelp: the first page, Back selected.
void THelpScreen::Enter() {
  menu_.First = kBack;
  menu_.Last = kNext;
  menu_.Item = kBack;
  page_ = 1;
  gameplay::TGame& game = host_.Game();
  // The help's caption stands where the panel does, over it.
  using namespace screen_layout;
  frame_.Caption = new TMyImageSprite(game, kMenuList, "Cap_Help", kFrameX, kPanelY, kFrameDepth);
  frame_.Panel = new TMyImageSprite(game, kMenuList, "Sub_BG", kFrameX, kPanelY, kFrameDepth);
  menu_.Buttons[kBack] = new TMenuButton(game, kMenuList, "Back_A", "Back_I", 0, 0, 177, 549);
  menu_.Buttons[kPrevious] = new TMenuButton(game, kMenuList, "Prev_A", "Prev_I", 0, 0, 454, 548);
  menu_.Buttons[kNext] = new TMenuButton(game, kMenuList, "Next_A", "Next_I", 0, 0, 630, 548);
  for (size_t i = 0; i < kPictures.size(); ++i) {
    const TPicture& p = kPictures[i];
    pictures_[i] = new TMyImageSprite(game, p.list, p.name, p.x, p.y, kPictureDepth);
    pictures_[i]->Visible = false;
  }
}

void THelpScreen::Leave() {
  menu_.RemoveButtons();
  frame_.Hide();
  for (TMyImageSprite*& picture : pictures_) KillAndForget(picture);
}

void THelpScreen::Step(int lag) {
  menu_.Highlight();
  const TControls& controls = host_.Controls();
  TScreenStack& screens = host_.Screens();
  int& item = menu_.Item;
  if (controls.Left.Pressed) {
    if (item == kPrevious) item = kBack;
    if (item == kNext) item = kPrevious;
  }
  if (controls.Right.Pressed) {
    // Right walks Back → Previous → Next, then turns pages.
    if (item == kNext) screens.Activate(kNext);
    if (item == kPrevious) item = kNext;
    if (item == kBack) item = kPrevious;
  }
  if (controls.Back.Pressed) screens.Activate(kBack);
  if (screens.Base() != this) return;  // Back left the screen
  DrawTexts();
  host_.Sprites().StepAll(lag);
}

void THelpScreen::DrawTexts() {
  TScreenText& text = host_.Text();
  auto write = [&text](int style, const char* utf8, int x, int y) {
    text.SetTextStyle(style);
    text.DrawText(text.Cp1251(utf8), x, true, false, y);
  };
  write(14, kTitles[page_], kTextX, 318);
  const auto& body = HelpBodyLines(page_);
  switch (page_) {
    case 1:
      for (size_t i = 0; i < body.size(); ++i)
        write(16, body[i].c_str(), kTextX, 325 + 18 * (int(i) + 1));
      break;
    case 2:
      for (const THelpLabel& l : HelpEnemyPoints()) write(15, l.text.c_str(), l.x, l.y);
      break;
    case 3:
      for (const TLabel& l : kBonusNames) write(15, l.text, l.x, l.y);
      break;
    case 4:
    case 5:
      write(15, page_ == 4 ? "Управление в Меню" : "Управление в Игре", kTextX, 348);
      for (size_t i = 0; i < body.size(); ++i)
        write(16, body[i].c_str(), kTextX, 361 + 18 * (int(i) + 1));
      break;
    case 6: {
      write(14, "Перолёт", 394, 372);
      write(14, "2026, Перолёт", 395, 406);
      if (!host_.HasScoreServer()) {
        write(kNoServerStyle, kNoScoreServerNote, kTextX, kNoServerY);
        break;
      }
      text.SetTextStyle(kAddressStyle);  // the address is plain ASCII: no conversion
      text.DrawText(PageAddress(), kAddressX, true, false, 440);
      break;
    }
    default:
      break;
  }
  for (size_t i = 0; i < kPictures.size(); ++i)
    if (pictures_[i]) pictures_[i]->Visible = kPictures[i].page == page_;
}

// The world-records page as a reader would type it, or its host alone where a long host would
// run past the panel.
std::string THelpScreen::PageAddress() {
  const std::string& host = host_.ScoreServer();
  const std::string address = persist::WorldRecordsShortAddress(host);
  const TMyImageSprite* panel = frame_.Panel;
  const int panelRight = panel ? static_cast<int>(panel->X) + panel->Width : 0;
  if (kAddressX + host_.Text().TextWidthIn(address, kAddressStyle) <= panelRight - kPanelBorder)
    return address;
  return persist::WorldRecordsHostName(host);
}

void THelpScreen::Activate(int item) {
  switch (item) {
    case kBack:
      host_.Screens().Replace(std::make_unique<TMainMenu>(host_, 0, TMainMenu::kHelp, false));
      break;
    case kPrevious:
      objects::StepPrevWrap(page_, 1, kPages);
      break;
    case kNext:
      objects::StepNextWrap(page_, 1, kPages);
      break;
    default:
      break;
  }
}
