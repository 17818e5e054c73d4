#include "engine/picture_collection.h"

#include <algorithm>

#include "engine/colour_names.h"
#include "engine/draw_recorder.h"
#include "engine/dx_draw.h"
#include "engine/engine_error.h"

namespace engine {

namespace {

// Display surfaces are cut to at most this much past one pattern cell in each direction.
constexpr int kBlockSlack = 511;

}  // namespace

TPictureCollectionItem::TPictureCollectionItem(TPictureCollection& owner) : owner_(owner) {
  owner_.index_.Link(this, name_);
}

TPictureCollectionItem::~TPictureCollectionItem() {
  owner_.index_.Unlink(this, name_);
}

void TPictureCollectionItem::SetName(const std::string& name) {
  owner_.index_.Unlink(this, name_);
  name_ = name;
  owner_.index_.Link(this, name_);
}

void TPictureCollectionItem::SetTransparentColor(int32_t colour) {
  transparentColor_ = colour;
  for (auto& surface : surfaces_) surface->SetTransparentColor(TransparentPixel());
}

uint32_t TPictureCollectionItem::TransparentPixel() const {
  return PixelOfColour(ColorToRGB(transparentColor_));
}

int TPictureCollectionItem::PatternCount() const {
  if (!surfaces_.empty()) return static_cast<int>(patterns_.size());
  const int64_t cw = int64_t{Width()} + SkipWidth;
  const int64_t ch = int64_t{Height()} + SkipHeight;
  if (Picture.Empty() || cw <= 0 || ch <= 0) return 0;  // gaps that swallow the cell
  int64_t columns = Picture.Width() / cw;
  if (Picture.Width() - columns * cw == Width()) ++columns;
  int64_t rows = Picture.Height() / ch;
  if (Picture.Height() - rows * ch == Height()) ++rows;
  // At most one more than the picture's pixels in each direction, so the product fits.
  return static_cast<int>(columns * rows);
}

TPictureCollectionItem::TGrid TPictureCollectionItem::Grid() const {
  TGrid grid{int64_t{Width()} + SkipWidth, int64_t{Height()} + SkipHeight, 0, 0};
  if (grid.cellWidth <= 0 || grid.cellHeight <= 0) return grid;
  // A gap more negative than the picture is wide leaves no column at all.
  grid.columns = std::max<int64_t>((Picture.Width() + int64_t{SkipWidth}) / grid.cellWidth, 0);
  grid.rows = std::max<int64_t>((Picture.Height() + int64_t{SkipHeight}) / grid.cellHeight, 0);
  return grid;
}

int64_t TPictureCollectionItem::RestoredPatternCount() const {
  if (Picture.Empty()) return 0;
  if (Width() == Picture.Width() && Height() == Picture.Height()) return 1;
  const TGrid grid = Grid();
  return grid.columns * grid.rows;
}

TRect TPictureCollectionItem::PatternRect(int index) const {
  if (index < 0 || index >= static_cast<int>(patterns_.size())) return {};
  return patterns_[index].rect;
}

TDirectDrawSurface* TPictureCollectionItem::PatternSurface(int index) const {
  if (index < 0 || index >= static_cast<int>(patterns_.size())) return nullptr;
  return patterns_[index].surface;
}

namespace {

// The box of the pixels of rect in source that are not its colour key, moved to (x, y).
TRect OpaqueBox(const TDirectDrawSurface& source, const TRect& rect, bool transparent, int x,
                int y) {
  if (!transparent) return Bounds(x, y, rect.Width(), rect.Height());
  TRect box{rect.Right, rect.Bottom, rect.Left, rect.Top};
  for (int py = rect.Top; py < rect.Bottom; ++py)
    for (int px = rect.Left; px < rect.Right; ++px) {
      if (source.Pixel(px, py) == source.TransparentColor()) continue;
      box = {std::min(box.Left, px), std::min(box.Top, py), std::max(box.Right, px + 1),
             std::max(box.Bottom, py + 1)};
    }
  if (box.Right <= box.Left) return {x, y, x, y};
  return {x + box.Left - rect.Left, y + box.Top - rect.Top, x + box.Right - rect.Left,
          y + box.Bottom - rect.Top};
}

}  // namespace

void TPictureCollectionItem::Draw(TDirectDrawSurface& dest, int x, int y, int index) const {
  if (!ValidPattern(index)) return;
  const TPattern& p = patterns_[index];
  dest.Draw(x, y, p.rect, p.surface, Transparent);
  if (dest.Recorder)
    dest.Recorder->PictureDrawn(name_, Bounds(x, y, p.rect.Width(), p.rect.Height()),
                                OpaqueBox(*p.surface, p.rect, Transparent, x, y));
}

void TPictureCollectionItem::DrawAlpha(TDirectDrawSurface& dest, const TRect& rect, int index,
                                       int alpha) const {
  if (!ValidPattern(index)) return;
  const TPattern& p = patterns_[index];
  dest.DrawAlpha(rect, p.rect, p.surface, Transparent, alpha);
  if (dest.Recorder) dest.Recorder->PictureDrawn(name_, rect, rect);
}

void TPictureCollectionItem::DrawRotate(TDirectDrawSurface& dest, int x, int y, int width,
                                        int height, int index, double centerX, double centerY,
                                        int angle) const {
  if (!ValidPattern(index)) return;
  const TPattern& p = patterns_[index];
  dest.DrawRotate(x, y, width, height, p.rect, p.surface, centerX, centerY, Transparent, angle);
  if (dest.Recorder) {
    const TRect where = Bounds(x, y, width, height);
    dest.Recorder->PictureDrawn(name_, where, where);
  }
}

void TPictureCollectionItem::FreeSurfaces() {
  patterns_.clear();
  surfaces_.clear();
}

void TPictureCollectionItem::Finalize() {
  FreeSurfaces();
  initialized_ = false;
}

TDirectDrawSurface& TPictureCollectionItem::AddSurface(int left, int top, int width, int height) {
  auto surface = std::make_unique<TDirectDrawSurface>(width, height);
  uint32_t* out = surface->Pixels();
  for (int y = 0; y < height; ++y) {
    const uint32_t* in =
        Picture.Pixels().data() + static_cast<size_t>(top + y) * Picture.Width() + left;
    std::copy(in, in + width, out + static_cast<size_t>(y) * surface->Pitch());
  }
  surface->SetTransparentColor(TransparentPixel());
  // The opaque runs are made now, not on the first frame that draws the picture.
  if (Transparent) surface->OpaqueSpans();
  surfaces_.push_back(std::move(surface));
  return *surfaces_.back();
}

// Whole cells make a block, so no pattern straddles two surfaces. Gaps may be anything a file
// holds, so the cells are counted in 64 bits; every surface and pattern rectangle lies inside
// the picture, so those fit in int.
void TPictureCollectionItem::CutIntoBlocks(const TGrid& grid) {
  const int64_t pictureWidth = Picture.Width();
  const int64_t pictureHeight = Picture.Height();
  const int64_t cw = grid.cellWidth;
  const int64_t ch = grid.cellHeight;
  const int64_t bw = std::min((cw + kBlockSlack) / cw * cw, grid.columns * cw);
  const int64_t bh = std::min((ch + kBlockSlack) / ch * ch, grid.rows * ch);
  if (bw <= 0 || bh <= 0) return;
  const int64_t blocksPerRow = (pictureWidth + bw - 1) / bw;
  for (int64_t top = 0; top < pictureHeight; top += bh)
    for (int64_t left = 0; left < pictureWidth; left += bw)
      AddSurface(static_cast<int>(left), static_cast<int>(top),
                 static_cast<int>(std::min(bw, pictureWidth - left)),
                 static_cast<int>(std::min(bh, pictureHeight - top)));
  patterns_.reserve(static_cast<size_t>(grid.columns * grid.rows));
  for (int64_t row = 0; row < grid.rows; ++row) {
    for (int64_t column = 0; column < grid.columns; ++column) {
      const int64_t px = column * cw;
      const int64_t py = row * ch;
      const auto block = static_cast<size_t>(px / bw + (py / bh) * blocksPerRow);
      patterns_.push_back(
          {Bounds(static_cast<int>(px % bw), static_cast<int>(py % bh), Width(), Height()),
           surfaces_[block].get()});
    }
  }
}

void TPictureCollectionItem::Restore() {
  if (Picture.Empty()) return;
  if (!initialized_) {
    if (!owner_.Initialized()) return;
    initialized_ = true;
  }
  FreeSurfaces();
  if (Width() == Picture.Width() && Height() == Picture.Height()) {
    TDirectDrawSurface& whole = AddSurface(0, 0, Width(), Height());
    patterns_.push_back({Bounds(0, 0, Width(), Height()), &whole});
    return;
  }
  const TGrid grid = Grid();
  if (grid.columns == 0 || grid.rows == 0) return;  // gaps that swallow the cell: no patterns
  if (!SystemMemory) {
    CutIntoBlocks(grid);
    return;
  }
  TDirectDrawSurface& whole = AddSurface(0, 0, Picture.Width(), Picture.Height());
  patterns_.reserve(static_cast<size_t>(grid.columns * grid.rows));
  for (int64_t row = 0; row < grid.rows; ++row)
    for (int64_t column = 0; column < grid.columns; ++column)
      patterns_.push_back({Bounds(static_cast<int>(column * grid.cellWidth),
                                  static_cast<int>(row * grid.cellHeight), Width(), Height()),
                           &whole});
}

TPictureCollection::~TPictureCollection() {
  Clear();
}

TPictureCollectionItem& TPictureCollection::Add() {
  items_.push_back(std::make_unique<TPictureCollectionItem>(*this));
  return *items_.back();
}

void TPictureCollection::Clear() {
  items_.clear();
}

TPictureCollectionItem* TPictureCollection::Find(const std::string& name) const {
  return index_.Find(name, [](const TPictureCollectionItem& item) { return item.Name(); });
}

TPictureCollectionItem& TPictureCollection::FindImage(const std::string& name) const {
  TPictureCollectionItem* item = Find(name);
  if (!item) throw EPictureCollectionError(Format("Image '%s' not found", name.c_str()));
  return *item;
}

bool TPictureCollection::Initialized() const {
  return display_ && display_->Initialized();
}

void TPictureCollection::Initialize(TDXDraw& display) {
  Finalize();
  display_ = &display;
  if (!display.Initialized())
    throw EPictureCollectionError(Format("%s cannot be initialized", kClassName));
  for (auto& item : items_) item->Initialize();
}

void TPictureCollection::Finalize() {
  for (auto& item : items_) item->Finalize();
  display_ = nullptr;
}

void TPictureCollection::Restore() {
  for (auto& item : items_) item->Restore();
}

void TPictureCollection::InitializeAfterLoad() {
  if (!Initialized()) return;
  Initialize(*display_);
  Restore();
}

}  // namespace engine
