#pragma once

#include <memory>
#include <vector>

#include "engine/dx_draw.h"
#include "engine/sprite.h"
#include "engine/surface.h"

namespace engine {

// The root of the sprite tree: the surface sprites draw on, the state of the collision
// search in progress, and the sprites killed but not yet freed.
class TSpriteEngine : public TSprite {
 public:
  TSpriteEngine() : TSprite(TRootTag{}) {}
  ~TSpriteEngine() override;

  int32_t SpriteCount = 0;
  int32_t HitCount = 0;
  bool HitDone = false;
  TRect HitRect;
  TSprite* HitSprite = nullptr;
  std::vector<TSprite*> DeadList;
  int32_t DrawCount = 0;

  TDirectDrawSurface* Surface() const { return surface_; }
  const TRect& SurfaceRect() const { return surfaceRect_; }
  virtual void SetSurface(TDirectDrawSurface* surface);

  void RenderAll() override;
  // Draws only the sprites whose depth lies from fromZ up to (not including) toZ, each with
  // its children, so something can be drawn between two layers; DrawCount adds up.
  void RenderDepths(int64_t fromZ, int64_t toZ);
  // Frees the killed sprites, the last killed first.
  void PurgeDead();

 private:
  TDirectDrawSurface* surface_ = nullptr;
  TRect surfaceRect_;
};

// The form's sprite engine: one tree drawn on its display's back surface while the display
// is initialised.
class TDXSpriteEngine : public TDXDrawListener {
 public:
  explicit TDXSpriteEngine(TDXDraw* display = nullptr) { SetDXDraw(display); }
  ~TDXSpriteEngine() override { SetDXDraw(nullptr); }
  TDXSpriteEngine(const TDXSpriteEngine&) = delete;
  TDXSpriteEngine& operator=(const TDXSpriteEngine&) = delete;

  TSpriteEngine& Engine() { return *engine_; }
  const TSpriteEngine& Engine() const { return *engine_; }
  TDXDraw* DXDraw() const { return display_; }
  void SetDXDraw(TDXDraw* display);

  void StepAll(int32_t lag) { engine_->StepAll(lag); }
  void RenderAll();
  // The sprites below a depth (the frame's first drawing), then those from it on.
  void RenderBelow(int32_t z);
  void RenderFrom(int32_t z);
  void PurgeDead() { engine_->PurgeDead(); }

  void DXDrawNotify(TDXDraw& sender, TDXDrawNotifyType kind) override;

 private:
  std::unique_ptr<TSpriteEngine> engine_ = std::make_unique<TSpriteEngine>();
  TDXDraw* display_ = nullptr;
};

}  // namespace engine
