#include "engine/dib.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>

#include "engine/byte_reader.h"
#include "engine/byte_writer.h"
#include "engine/dib_decode.h"
#include "engine/engine_error.h"

namespace engine {

namespace dib_detail {

void ThrowInvalidDib() {
  throw EInvalidGraphic("DIB is invalid");
}

}  // namespace dib_detail

namespace {

using dib_detail::ThrowInvalidDib;

constexpr uint32_t kCoreHeaderSize = 12;  // the short header of OS/2 bitmaps
constexpr uint32_t kInfoHeaderSize = 40;
constexpr size_t kFileHeaderSize = 14;
constexpr uint16_t kBmpMagic = 0x4D42;  // "BM"

enum TCompression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

struct THeader {
  int64_t width = 0;
  int64_t height = 0;  // negative: rows stored top first
  int bitCount = 0;
  uint32_t compression = kRgb;
  uint32_t imageSize = 0;
  uint32_t colorsUsed = 0;
  int paletteEntryBytes = 4;
};

struct TChannel {
  int shift = 0;
  uint32_t mask = 0;
  uint32_t maximum = 1;

  explicit TChannel(uint32_t m = 0) : mask(m) {
    if (mask == 0) return;
    shift = std::countr_zero(mask);
    maximum = mask >> shift;
  }
  bool Contiguous() const { return mask != 0 && ((maximum + 1) & maximum) == 0; }
  uint32_t Scale(uint32_t pixel) const {
    return (((pixel & mask) >> shift) * 255 + maximum / 2) / maximum;
  }
};

struct TMasks {
  TChannel red, green, blue;
  uint32_t Decode(uint32_t pixel) const {
    return (red.Scale(pixel) << 16) | (green.Scale(pixel) << 8) | blue.Scale(pixel);
  }
};

THeader ReadHeader(TByteReader& in) {
  THeader h;
  const uint32_t size = in.U32();
  if (size == kCoreHeaderSize) {
    h.width = in.U16();
    h.height = in.U16();
    in.U16();  // planes
    h.bitCount = in.U16();
    h.paletteEntryBytes = 3;
  } else if (size == kInfoHeaderSize) {
    h.width = in.I32();
    h.height = in.I32();
    in.U16();  // planes
    h.bitCount = in.U16();
    h.compression = in.U32();
    h.imageSize = in.U32();
    in.Skip(8);  // resolutions
    h.colorsUsed = in.U32();
    in.U32();  // colours important
  } else {
    ThrowInvalidDib();
  }
  return h;
}

void CheckHeader(const THeader& h, uint64_t mostPixels) {
  switch (h.bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      throw EInvalidGraphic(Format("Bitcount in invalid (%d)", h.bitCount));
  }
  const bool fitsCompression =
      h.compression == kRgb ||
      (h.compression == kBitFields && (h.bitCount == 16 || h.bitCount == 32)) ||
      (h.compression == kRle8 && h.bitCount == 8) || (h.compression == kRle4 && h.bitCount == 4);
  if (!fitsCompression) ThrowInvalidDib();
  // Run-length bitmaps are always stored bottom row first.
  if (h.compression != kRgb && h.compression != kBitFields && h.height < 0) ThrowInvalidDib();
  const int64_t rows = std::abs(h.height);
  if (h.width <= 0 || rows == 0 || h.width > TDIB::kLargestSide || rows > TDIB::kLargestSide)
    ThrowInvalidDib();
  if (static_cast<uint64_t>(h.width * rows) > std::min(mostPixels, TDIB::kMostPixels))
    ThrowInvalidDib();
}

TMasks ReadMasks(TByteReader& in, const THeader& h) {
  TMasks m;
  if (h.compression == kBitFields) {
    m.red = TChannel(in.U32());
    m.green = TChannel(in.U32());
    m.blue = TChannel(in.U32());
  } else if (h.bitCount == 16) {
    m = {TChannel(0x7C00), TChannel(0x03E0), TChannel(0x001F)};
  } else {
    m = {TChannel(0xFF0000), TChannel(0x00FF00), TChannel(0x0000FF)};
  }
  const bool is555 = m.red.mask == 0x7C00 && m.green.mask == 0x03E0 && m.blue.mask == 0x001F;
  const bool is565 = m.red.mask == 0xF800 && m.green.mask == 0x07E0 && m.blue.mask == 0x001F;
  if (h.bitCount == 16 && !is555 && !is565) throw EInvalidGraphic("PixelFormat in invalid");
  if (h.bitCount == 32) {
    const bool separate = (m.red.mask & m.green.mask) == 0 && (m.red.mask & m.blue.mask) == 0 &&
                          (m.green.mask & m.blue.mask) == 0;
    if (!separate || !m.red.Contiguous() || !m.green.Contiguous() || !m.blue.Contiguous())
      throw EInvalidGraphic("PixelFormat in invalid");
  }
  return m;
}

// 256 entries whatever the file holds, so every index a pixel can carry lands inside the
// table; entries the file does not give are black.
std::array<uint32_t, 256> ReadPalette(TByteReader& in, const THeader& h) {
  std::array<uint32_t, 256> palette{};
  uint32_t count = h.colorsUsed;
  if (count == 0 && h.bitCount <= 8) count = 1u << h.bitCount;
  count = std::min<uint32_t>(count, 256);
  for (uint32_t i = 0; i < count; ++i) {
    const auto e = in.Take(h.paletteEntryBytes);
    palette[i] = (uint32_t{e[2]} << 16) | (uint32_t{e[1]} << 8) | e[0];
  }
  return palette;
}

uint32_t RowPixel(std::span<const uint8_t> row, int x, int bitCount, const TMasks& masks,
                  const std::array<uint32_t, 256>& palette) {
  switch (bitCount) {
    case 1:
      return palette[(row[x / 8] >> (7 - x % 8)) & 1];
    case 4:
      return palette[(row[x / 2] >> ((x & 1) ? 0 : 4)) & 0x0F];
    case 8:
      return palette[row[x]];
    case 16:
      return masks.Decode(row[2 * x] | (row[2 * x + 1] << 8));
    case 24:
      return (uint32_t{row[3 * x + 2]} << 16) | (uint32_t{row[3 * x + 1]} << 8) | row[3 * x];
    default:
      return masks.Decode(uint32_t{row[4 * x]} | (uint32_t{row[4 * x + 1]} << 8) |
                          (uint32_t{row[4 * x + 2]} << 16) | (uint32_t{row[4 * x + 3]} << 24));
  }
}

}  // namespace

void TDIB::LoadFromDibData(std::span<const uint8_t> bytes, uint64_t mostPixels) {
  *this = TDIB();
  if (bytes.empty()) return;
  Decode(bytes, 0, mostPixels);
  dibData_.assign(bytes.begin(), bytes.end());
}

void TDIB::LoadFromBmpFile(std::span<const uint8_t> bytes, uint64_t mostPixels) {
  *this = TDIB();
  if (bytes.empty()) return;
  TByteReader in(bytes, &ThrowInvalidDib);
  if (in.U16() != kBmpMagic) ThrowInvalidDib();
  in.Skip(8);  // file size and reserved words
  const uint32_t pixelsAt = in.U32();
  const auto dib = bytes.subspan(kFileHeaderSize);
  Decode(dib, pixelsAt >= kFileHeaderSize ? pixelsAt - kFileHeaderSize : 0, mostPixels);
  dibData_.assign(dib.begin(), dib.end());
}

void TDIB::Decode(std::span<const uint8_t> dib, size_t pixelOffset, uint64_t mostPixels) {
  TByteReader in(dib, &ThrowInvalidDib);
  const THeader h = ReadHeader(in);
  CheckHeader(h, mostPixels);
  const TMasks masks = ReadMasks(in, h);
  const auto palette = ReadPalette(in, h);
  // A file header may point past a gap after the colour table; the data is read from there.
  if (pixelOffset > in.Position() && pixelOffset < dib.size()) in.Seek(pixelOffset);
  const size_t pixelsAt = in.Position();

  const int width = static_cast<int>(h.width);
  const int height = static_cast<int>(std::abs(h.height));
  const bool runLengths = h.compression == kRle8 || h.compression == kRle4;
  const size_t stride = (static_cast<size_t>(h.bitCount) * width + 31) / 32 * 4;
  // The rows must be there before their pixels are made.
  if (!runLengths && stride * height > in.Remaining()) ThrowInvalidDib();
  if (runLengths && h.imageSize > in.Remaining()) ThrowInvalidDib();
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  if (runLengths) {
    const auto indexes =
        dib_detail::DecodeRunLengths(in.Take(h.imageSize), width, height, h.bitCount);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        pixels[static_cast<size_t>(height - 1 - y) * width + x] =
            palette[indexes[static_cast<size_t>(y) * width + x]];
  } else {
    for (int r = 0; r < height; ++r) {
      const auto row = in.Take(stride);
      const int y = h.height > 0 ? height - 1 - r : r;
      uint32_t* out = pixels.data() + static_cast<size_t>(y) * width;
      for (int x = 0; x < width; ++x) out[x] = RowPixel(row, x, h.bitCount, masks, palette);
    }
  }
  width_ = width;
  height_ = height;
  bitCount_ = h.bitCount;
  pixels_ = std::move(pixels);
  pixelsAt_ = pixelsAt;
}

std::vector<uint8_t> TDIB::BmpFile() const {
  if (Empty()) return {};
  TByteWriter out;
  out.U16(kBmpMagic);
  out.U32(static_cast<uint32_t>(kFileHeaderSize + dibData_.size()));
  out.U32(0);
  out.U32(static_cast<uint32_t>(kFileHeaderSize + pixelsAt_));
  out.Append(dibData_);
  return std::move(out.Bytes());
}

TDIB TDIB::FromPixels(int width, int height, const std::vector<uint32_t>& pixels) {
  constexpr int kBits = 24;
  const size_t stride = (static_cast<size_t>(kBits) * width + 31) / 32 * 4;
  TByteWriter out;
  out.U32(kInfoHeaderSize);
  out.I32(width);
  out.I32(height);
  out.U16(1);
  out.U16(kBits);
  out.U32(kRgb);
  out.U32(static_cast<uint32_t>(stride * height));
  out.U32(0);
  out.U32(0);
  out.U32(0);
  out.U32(0);
  for (int y = height - 1; y >= 0; --y) {
    const size_t rowStart = out.Size();
    for (int x = 0; x < width; ++x) {
      const uint32_t p = pixels.at(static_cast<size_t>(y) * width + x);
      out.U8(static_cast<uint8_t>(p));
      out.U8(static_cast<uint8_t>(p >> 8));
      out.U8(static_cast<uint8_t>(p >> 16));
    }
    while (out.Size() - rowStart < stride) out.U8(0);
  }
  TDIB dib;
  dib.LoadFromDibData(out.Bytes());
  return dib;
}

}  // namespace engine
