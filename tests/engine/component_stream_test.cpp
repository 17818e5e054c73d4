#include "engine/component_stream.h"

#include <gtest/gtest.h>

#include "engine/engine_error.h"
#include "support/byte_builder.h"

namespace {

using engine::ReadComponentStream;
using engine::TStreamValue;
using test_support::TBytes;
using TKind = engine::TStreamValue::TKind;

// The body after the resource header: signature, root, one of each value kind.
TBytes SampleBody() {
  TBytes b;
  b.Raw("TPF0").Str("TThing").Str("Root");
  b.Str("Small").U8(2).U8(0xFE);      // -2
  b.Str("Middle").U8(3).U16(0x8000);  // -32768
  b.Str("Large").U8(4).U32(0x12345678);
  b.Str("Text").U8(6).Str("Утка");  // CP1251 bytes pass through
  b.Str("Colour").U8(7).Str("clFuchsia");
  b.Str("Off").U8(8).Str("On").U8(9);
  b.Str("Blob").U8(10).U32(3).U8(1).U8(2).U8(3);
  b.Str("Long").U8(12).U32(2).Raw("ok");
  b.Str("Wide").U8(18).U32(2).U16(0x0414).U16('a');  // "Дa" in UTF-16
  b.Str("Utf8").U8(20).U32(2).U8(0xD0).U8(0x96);     // "Ж"
  b.Str("Values").U8(1).U8(2).U8(5).U8(1).U8(0).U8(0);
  b.Str("Items").U8(14);
  b.U8(1).Str("A").U8(2).U8(1).U8(0);        // an item without an order value
  b.U8(2).U8(7).U8(1).Str("B").U8(9).U8(0);  // one with order value 7
  b.U8(0);                                   // end of the collection
  b.U8(0).U8(0);                             // end of properties, no children
  return b;
}

std::vector<uint8_t> WithHeader(const TBytes& body, const std::string& name = "TTHING") {
  TBytes file = test_support::ResourceHeader(name, static_cast<uint32_t>(body.bytes.size()));
  file.Raw(body.bytes);
  return file.bytes;
}

TEST(ComponentStream, ReadsEveryValueKindOfAHandWrittenStream) {
  const auto root = ReadComponentStream(WithHeader(SampleBody()));
  EXPECT_EQ(root.className, "TThing");
  EXPECT_EQ(root.name, "Root");
  ASSERT_EQ(root.properties.size(), 13u);
  const auto& p = root.properties;
  EXPECT_EQ(p[0].value.integer, -2);
  EXPECT_EQ(p[1].value.integer, -32768);
  EXPECT_EQ(p[2].value.integer, 0x12345678);
  EXPECT_EQ(p[3].value.text, "Утка");
  EXPECT_EQ(p[4].value.kind, TKind::Identifier);
  EXPECT_EQ(p[4].value.text, "clFuchsia");
  EXPECT_FALSE(p[5].value.boolean);
  EXPECT_TRUE(p[6].value.boolean);
  EXPECT_EQ(p[7].value.binary, (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(p[8].value.text, "ok");
  EXPECT_EQ(p[9].value.text,
            "\xC4"
            "a");                       // Д in code page 1251
  EXPECT_EQ(p[10].value.text, "\xC6");  // Ж
  ASSERT_EQ(p[11].value.kind, TKind::List);
  ASSERT_EQ(p[11].value.list.size(), 2u);
  EXPECT_EQ(p[11].value.list[1].kind, TKind::List);
  ASSERT_EQ(p[12].value.items.size(), 2u);
  EXPECT_EQ(p[12].value.items[0].properties[0].name, "A");
  EXPECT_TRUE(p[12].value.items[1].properties[0].value.boolean);
}

TEST(ComponentStream, WritesTheFramingByteForByte) {
  engine::TStreamComponent root;
  root.className = "TAb";
  root.properties.push_back({"N", TStreamValue::Integer(300)});
  engine::TStreamItem item;
  item.properties.push_back({"S", TStreamValue::String("x")});
  root.properties.push_back({"L", TStreamValue::Collection({item})});

  TBytes body;
  body.Raw("TPF0").Str("TAb").Str("");
  body.Str("N").U8(3).U16(300);
  body.Str("L").U8(14).U8(1).Str("S").U8(6).Str("x").U8(0).U8(0);
  body.U8(0).U8(0);
  EXPECT_EQ(engine::WriteComponentStream(root), WithHeader(body, "TAB"));
}

TEST(ComponentStream, SkipsAFlagsPrefixWithItsChildPosition) {
  TBytes body;
  body.Raw("TPF0").U8(0xF2).U8(3).U16(9).Str("TThing").Str("").U8(0).U8(0);
  EXPECT_EQ(ReadComponentStream(WithHeader(body)).className, "TThing");
}

TEST(ComponentStream, TheResourceNameDecidesWhereTheSignatureIsLookedFor) {
  // A long name moves the signature; the flags and length are not looked at.
  TBytes file;
  file.U8(0xFF).U16(10).Raw(std::string(60, 'N')).U8(0).U16(0xFFFF).U32(0xFFFFFFFF);
  file.Raw(SampleBody().bytes);
  EXPECT_EQ(ReadComponentStream(file.bytes).name, "Root");
}

TEST(ComponentStream, RefusesWhatIsNotAStream) {
  auto refused = [](const std::vector<uint8_t>& bytes) {
    try {
      ReadComponentStream(bytes);
    } catch (const engine::EReadError& e) {
      return std::string(e.what()) == "Invalid stream format";
    }
    return false;
  };
  const auto good = WithHeader(SampleBody());
  auto badMagic = good;
  badMagic[0] = 0xFE;
  auto badType = good;
  badType[1] = 11;
  auto badSignature = good;
  badSignature[good.size() - SampleBody().bytes.size()] = 'X';
  TBytes unterminatedName;
  unterminatedName.U8(0xFF).U16(10).Raw(std::string(100, 'N'));
  TBytes unknownTag;
  unknownTag.Raw("TPF0").Str("T").Str("").Str("P").U8(5).Fill(10, 0).U8(0).U8(0);
  TBytes hugeBinary;
  hugeBinary.Raw("TPF0").Str("T").Str("").Str("P").U8(10).U32(0xFFFFFFF0).U8(0).U8(0);
  TBytes hugeWide;
  hugeWide.Raw("TPF0").Str("T").Str("").Str("P").U8(18).U32(0x80000001).U8(0).U8(0);
  TBytes deep;
  deep.Raw("TPF0").Str("T").Str("").Str("P").Fill(100000, 1);

  EXPECT_TRUE(refused({}));
  EXPECT_TRUE(refused(badMagic));
  EXPECT_TRUE(refused(badType));
  EXPECT_TRUE(refused(badSignature));
  EXPECT_TRUE(refused(unterminatedName.bytes));
  EXPECT_TRUE(refused(WithHeader(unknownTag)));
  EXPECT_TRUE(refused(WithHeader(hugeBinary)));
  EXPECT_TRUE(refused(WithHeader(hugeWide)));
  EXPECT_TRUE(refused(WithHeader(deep)));
  // Every proper prefix of a valid stream is short of something.
  for (size_t length = 0; length < good.size(); ++length)
    EXPECT_TRUE(refused({good.begin(), good.begin() + length})) << length;
}

TEST(ComponentStream, PropertyErrorsNameTheComponentAndTheProperty) {
  engine::TStreamComponent named;
  named.name = "List1";
  engine::TStreamComponent unnamed;
  auto message = [](auto&& raise) {
    try {
      raise();
    } catch (const engine::EReadError& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message([&] { engine::ThrowUnknownProperty(named, "Colour"); }),
            "Error reading List1.Colour: Property Colour does not exist");
  EXPECT_EQ(message([&] { engine::ThrowUnknownProperty(unnamed, "Colour"); }),
            "Error reading Colour: Property Colour does not exist");
  const engine::TStreamProperty text{"Count", TStreamValue::String("7")};
  EXPECT_EQ(message([&] { engine::PropertyInteger(unnamed, text); }),
            "Error reading Count: Invalid property value");
}

}  // namespace
