#include <algorithm>

#include "engine/byte_reader.h"
#include "engine/byte_writer.h"
#include "engine/colour_names.h"
#include "engine/component_stream.h"
#include "engine/engine_error.h"
#include "engine/picture_collection.h"
#include "engine/resource_file.h"
#include "text/cp1251.h"

// The image-list file: a component stream whose root holds the colour table and the
// collection, each item a picture with its pattern grid and transparency.
namespace engine {

namespace {

constexpr const char* kColorTableProperty = "List.ColorTable";
constexpr const char* kListProperty = "List";
constexpr const char* kDibClass = "TDIB";
constexpr const char* kBitmapClass = "TBitmap";

[[noreturn]] void ThrowInvalidPicture() {
  throw EInvalidGraphic("DIB is invalid");
}

// What is left of the list's budget as its items are read. Every picture decoded counts,
// even one a later "Picture.Data" of the same item replaces: both exist while it is read.
struct TListBudget {
  uint64_t pixels = TPictureCollection::kMostPixels;
  int64_t patterns = TPictureCollection::kMostPatterns;
};

void ReadPictureData(const std::vector<uint8_t>& data, TPictureCollectionItem& item,
                     TListBudget& budget) {
  TByteReader in(data, &ThrowInvalidStream);
  const std::string className = in.ShortString();
  if (className == kDibClass) {
    item.Picture.LoadFromDibData(in.Take(in.Remaining()), budget.pixels);
    item.PictureIsBitmap = false;
  } else if (className == kBitmapClass) {
    TByteReader sized(in.Take(in.Remaining()), &ThrowInvalidPicture);
    const uint32_t length = sized.U32();
    item.Picture.LoadFromBmpFile(sized.Take(length), budget.pixels);
    item.PictureIsBitmap = true;
  } else {
    item.Picture = TDIB();  // a kind of picture we do not draw: the item stays empty
  }
  budget.pixels -= static_cast<uint64_t>(item.Picture.Width()) * item.Picture.Height();
}

int32_t ReadColour(const TStreamComponent& root, const TStreamProperty& property) {
  if (property.value.kind == TStreamValue::TKind::Identifier) {
    const auto colour = ColourFromIdentifier(property.value.text);
    if (!colour) ThrowBadPropertyValue(root, property.name);
    return *colour;
  }
  return PropertyInteger(root, property);
}

// A pattern larger than any picture we read can never be cut; refusing it keeps an item's
// Width and Height within a picture's side, so sprites can size and add them freely.
int ReadPatternSize(const TStreamComponent& root, const TStreamProperty& property) {
  const int32_t size = PropertyInteger(root, property);
  if (size > TDIB::kLargestSide) ThrowBadPropertyValue(root, property.name);
  return size;
}

void ReadItem(const TStreamComponent& root, const TStreamItem& in, TPictureCollectionItem& item,
              TListBudget& budget) {
  for (const TStreamProperty& p : in.properties) {
    auto is = [&p](const char* name) { return text::SameTextCp1251(p.name, name); };
    if (is("Name")) {
      item.SetName(PropertyString(root, p));
    } else if (is("PatternHeight")) {
      item.PatternHeight = ReadPatternSize(root, p);
    } else if (is("PatternWidth")) {
      item.PatternWidth = ReadPatternSize(root, p);
    } else if (is("SkipHeight")) {
      item.SkipHeight = PropertyInteger(root, p);
    } else if (is("SkipWidth")) {
      item.SkipWidth = PropertyInteger(root, p);
    } else if (is("SystemMemory")) {
      item.SystemMemory = PropertyBoolean(root, p);
    } else if (is("Transparent")) {
      item.Transparent = PropertyBoolean(root, p);
    } else if (is("TransparentColor")) {
      item.SetTransparentColor(ReadColour(root, p));
    } else if (is("Picture.Data")) {
      ReadPictureData(PropertyBinary(root, p), item, budget);
    } else {
      ThrowUnknownProperty(root, p.name);
    }
  }
  // The grid is known once the whole item is read; its patterns are counted before the
  // display makes them.
  budget.patterns -= item.RestoredPatternCount();
  if (budget.patterns < 0) ThrowBadPropertyValue(root, "PatternWidth");
}

std::vector<uint8_t> PictureData(const TPictureCollectionItem& item) {
  TByteWriter out;
  if (item.PictureIsBitmap) {
    out.ShortString(kBitmapClass);
    const std::vector<uint8_t> file = item.Picture.BmpFile();
    out.U32(static_cast<uint32_t>(file.size()));
    out.Append(file);
  } else {
    out.ShortString(kDibClass);
    out.Append(item.Picture.DibData());
  }
  return std::move(out.Bytes());
}

TStreamValue ColourValue(int32_t colour) {
  const auto identifier = IdentifierOfColour(colour);
  return identifier ? TStreamValue::Identifier(*identifier) : TStreamValue::Integer(colour);
}

TStreamItem WriteItem(const TPictureCollectionItem& item) {
  TStreamItem out;
  auto put = [&out](const char* name, TStreamValue value) {
    out.properties.push_back({name, std::move(value)});
  };
  put("Name", TStreamValue::String(item.Name()));
  put("PatternHeight", TStreamValue::Integer(item.PatternHeight));
  put("PatternWidth", TStreamValue::Integer(item.PatternWidth));
  put("Picture.Data", TStreamValue::Binary(PictureData(item)));
  if (item.SkipHeight != 0) put("SkipHeight", TStreamValue::Integer(item.SkipHeight));
  if (item.SkipWidth != 0) put("SkipWidth", TStreamValue::Integer(item.SkipWidth));
  put("SystemMemory", TStreamValue::Boolean(item.SystemMemory));
  put("Transparent", TStreamValue::Boolean(item.Transparent));
  put("TransparentColor", ColourValue(item.TransparentColor()));
  return out;
}

}  // namespace

void TPictureCollection::LoadFromBytes(std::span<const uint8_t> bytes) {
  Clear();
  try {
    const TStreamComponent root = ReadComponentStream(bytes);
    for (const TStreamProperty& p : root.properties) {
      if (text::SameTextCp1251(p.name, kColorTableProperty)) {
        const auto& table = PropertyBinary(root, p);
        ColorTable.fill(0);
        std::copy_n(table.begin(), std::min(table.size(), ColorTable.size()), ColorTable.begin());
      } else if (text::SameTextCp1251(p.name, kListProperty)) {
        Clear();
        TListBudget budget;
        for (const TStreamItem& entry : PropertyCollection(root, p))
          ReadItem(root, entry, Add(), budget);
      } else {
        ThrowUnknownProperty(root, p.name);
      }
    }
  } catch (...) {
    Clear();
    throw;
  }
  InitializeAfterLoad();
}

void TPictureCollection::LoadFromFile(const std::string& path) {
  LoadFromBytes(ReadResourceFile(path));
}

std::vector<uint8_t> TPictureCollection::SaveToBytes() const {
  TStreamComponent root;
  root.className = kComponentClassName;
  root.properties.push_back({kColorTableProperty, TStreamValue::Binary(std::vector<uint8_t>(
                                                      ColorTable.begin(), ColorTable.end()))});
  std::vector<TStreamItem> items;
  for (const auto& item : items_) items.push_back(WriteItem(*item));
  root.properties.push_back({kListProperty, TStreamValue::Collection(std::move(items))});
  return WriteComponentStream(root);
}

void TPictureCollection::SaveToFile(const std::string& path) const {
  WriteResourceFile(path, SaveToBytes());
}

}  // namespace engine
