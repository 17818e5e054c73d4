#pragma once

#include <cstdint>
#include <string>

#include "engine/image_sprite.h"

namespace objects {
class TWorld;
}  // namespace objects

// The base of every game object: an image picked by name from one of the world's two image
// lists, animations at a speed per frame, an end that can kill or hide it, blended drawing.
class TMyImageSprite : public engine::TImageSprite {
 public:
  // A child of the world's sprite root, on image list 1 or 2.
  TMyImageSprite(objects::TWorld& world, uint8_t list);
  TMyImageSprite(objects::TWorld& world, uint8_t list, const std::string& name, double x, double y,
                 int32_t z);

  bool Blended = false;
  int Alpha = 0;
  int AnimSpeed = 0;  // hundredths of a pattern a frame; 0 keeps AnimRate
  uint8_t ImageListNo = 0;
  bool KillAtEnd = false;
  bool HideAtEnd = false;
  double LastAnimFrame = 0;
  bool KillRequested = false;

  // Raises "Image '%s' not found" for a name the list lacks.
  void SetImageByName(const std::string& name);
  void PlayLoop(const std::string& name, int speed);
  void PlayOnce(const std::string& name, int speed);
  void KillOnce();
  // Starts an effect heard from where the sprite's middle is across the field.
  void PlayEffectFromHere(const std::string& name);

  void Step(int32_t lag) override;
  void Render() override;

  objects::TWorld& World() const { return world_; }

 private:
  objects::TWorld& world_;
};

// The named image of the world's list 1 or 2 ("Image '%s' not found" when it lacks it); none
// for another list number.
engine::TPictureCollectionItem* FindListImage(objects::TWorld& world, uint8_t list,
                                              const std::string& name);
