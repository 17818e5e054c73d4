#include "engine/component_stream.h"

#include <algorithm>

#include "engine/byte_reader.h"
#include "engine/byte_writer.h"
#include "engine/engine_error.h"
#include "text/cp1251.h"
#include "text/utf8.h"

namespace engine {

namespace {

enum TValueTag : uint8_t {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaString = 6,
  vaIdent = 7,
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,
  vaLString = 12,
  vaCollection = 14,
  vaWString = 18,
  vaUTF8String = 20,
};

constexpr uint8_t kResourceMagic = 0xFF;
constexpr uint16_t kResourceTypeRcData = 10;
// The resource header is read through a window of this size; its name must end inside it.
constexpr size_t kResourceHeaderWindow = 79;
constexpr size_t kResourceHeaderFixedBytes = 10;  // magic, type, the name's 0, flags, length
constexpr uint16_t kResourceFlags = 0x1030;       // moveable, pure, discardable
constexpr char kSignature[] = "TPF0";
constexpr uint8_t kFlagsPrefix = 0xF0;
constexpr uint8_t kFlagChildPosition = 0x02;
// Lists inside lists: deeper than any file we write, shallow enough for the stack.
constexpr int kDeepestNesting = 32;

class TStreamParser {
 public:
  explicit TStreamParser(std::span<const uint8_t> bytes) : in_(bytes, &ThrowInvalidStream) {}

  TStreamComponent Parse() {
    SkipResourceHeader();
    if (in_.String(4) != kSignature) ThrowInvalidStream();
    TStreamComponent root;
    SkipFlagsPrefix();
    root.className = in_.ShortString();
    root.name = in_.ShortString();
    root.properties = ReadProperties(0);
    if (in_.U8() != vaNull) ThrowInvalidStream();  // a root with children is not ours
    return root;
  }

 private:
  void SkipResourceHeader() {
    const size_t window = std::min(kResourceHeaderWindow, in_.Remaining());
    const auto header = in_.Take(window);
    if (window < 3 || header[0] != kResourceMagic || header[1] != kResourceTypeRcData ||
        header[2] != 0)
      ThrowInvalidStream();
    const auto name = header.subspan(3);
    const auto end = std::find(name.begin(), name.end(), 0);
    if (end == name.end()) ThrowInvalidStream();
    in_.Seek(static_cast<size_t>(end - name.begin()) + kResourceHeaderFixedBytes);
  }

  void SkipFlagsPrefix() {
    if (in_.Remaining() == 0) ThrowInvalidStream();
    const uint8_t first = in_.U8();
    if ((first & kFlagsPrefix) != kFlagsPrefix) {
      in_.Seek(in_.Position() - 1);
      return;
    }
    if (first & kFlagChildPosition) {
      const uint8_t tag = in_.U8();
      if (tag < vaInt8 || tag > vaInt32) ThrowInvalidStream();
      ReadIntegerPayload(tag);
    }
  }

  // Every element is counted before it is made.
  void CountElement() {
    if (++elements_ > kMostStreamElements) ThrowInvalidStream();
  }

  std::vector<TStreamProperty> ReadProperties(int depth) {
    std::vector<TStreamProperty> properties;
    for (;;) {
      std::string name = in_.ShortString();
      if (name.empty()) return properties;
      CountElement();
      properties.push_back({std::move(name), ReadValue(depth)});
    }
  }

  int64_t ReadIntegerPayload(uint8_t tag) {
    switch (tag) {
      case vaInt8:
        return in_.I8();
      case vaInt16:
        return in_.I16();
      default:
        return in_.I32();
    }
  }

  TStreamValue ReadValue(int depth) {
    if (depth > kDeepestNesting) ThrowInvalidStream();
    CountElement();
    const uint8_t tag = in_.U8();
    switch (tag) {
      case vaList: {
        TStreamValue value;
        value.kind = TStreamValue::TKind::List;
        while (PeekTag() != vaNull) value.list.push_back(ReadValue(depth + 1));
        in_.Skip(1);
        return value;
      }
      case vaInt8:
      case vaInt16:
      case vaInt32:
        return TStreamValue::Integer(ReadIntegerPayload(tag));
      case vaString:
        return TStreamValue::String(in_.ShortString());
      case vaIdent:
        return TStreamValue::Identifier(in_.ShortString());
      case vaFalse:
      case vaTrue:
        return TStreamValue::Boolean(tag == vaTrue);
      case vaBinary: {
        const auto bytes = in_.Take(in_.U32());
        return TStreamValue::Binary({bytes.begin(), bytes.end()});
      }
      case vaLString:
        return TStreamValue::String(in_.String(in_.U32()));
      case vaWString: {
        const uint64_t characters = in_.U32();
        if (characters > in_.Remaining() / 2) ThrowInvalidStream();
        const auto units = in_.Take(static_cast<size_t>(characters) * 2);
        return TStreamValue::String(text::Cp1251FromUtf8(text::Utf8FromUtf16Le(units)));
      }
      case vaUTF8String:
        return TStreamValue::String(text::Cp1251FromUtf8(in_.String(in_.U32())));
      case vaCollection:
        return TStreamValue::Collection(ReadCollection(depth + 1));
      default:
        ThrowInvalidStream();
    }
  }

  std::vector<TStreamItem> ReadCollection(int depth) {
    std::vector<TStreamItem> items;
    for (;;) {
      uint8_t tag = in_.U8();
      if (tag == vaNull) return items;
      if (tag >= vaInt8 && tag <= vaInt32) {  // an order value, read and ignored
        ReadIntegerPayload(tag);
        tag = in_.U8();
      }
      if (tag != vaList) ThrowInvalidStream();
      CountElement();
      items.push_back({ReadProperties(depth)});
    }
  }

  uint8_t PeekTag() {
    const uint8_t tag = in_.U8();
    in_.Seek(in_.Position() - 1);
    return tag;
  }

  TByteReader in_;
  int elements_ = 0;
};

void WriteInteger(TByteWriter& out, int64_t value) {
  if (value >= INT8_MIN && value <= INT8_MAX) {
    out.U8(vaInt8);
    out.U8(static_cast<uint8_t>(value));
  } else if (value >= INT16_MIN && value <= INT16_MAX) {
    out.U8(vaInt16);
    out.U16(static_cast<uint16_t>(value));
  } else {
    out.U8(vaInt32);
    out.I32(static_cast<int32_t>(value));
  }
}

void WriteProperties(TByteWriter& out, const std::vector<TStreamProperty>& properties);

void WriteValue(TByteWriter& out, const TStreamValue& value) {
  using TKind = TStreamValue::TKind;
  switch (value.kind) {
    case TKind::List:
      out.U8(vaList);
      for (const TStreamValue& element : value.list) WriteValue(out, element);
      out.U8(vaNull);
      break;
    case TKind::Integer:
      WriteInteger(out, value.integer);
      break;
    case TKind::String:
      if (value.text.size() <= 255) {
        out.U8(vaString);
        out.ShortString(value.text);
      } else {
        out.U8(vaLString);
        out.U32(static_cast<uint32_t>(value.text.size()));
        out.Append(value.text);
      }
      break;
    case TKind::Identifier:
      out.U8(vaIdent);
      out.ShortString(value.text);
      break;
    case TKind::Boolean:
      out.U8(value.boolean ? vaTrue : vaFalse);
      break;
    case TKind::Binary:
      out.U8(vaBinary);
      out.U32(static_cast<uint32_t>(value.binary.size()));
      out.Append(value.binary);
      break;
    case TKind::Collection:
      out.U8(vaCollection);
      for (const TStreamItem& item : value.items) {
        out.U8(vaList);
        WriteProperties(out, item.properties);
      }
      out.U8(vaNull);
      break;
  }
}

void WriteProperties(TByteWriter& out, const std::vector<TStreamProperty>& properties) {
  for (const TStreamProperty& property : properties) {
    out.ShortString(property.name);
    WriteValue(out, property.value);
  }
  out.U8(vaNull);
}

std::string UpperAscii(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

}  // namespace

TStreamValue TStreamValue::Integer(int64_t value) {
  TStreamValue v;
  v.kind = TKind::Integer;
  v.integer = value;
  return v;
}

TStreamValue TStreamValue::String(std::string text) {
  TStreamValue v;
  v.kind = TKind::String;
  v.text = std::move(text);
  return v;
}

TStreamValue TStreamValue::Identifier(std::string name) {
  TStreamValue v = String(std::move(name));
  v.kind = TKind::Identifier;
  return v;
}

TStreamValue TStreamValue::Boolean(bool value) {
  TStreamValue v;
  v.kind = TKind::Boolean;
  v.boolean = value;
  return v;
}

TStreamValue TStreamValue::Binary(std::vector<uint8_t> bytes) {
  TStreamValue v;
  v.kind = TKind::Binary;
  v.binary = std::move(bytes);
  return v;
}

TStreamValue TStreamValue::Collection(std::vector<TStreamItem> items) {
  TStreamValue v;
  v.kind = TKind::Collection;
  v.items = std::move(items);
  return v;
}

TStreamComponent ReadComponentStream(std::span<const uint8_t> bytes) {
  return TStreamParser(bytes).Parse();
}

std::vector<uint8_t> WriteComponentStream(const TStreamComponent& component) {
  TByteWriter out;
  out.U8(kResourceMagic);
  out.U16(kResourceTypeRcData);
  out.Append(UpperAscii(component.className));
  out.U8(0);
  out.U16(kResourceFlags);
  const size_t lengthAt = out.Size();
  out.U32(0);
  const size_t bodyStart = out.Size();
  out.Append(std::string(kSignature));
  out.ShortString(component.className);
  out.ShortString(component.name);
  WriteProperties(out, component.properties);
  out.U8(vaNull);  // no child components
  out.PatchU32(lengthAt, static_cast<uint32_t>(out.Size() - bodyStart));
  return std::move(out.Bytes());
}

void ThrowInvalidStream() {
  throw EReadError("Invalid stream format");
}

void ThrowPropertyError(const TStreamComponent& root, const std::string& path,
                        const std::string& message) {
  const char* dot = root.name.empty() ? "" : ".";
  throw EReadError(
      Format("Error reading %s%s%s: %s", root.name.c_str(), dot, path.c_str(), message.c_str()));
}

void ThrowUnknownProperty(const TStreamComponent& root, const std::string& name) {
  ThrowPropertyError(root, name, Format("Property %s does not exist", name.c_str()));
}

void ThrowBadPropertyValue(const TStreamComponent& root, const std::string& name) {
  ThrowPropertyError(root, name, "Invalid property value");
}

int32_t PropertyInteger(const TStreamComponent& root, const TStreamProperty& property) {
  if (property.value.kind != TStreamValue::TKind::Integer)
    ThrowBadPropertyValue(root, property.name);
  return static_cast<int32_t>(property.value.integer);
}

bool PropertyBoolean(const TStreamComponent& root, const TStreamProperty& property) {
  if (property.value.kind != TStreamValue::TKind::Boolean)
    ThrowBadPropertyValue(root, property.name);
  return property.value.boolean;
}

const std::string& PropertyString(const TStreamComponent& root, const TStreamProperty& property) {
  if (property.value.kind != TStreamValue::TKind::String)
    ThrowBadPropertyValue(root, property.name);
  return property.value.text;
}

const std::vector<uint8_t>& PropertyBinary(const TStreamComponent& root,
                                           const TStreamProperty& property) {
  if (property.value.kind != TStreamValue::TKind::Binary)
    ThrowBadPropertyValue(root, property.name);
  return property.value.binary;
}

const std::vector<TStreamItem>& PropertyCollection(const TStreamComponent& root,
                                                   const TStreamProperty& property) {
  if (property.value.kind != TStreamValue::TKind::Collection)
    ThrowBadPropertyValue(root, property.name);
  return property.value.items;
}

}  // namespace engine
