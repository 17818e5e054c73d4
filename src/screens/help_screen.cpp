#include <array>

#include "app/form.h"
#include "app/form_screen.h"
#include "objects/kill_and_forget.h"
#include "objects/menu_button.h"
#include "objects/value_steps.h"
#include "persist/score_links.h"
#include "screens/help_texts.h"
#include "screens/screen_text.h"

namespace {

constexpr uint8_t kMenuList = 1;
constexpr int kBack = 1, kPrevious = 2, kNext = 3;
constexpr int kPages = 6;
constexpr int kTextX = 200;
constexpr int kAddressX = 390;
constexpr int kAddressStyle = 14;
constexpr int kPanelBorder = 8;
constexpr int kNoServerStyle = 16;
constexpr int kNoServerY = 516;

struct TPicture {
  const char* name;
  uint8_t list;
  int x, y, page;
};

constexpr std::array<TPicture, 14> kPictures{{
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

const char* const kTitles[kPages + 1] = {"",           "Описание Игры", "Противники", "Бонусы",
                                         "Управление", "Управление",    "Об Игре"};

struct TLabel {
  const char* text;
  int x, y;
};

constexpr TLabel kBonusNames[] = {{"Пулемет", 200, 361},     {"Двойная Пушка", 200, 407},
                                  {"Ракетница", 200, 462},   {"Тройная ракетница", 200, 515},
                                  {"Супер Бомба", 520, 361}, {"Жизнь", 520, 407},
                                  {"Помощник", 520, 462},    {"Очки", 520, 515}};

// The world-records page as a reader would type it, or its host alone where a long host would
// run past the panel.
std::string PageAddress(TMForm& form) {
  const std::string& host = form.Config().scoreUrl;
  const std::string address = persist::WorldRecordsShortAddress(host);
  const TMyImageSprite* panel = form.ScreenPanel;
  const int panelRight = panel ? static_cast<int>(panel->X) + panel->Width : 0;
  if (kAddressX + form.Text.TextWidthIn(address, kAddressStyle) <= panelRight - kPanelBorder)
    return address;
  return persist::WorldRecordsHostName(host);
}

}  // namespace

void TMForm::ShowHelp() {
  screens_.Replace(std::make_unique<TFormScreen>(*this, kScreenHelp));
  Menu.First = kBack;
  Menu.Last = kNext;
  Menu.Item = kBack;
  HelpPage = 1;
  // The help screen's caption stands where the panel does.
  ScreenCaption = new TMyImageSprite(Game, kMenuList, "Cap_Help", 181, 241, 3);
  ScreenPanel = new TMyImageSprite(Game, kMenuList, "Sub_BG", 181, 241, 3);
  Menu.Buttons[kBack] = new TMenuButton(Game, kMenuList, "Back_A", "Back_I", 0, 0, 177, 549);
  Menu.Buttons[kPrevious] = new TMenuButton(Game, kMenuList, "Prev_A", "Prev_I", 0, 0, 454, 548);
  Menu.Buttons[kNext] = new TMenuButton(Game, kMenuList, "Next_A", "Next_I", 0, 0, 630, 548);
  for (size_t i = 0; i < kPictures.size(); ++i) {
    const TPicture& p = kPictures[i];
    HelpPictures[i] = new TMyImageSprite(Game, p.list, p.name, p.x, p.y, 4);
    HelpPictures[i]->Visible = false;
  }
}

void TMForm::UpdateHelp(int lag) {
  Menu.Highlight();
  if (Keys.LeftPressed) {
    if (Menu.Item == kPrevious) Menu.Item = kBack;
    if (Menu.Item == kNext) Menu.Item = kPrevious;
  }
  if (Keys.RightPressed) {
    // Right walks Back → Previous → Next, then turns pages.
    if (Menu.Item == kNext) screens_.Activate(kNext);
    if (Menu.Item == kPrevious) Menu.Item = kNext;
    if (Menu.Item == kBack) Menu.Item = kPrevious;
  }
  if (Keys.EscPressed) screens_.Activate(kBack);
  if (ScreenType() != kScreenHelp) return;  // Back left the screen
  DrawHelpPage();
  MDXSpriteEngine.StepAll(lag);
}

void TMForm::DrawHelpPage() {
  auto write = [this](int style, const char* utf8, int x, int y) {
    Text.SetTextStyle(style);
    Text.DrawText(Cp1251Text(utf8), x, true, false, y);
  };
  write(14, kTitles[HelpPage], kTextX, 318);
  const auto& body = HelpBodyLines(HelpPage);
  switch (HelpPage) {
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
      write(15, HelpPage == 4 ? "Управление в Меню" : "Управление в Игре", kTextX, 348);
      for (size_t i = 0; i < body.size(); ++i)
        write(16, body[i].c_str(), kTextX, 361 + 18 * (int(i) + 1));
      break;
    case 6: {
      write(14, "Перолёт", 394, 372);
      write(14, "2026, Перолёт", 395, 406);
      if (!HasScoreServer()) {
        write(kNoServerStyle, kNoScoreServerNote, kTextX, kNoServerY);
        break;
      }
      const std::string address = PageAddress(*this);
      Text.SetTextStyle(kAddressStyle);  // the address is plain ASCII: no conversion
      Text.DrawText(address, kAddressX, true, false, 440);
      break;
    }
    default:
      break;
  }
  for (size_t i = 0; i < kPictures.size(); ++i)
    if (HelpPictures[i]) HelpPictures[i]->Visible = kPictures[i].page == HelpPage;
}

void TMForm::ActivateHelp() {
  switch (Menu.Item) {
    case kBack:
      ShowMainMenu(0, 4, false);
      break;
    case kPrevious:
      objects::StepPrevWrap(HelpPage, 1, kPages);
      break;
    case kNext:
      objects::StepNextWrap(HelpPage, 1, kPages);
      break;
    default:
      break;
  }
}

void TMForm::LeaveHelp() {
  Menu.RemoveButtons();
  HideScreenFrame();
  for (TMyImageSprite*& picture : HelpPictures) KillAndForget(picture);
}
