#include "engine/sprite_engine.h"

#include <limits>

namespace engine {

TSpriteEngine::~TSpriteEngine() {
  // The sprites go while the engine they report to still stands.
  Clear();
  DeadList.clear();
}

void TSpriteEngine::SetSurface(TDirectDrawSurface* surface) {
  surface_ = surface;
  if (!surface) return;
  surfaceRect_ = surface->ClientRect();
  Width = surface->Width();
  Height = surface->Height();
}

void TSpriteEngine::RenderAll() {
  DrawCount = 0;
  TSprite::RenderAll();
}

void TSpriteEngine::RenderDepths(int64_t fromZ, int64_t toZ) {
  for (TSprite* sprite : DrawOrder()) {
    if (sprite->Z() >= fromZ && sprite->Z() < toZ) sprite->RenderAll();
  }
}

void TSpriteEngine::PurgeDead() {
  while (!DeadList.empty()) delete DeadList.back();  // the destructor takes it off the list
}

void TDXSpriteEngine::SetDXDraw(TDXDraw* display) {
  if (display_ == display) return;
  if (display_) display_->UnregisterNotify(*this);
  display_ = display;
  if (display_) display_->RegisterNotify(*this);
}

void TDXSpriteEngine::RenderAll() {
  if (display_ && display_->Initialized()) engine_->RenderAll();
}

void TDXSpriteEngine::RenderBelow(int32_t z) {
  if (!display_ || !display_->Initialized()) return;
  engine_->DrawCount = 0;
  engine_->RenderDepths(std::numeric_limits<int32_t>::min(), z);
}

void TDXSpriteEngine::RenderFrom(int32_t z) {
  if (!display_ || !display_->Initialized()) return;
  engine_->RenderDepths(z, int64_t{std::numeric_limits<int32_t>::max()} + 1);
}

void TDXSpriteEngine::DXDrawNotify(TDXDraw& sender, TDXDrawNotifyType kind) {
  switch (kind) {
    case TDXDrawNotifyType::Destroying:
      engine_->SetSurface(nullptr);
      display_ = nullptr;
      break;
    case TDXDrawNotifyType::Initialize:
      engine_->SetSurface(&sender.Surface());
      break;
    case TDXDrawNotifyType::Finalize:
      engine_->SetSurface(nullptr);
      break;
    default:
      break;
  }
}

}  // namespace engine
