#pragma once

#include <cstdint>
#include <vector>

#include "engine/rect.h"

namespace engine {

class TSpriteEngine;

// Mod2(i, n): the remainder of i by n brought into 0..n−1.
inline int32_t Mod2(int32_t i, int32_t n) {
  const int32_t r = i % n;
  return r < 0 ? r + n : r;
}

inline bool Overlap(const TRect& a, const TRect& b) {
  return a.Left < b.Right && a.Right > b.Left && a.Top < b.Bottom && a.Bottom > b.Top;
}

// A node of the sprite tree: position relative to its parent, size, depth and the flags that
// take it (with its subtree) into the move, draw and collision passes. A sprite owns its
// children; only its parent (Clear) or the engine (PurgeDead) destroys it.
class TSprite {
 public:
  explicit TSprite(TSprite* parent);
  virtual ~TSprite();
  TSprite(const TSprite&) = delete;
  TSprite& operator=(const TSprite&) = delete;

  // What a sprite does in the passes; the defaults do nothing.
  virtual void OnHit(TSprite& other, bool& done);
  virtual void Render() {}
  virtual void Step(int32_t /*lag*/) {}
  virtual TRect BoundsRect() const;
  virtual bool HitTest(const TSprite& /*other*/) const { return true; }

  TSpriteEngine* Engine() const { return engine_; }
  TSprite* Parent() const { return parent_; }
  bool IsDead() const { return isDead_; }

  bool CanHit = true;
  bool CanMove = true;
  bool Visible = true;
  double X = 0;
  double Y = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t Z() const { return z_; }
  void SetZ(int32_t z);

  void Kill();
  int32_t CheckHits();
  void StepAll(int32_t lag);
  virtual void RenderAll();

  double WorldX() const;
  double WorldY() const;
  int32_t Count() const { return static_cast<int32_t>(children_.size()); }
  // Raises ESpriteError for a sprite without children or an index out of range.
  TSprite* Child(int32_t index) const;
  void Clear();
  const std::vector<TSprite*>& DrawOrder() const { return drawOrder_; }

 protected:
  // The root is its own engine's tree: it has no engine and no parent.
  struct TRootTag {};
  explicit TSprite(TRootTag) {}

 private:
  void InsertInDrawOrder(TSprite* child);
  void Visit(TSprite& tester);

  TSpriteEngine* engine_ = nullptr;
  TSprite* parent_ = nullptr;
  bool isDead_ = false;
  int32_t z_ = 0;
  std::vector<TSprite*> children_;   // insertion order; owned
  std::vector<TSprite*> drawOrder_;  // the same, by ascending Z
};

}  // namespace engine
