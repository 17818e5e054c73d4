#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "engine/dib.h"
#include "engine/name_index.h"
#include "engine/rect.h"
#include "engine/surface.h"

namespace engine {

class TDXDraw;
class TPictureCollection;

// One named picture cut into a grid of equally sized patterns: the frames and tiles sprites
// draw by index. Its surfaces exist only while the display is initialised.
class TPictureCollectionItem {
 public:
  explicit TPictureCollectionItem(TPictureCollection& owner);
  ~TPictureCollectionItem();
  TPictureCollectionItem(const TPictureCollectionItem&) = delete;
  TPictureCollectionItem& operator=(const TPictureCollectionItem&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);

  int PatternHeight = 0;  // 0: the whole picture
  int PatternWidth = 0;
  int SkipHeight = 0;  // gaps between pattern rows and columns
  int SkipWidth = 0;
  bool SystemMemory = false;
  bool Transparent = true;
  int32_t TransparentColor() const { return transparentColor_; }
  // The pixel the transparent colour becomes in the picture and on the surfaces.
  uint32_t TransparentPixel() const;
  void SetTransparentColor(int32_t colour);  // 0x00BBGGRR; re-keys the surfaces

  TDIB Picture;
  // Pictures read as "TBitmap" are written back as one.
  bool PictureIsBitmap = false;

  int Width() const { return PatternWidth > 0 ? PatternWidth : Picture.Width(); }
  int Height() const { return PatternHeight > 0 ? PatternHeight : Picture.Height(); }
  int PatternCount() const;
  // How many pattern records Restore makes for the picture and grid as they are now.
  int64_t RestoredPatternCount() const;
  TRect PatternRect(int index) const;
  TDirectDrawSurface* PatternSurface(int index) const;
  bool Initialized() const { return initialized_; }

  void Draw(TDirectDrawSurface& dest, int x, int y, int index) const;
  void DrawAlpha(TDirectDrawSurface& dest, const TRect& rect, int index, int alpha) const;
  void DrawRotate(TDirectDrawSurface& dest, int x, int y, int width, int height, int index,
                  double centerX, double centerY, int angle) const;

  void Initialize() { initialized_ = true; }
  void Finalize();
  void Restore();

 private:
  struct TPattern {
    TRect rect;
    TDirectDrawSurface* surface;
  };
  // The pattern grid in 64 bits: sizes and gaps come from files and may be anything.
  struct TGrid {
    int64_t cellWidth, cellHeight;  // a pattern and its gap
    int64_t columns, rows;          // what Restore makes; 0 when the gaps swallow the cells
  };
  TGrid Grid() const;
  bool ValidPattern(int index) const {
    return initialized_ && index >= 0 && index < static_cast<int>(patterns_.size());
  }
  TDirectDrawSurface& AddSurface(int left, int top, int width, int height);
  void CutIntoBlocks(const TGrid& grid);
  void FreeSurfaces();

  TPictureCollection& owner_;
  std::string name_;
  int32_t transparentColor_ = 0;
  bool initialized_ = false;
  std::vector<TPattern> patterns_;
  std::vector<std::unique_ptr<TDirectDrawSurface>> surfaces_;
};

// The named pictures of one image-list file.
class TPictureCollection {
 public:
  static constexpr const char* kClassName = "TPictureCollection";
  static constexpr const char* kComponentClassName = "TPictureCollectionComponent";

  TPictureCollection() = default;
  ~TPictureCollection();
  TPictureCollection(const TPictureCollection&) = delete;
  TPictureCollection& operator=(const TPictureCollection&) = delete;

  // What one image-list file may hold, checked while it is read, so that a small hostile
  // file cannot ask for gigabytes. Res1.dxg holds 1,217,630 pixels in 41 pictures (the
  // largest 800 × 600) and 43 patterns; Res2.dxg 933,252 pixels, 48 pictures, 129 patterns,
  // at most 8 in one item. With the display attached a pixel costs at most 16 bytes (the
  // picture, its surface, the opaque runs of a surface that alternates every pixel) and a
  // pattern 24, so a file within these needs at most 256 MiB for pictures and 6 MiB for
  // patterns, whatever it holds.
  static constexpr uint64_t kMostPixels = TDIB::kMostPixels;  // 13 times Res1
  static constexpr int64_t kMostPatterns = int64_t{1} << 18;  // 2000 times Res2

  // Kept for palettised displays; the game's colour depths do not use it.
  std::array<uint8_t, 1024> ColorTable{};

  int Count() const { return static_cast<int>(items_.size()); }
  TPictureCollectionItem& Items(int index) { return *items_.at(index); }
  const TPictureCollectionItem& Items(int index) const { return *items_.at(index); }
  TPictureCollectionItem& Add();
  void Clear();

  // Raises EPictureCollectionError "Image '%s' not found".
  TPictureCollectionItem& FindImage(const std::string& name) const;
  TPictureCollectionItem* Find(const std::string& name) const;

  // Reading raises the stream's, the picture's or the file's error; a failed read leaves
  // the collection empty.
  void LoadFromFile(const std::string& path);
  void LoadFromBytes(std::span<const uint8_t> bytes);
  std::vector<uint8_t> SaveToBytes() const;
  void SaveToFile(const std::string& path) const;

  void Initialize(TDXDraw& display);
  void Finalize();
  void Restore();
  bool Initialized() const;
  TDXDraw* DXDraw() const { return display_; }

 private:
  friend class TPictureCollectionItem;
  void InitializeAfterLoad();

  std::vector<std::unique_ptr<TPictureCollectionItem>> items_;
  TNameIndex<TPictureCollectionItem> index_;
  TDXDraw* display_ = nullptr;
};

}  // namespace engine
