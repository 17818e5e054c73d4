#include "engine/component_stream.h"
#include "engine/resource_file.h"
#include "engine/wave_collection.h"
#include "text/cp1251.h"

// The sound-list file: a component stream whose root holds the collection, each item a
// named RIFF WAVE with how it plays.
namespace engine {

namespace {

constexpr const char* kListProperty = "List";

void ReadItem(const TStreamComponent& root, const TStreamItem& in, TWaveCollectionItem& item,
              int64_t& bytesLeft) {
  for (const TStreamProperty& p : in.properties) {
    auto is = [&p](const char* name) { return text::SameTextCp1251(p.name, name); };
    if (is("Name")) {
      item.SetName(PropertyString(root, p));
    } else if (is("Looped")) {
      item.SetLooped(PropertyBoolean(root, p));
    } else if (is("MaxPlayingCount")) {
      item.SetMaxPlayingCount(PropertyInteger(root, p));
    } else if (is("Wave.WAVE")) {
      item.Wave.LoadFromRiff(PropertyBinary(root, p));
      // Every wave read counts, even one a later "Wave.WAVE" of the item replaces.
      bytesLeft -= ConvertedBytes(item.Wave, TWaveCollection::kBudgetDeviceRate);
      if (bytesLeft < 0) ThrowInvalidWave();
    } else {
      ThrowUnknownProperty(root, p.name);
    }
  }
}

TStreamItem WriteItem(const TWaveCollectionItem& item) {
  TStreamItem out;
  out.properties.push_back({"Name", TStreamValue::String(item.Name())});
  out.properties.push_back({"Looped", TStreamValue::Boolean(item.Looped())});
  out.properties.push_back({"MaxPlayingCount", TStreamValue::Integer(item.MaxPlayingCount())});
  out.properties.push_back({"Wave.WAVE", TStreamValue::Binary(item.Wave.Riff())});
  return out;
}

}  // namespace

void TWaveCollection::LoadFromBytes(std::span<const uint8_t> bytes) {
  Clear();
  try {
    const TStreamComponent root = ReadComponentStream(bytes);
    for (const TStreamProperty& p : root.properties) {
      if (!text::SameTextCp1251(p.name, kListProperty)) ThrowUnknownProperty(root, p.name);
      Clear();
      int64_t bytesLeft = kMostConvertedBytes;
      for (const TStreamItem& entry : PropertyCollection(root, p))
        ReadItem(root, entry, Add(), bytesLeft);
    }
  } catch (...) {
    Clear();
    throw;
  }
  if (!Initialized()) return;
  Initialize(*device_);
  Restore();
}

void TWaveCollection::LoadFromFile(const std::string& path) {
  LoadFromBytes(ReadResourceFile(path));
}

std::vector<uint8_t> TWaveCollection::SaveToBytes() const {
  TStreamComponent root;
  root.className = kComponentClassName;
  std::vector<TStreamItem> items;
  for (const auto& item : items_) items.push_back(WriteItem(*item));
  root.properties.push_back({kListProperty, TStreamValue::Collection(std::move(items))});
  return WriteComponentStream(root);
}

void TWaveCollection::SaveToFile(const std::string& path) const {
  WriteResourceFile(path, SaveToBytes());
}

}  // namespace engine
