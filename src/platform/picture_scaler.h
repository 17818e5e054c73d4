#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// How the 800 × 600 picture is enlarged to fill a screen.
enum class TScaleMode {
  Sharp,    // every game pixel a flat block; only the seam between two is blended
  Integer,  // whole factors only, nearest pixel (letterboxed wider)
  Smooth,   // plain bilinear
};

// One axis of a scaling: for each target pixel, the source pixel it starts in and the weight
// (0 to 255, in 256ths) of the next source pixel blended into it.
struct TScaleTap {
  int index = 0;
  int weight = 0;
};

// The taps of `target` pixels drawn from `source` ones. Sharp: a target pixel takes the
// source pixels under it in proportion to how much of it each covers, so only a pixel that
// straddles a seam is blended; Smooth: bilinear between the source pixels' centres; Integer:
// nearest. A reduction is always Smooth.
std::vector<TScaleTap> ScaleTaps(TScaleMode mode, int source, int target);

// The blend of two 0x00RRGGBB pixels, `weight` 256ths of b: each channel rounded.
inline uint32_t MixPixels(uint32_t a, uint32_t b, int weight) {
  const uint32_t wa = 256 - static_cast<uint32_t>(weight);
  const uint32_t wb = static_cast<uint32_t>(weight);
  const uint32_t rb = ((a & 0xFF00FF) * wa + (b & 0xFF00FF) * wb + 0x800080) >> 8;
  const uint32_t g = ((a & 0xFF00) * wa + (b & 0xFF00) * wb + 0x8000) >> 8;
  return (rb & 0xFF00FF) | (g & 0xFF00);
}

// Scales a picture of 0x00RRGGBB pixels into a target of another size: each target row is
// the vertical blend of two source rows scaled across, and rows that repeat are copied. The
// tables are kept between frames of the same sizes.
class TPictureScaler {
 public:
  void Scale(TScaleMode mode, const uint32_t* source, int sourceWidth, int sourceHeight,
             int sourcePitch, uint32_t* target, int targetWidth, int targetHeight, int targetPitch);

 private:
  void Prepare(TScaleMode mode, int sourceWidth, int sourceHeight, int targetWidth,
               int targetHeight);
  const uint32_t* ScaledRow(const uint32_t* source, int sourcePitch, int row, int keep);

  TScaleMode mode_ = TScaleMode::Sharp;
  int sourceWidth_ = 0;
  int sourceHeight_ = 0;
  std::vector<TScaleTap> columns_;
  std::vector<TScaleTap> rows_;
  // The columns again as the wide loop reads them.
  std::vector<int32_t> columnIndex_;
  std::vector<uint32_t> columnWeight_;
  // Two source rows scaled across: the pair a blended target row needs.
  std::vector<uint32_t> scaled_[2];
  int scaledRow_[2] = {-1, -1};
};

}  // namespace platform
