#pragma once

#include <SDL.h>

#include <string>

#include "platform/error_box_picture.h"
#include "platform/text_rasterizer.h"

namespace platform {

// Shows the game's own error box over `parent` (null when there is no window yet) and waits
// until the player closes it: Enter, Space or Escape, the OK button, or the box's close button.
// The box is modal: the game window's input meanwhile is dropped, and its other events are
// handed on once the box has closed. False when the box cannot be shown at all (no font
// among the fonts given, among other reasons).
bool ShowErrorBox(SDL_Window* parent, TTextRasterizer& fonts, const std::string& title,
                  const std::string& utf8Message);

// What the box makes of one event.
enum class TBoxStep {
  Ignore,        // the box's own input that does nothing, or input meant for the game's window
  Repaint,       // the box was uncovered
  Close,         // the player closed the box
  Keep,          // the game's, handed on after the box
  CloseAndKeep,  // the session ends: the box goes, and the game is told
};
// A left press on the button and its release there is a click; `pressedOnButton` carries the
// press from one event to the next.
TBoxStep ErrorBoxStep(const SDL_Event& event, Uint32 boxId, const TBoxRect& button,
                      bool& pressedOnButton);

}  // namespace platform
