#include "engine/sprite.h"

#include <algorithm>
#include <cmath>

#include "engine/engine_error.h"
#include "engine/sprite_engine.h"

namespace engine {

TSprite::TSprite(TSprite* parent) : parent_(parent) {
  if (!parent_) return;
  parent_->children_.push_back(this);
  parent_->InsertInDrawOrder(this);
  engine_ = parent_->engine_ ? parent_->engine_ : dynamic_cast<TSpriteEngine*>(parent_);
  if (engine_) ++engine_->SpriteCount;
}

TSprite::~TSprite() {
  Clear();
  if (!parent_) return;
  if (engine_) {
    --engine_->SpriteCount;
    std::erase(engine_->DeadList, this);
  }
  std::erase(parent_->children_, this);
  std::erase(parent_->drawOrder_, this);
  if (parent_->children_.empty()) {
    parent_->children_.shrink_to_fit();
    parent_->drawOrder_.shrink_to_fit();
  }
}

void TSprite::OnHit(TSprite& /*other*/, bool& /*done*/) {}

TRect TSprite::BoundsRect() const {
  return Bounds(static_cast<int32_t>(std::nearbyint(WorldX())),
                static_cast<int32_t>(std::nearbyint(WorldY())), Width, Height);
}

void TSprite::InsertInDrawOrder(TSprite* child) {
  // Binary search for the first entry whose Z is not below the new one: among equal Z the
  // sprite inserted last goes first, underneath the others.
  int low = 0;
  int high = static_cast<int>(drawOrder_.size()) - 1;
  while (low <= high) {
    const int middle = (low + high) / 2;
    if (drawOrder_[middle]->z_ - child->z_ < 0)
      low = middle + 1;
    else
      high = middle - 1;
  }
  drawOrder_.insert(drawOrder_.begin() + low, child);
}

void TSprite::SetZ(int32_t z) {
  if (z == z_) return;
  z_ = z;
  if (!parent_) return;
  std::erase(parent_->drawOrder_, this);
  parent_->InsertInDrawOrder(this);
}

void TSprite::Kill() {
  if (!engine_ || isDead_) return;
  isDead_ = true;
  engine_->DeadList.push_back(this);
}

int32_t TSprite::CheckHits() {
  if (!engine_ || isDead_ || !CanHit) return 0;
  TSpriteEngine& e = *engine_;
  e.HitCount = 0;
  e.HitDone = false;
  e.HitRect = BoundsRect();
  e.HitSprite = this;
  // Counts are taken before each loop: sprites made by OnHit join the next search.
  const TSprite& root = e;
  const size_t count = root.children_.size();
  for (size_t i = 0; i < count; ++i) root.children_[i]->Visit(*this);
  return e.HitCount;
}

void TSprite::Visit(TSprite& tester) {
  if (!CanHit) return;
  TSpriteEngine& e = *tester.engine_;
  if (this != &tester && Overlap(BoundsRect(), e.HitRect) && tester.HitTest(*this) &&
      HitTest(tester)) {
    ++e.HitCount;
    tester.OnHit(*this, e.HitDone);
    if (!tester.CanHit || tester.isDead_) e.HitDone = true;
  }
  if (e.HitDone) return;
  const size_t count = children_.size();
  for (size_t i = 0; i < count; ++i) children_[i]->Visit(tester);
}

void TSprite::StepAll(int32_t lag) {
  if (!CanMove) return;
  Step(lag);
  const size_t count = children_.size();
  for (size_t i = 0; i < count; ++i) children_[i]->StepAll(lag);
}

void TSprite::RenderAll() {
  if (!Visible) return;
  if (engine_ && Overlap(BoundsRect(), engine_->SurfaceRect())) {
    Render();
    ++engine_->DrawCount;
  }
  for (TSprite* child : drawOrder_) child->RenderAll();
}

double TSprite::WorldX() const {
  return parent_ ? X + parent_->WorldX() : X;
}
double TSprite::WorldY() const {
  return parent_ ? Y + parent_->WorldY() : Y;
}

TSprite* TSprite::Child(int32_t index) const {
  if (children_.empty())
    throw ESpriteError(Format("Index of the list exceeds the range. (%d)", index));
  if (index < 0 || index >= Count())
    throw ESpriteError(Format("List index out of bounds (%d)", index));
  return children_[index];
}

void TSprite::Clear() {
  while (!children_.empty()) delete children_.back();
}

}  // namespace engine
