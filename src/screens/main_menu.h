#pragma once

#include "screens/menu_list.h"
#include "screens/screen.h"

class TScreenHost;

// The main menu: six buttons down the right (new game, options, records, help, more games,
// quit) over the menu picture; at the program's start they fade in one after another.
class TMainMenu final : public TScreen {
 public:
  // The buttons, top to bottom.
  static constexpr int kNewGame = 1, kOptions = 2, kRecords = 3, kHelp = 4, kMoreGames = 5,
                       kQuit = 6;

  // intro 1 runs the fade-in, 0 shows the buttons at once; item is the button selected.
  TMainMenu(TScreenHost& host, int intro, int item, bool startMusic)
      : host_(host), introStep_(intro), startMusic_(startMusic) {
    menu_.Item = item;
  }

  uint8_t Number() const override;
  void Enter() override;
  void Leave() override;
  void Step(int lag) override;
  void Activate(int item) override;
  TMenuList* Menu() override { return &menu_; }
  bool FadingIn() const override { return introStep_ != 0; }

  // The fade-in's progress: 0 when it is not running.
  int IntroStep() const { return introStep_; }

 private:
  void StepIntro();

  TScreenHost& host_;
  TMenuList menu_;
  int introStep_;
  bool startMusic_;
};
