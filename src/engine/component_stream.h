#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The binary resource form our image and sound lists are stored in: a resource header, the
// signature "TPF0", then one component with its published properties, each a name and a
// tagged value. Reading gives the value tree; the lists then take from it what they know.
namespace engine {

struct TStreamProperty;

struct TStreamItem {
  std::vector<TStreamProperty> properties;
};

struct TStreamValue {
  enum class TKind { List, Integer, String, Identifier, Boolean, Binary, Collection };

  TKind kind = TKind::Integer;
  int64_t integer = 0;
  bool boolean = false;
  std::string text;             // String (code page 1251) and Identifier
  std::vector<uint8_t> binary;  // Binary
  std::vector<TStreamValue> list;
  std::vector<TStreamItem> items;  // Collection

  static TStreamValue Integer(int64_t value);
  static TStreamValue String(std::string text);
  static TStreamValue Identifier(std::string name);
  static TStreamValue Boolean(bool value);
  static TStreamValue Binary(std::vector<uint8_t> bytes);
  static TStreamValue Collection(std::vector<TStreamItem> items);
};

struct TStreamProperty {
  std::string name;
  TStreamValue value;
};

struct TStreamComponent {
  std::string className;
  std::string name;
  std::vector<TStreamProperty> properties;
};

// Values, properties and collection entries of one stream. Each costs about 150 bytes in the
// tree, so a stream of one-byte values would otherwise grow a hundredfold when read. Res1.dxg
// has 619, Res2.dxg 730 and Sounds.dxw 146; this is 90 times the largest, and keeps a tree
// within 10 MB (20 MB with the vectors' spare room).
constexpr int kMostStreamElements = 1 << 16;

// Raises EReadError "Invalid stream format" for anything that is not a whole stream, or one
// of more than kMostStreamElements.
TStreamComponent ReadComponentStream(std::span<const uint8_t> bytes);
std::vector<uint8_t> WriteComponentStream(const TStreamComponent& component);

// The errors a reader of the tree raises, with the framework's wording.
[[noreturn]] void ThrowInvalidStream();
[[noreturn]] void ThrowPropertyError(const TStreamComponent& root, const std::string& path,
                                     const std::string& message);
[[noreturn]] void ThrowUnknownProperty(const TStreamComponent& root, const std::string& name);
[[noreturn]] void ThrowBadPropertyValue(const TStreamComponent& root, const std::string& name);

// Typed access for the readers: each raises the invalid-value error for the wrong tag.
int32_t PropertyInteger(const TStreamComponent& root, const TStreamProperty& property);
bool PropertyBoolean(const TStreamComponent& root, const TStreamProperty& property);
const std::string& PropertyString(const TStreamComponent& root, const TStreamProperty& property);
const std::vector<uint8_t>& PropertyBinary(const TStreamComponent& root,
                                           const TStreamProperty& property);
const std::vector<TStreamItem>& PropertyCollection(const TStreamComponent& root,
                                                   const TStreamProperty& property);

}  // namespace engine
