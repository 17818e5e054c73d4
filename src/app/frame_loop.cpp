#include "app/form.h"
#include "screens/window.h"

namespace {

constexpr double kDesignRate = 85.0;  // every speed of the game is per frame at 85 Hz
constexpr int kBelowRefreshTolerance = 3;
constexpr int kAboveRefreshTolerance = 2;

}  // namespace

// One frame. The sprites are drawn before the screen step moves them, so a frame shows the
// positions of the previous one with this frame's texts over them.
void TMForm::MDXTimerTimer(int lagCount) {
  if (MusicPending) {
    MusicPending = false;
    StartScreenMusic();
  }
  const int menuItemBefore = MenuItem();
  if (MDXDraw.HasSurface() && !SkipDrawing) MDXDraw.Surface().Fill(0);
  if (!MDXDraw.CanDraw()) return;
  if (!SkipDrawing) DrawSprites();
  // A game started by this frame's input is recorded from there: its replay finishes the
  // frame as this one does.
  frameUnderWay_ = TFrameUnderWay{lagCount, menuItemBefore};
  ReadInput();
  frameUnderWay_.reset();
  FinishFrame(lagCount, menuItemBefore);
}

// A window over the options screen covers the screen's texts: they go onto the surface
// between the screen's sprites and the window's.
void TMForm::DrawSprites() {
  if (TScreen* below = screens_.TextsUnderWindow()) {
    MDXSpriteEngine.RenderBelow(TWindow::kDepth);
    below->DrawTexts();
    MDXSpriteEngine.RenderFrom(TWindow::kDepth);
  } else {
    MDXSpriteEngine.RenderAll();
  }
}

void TMForm::FinishFrame(int lag, int menuItemBefore) {
  if (gameRunning_) {
    ++gameFrames_;
    LimitRecording();
  }
  screens_.Step(lag);
  if (MenuItem() != menuItemBefore) PlayEffect("Button");
  SaveOptionsWhenChanged();
  MDXSpriteEngine.PurgeDead();
  UpdateFrameTiming();
  KeepEndedReplay();
  if (SkipDrawing) return;
  if (FrameOverlay) FrameOverlay();
  MDXDraw.Surface().Canvas().Release();
  MDXDraw.Flip();
}

// The measured rate is used only when it lies clearly below the refresh rate or just above
// it; otherwise the refresh rate is.
void TMForm::UpdateFrameTiming() {
  const int measured = MDXTimer.FramesPerSecond();
  const int refresh = RefreshRate;
  int rate = measured == 0 ? refresh : measured;
  if (measured >= refresh - kBelowRefreshTolerance && measured <= refresh) rate = refresh;
  if (measured > refresh + kAboveRefreshTolerance) rate = refresh;
  // A rate of 0 (a platform that reports no refresh rate and no frame measured yet) would
  // divide by zero; such a frame keeps the timing it had.
  if (rate <= 0) return;
  Game.SpeedFactor = kDesignRate / rate;
  Game.FrameMs = 1000 / rate;
}
