#pragma once

#include <cstdint>
#include <string>

#include "engine/background_sprite.h"

namespace objects {
class TWorld;
}  // namespace objects

// A band of tiles that scrolls left without end (the sky, the hills, the menu backdrop).
class TScrollBackground : public engine::TBackgroundSprite {
 public:
  TScrollBackground(objects::TWorld& world, uint8_t list, const std::string& name,
                    int32_t mapColumns, int32_t mapRows);

  uint8_t ImageListNo = 0;
  int SpeedX = 0;  // pixels a frame at 85 Hz
  int SpeedY = 0;
  bool KillRequested = false;

  void SetImageByName(const std::string& name);
  void SetImageFrom(const std::string& name, uint8_t list);
  void KillOnce();

  void Step(int32_t lag) override;

 private:
  objects::TWorld& world_;
};
