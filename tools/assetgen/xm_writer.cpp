#include "xm_writer.h"

#include <stdexcept>

#include "engine/byte_writer.h"

namespace assetgen::xm {

namespace {

constexpr uint32_t kSongHeaderSize = 276;  // counted from the size field itself
constexpr uint32_t kPatternHeaderSize = 9;
constexpr uint32_t kInstrumentHeaderSize = 263;
constexpr uint32_t kSampleHeaderSize = 40;
constexpr int kEnvelopePoints = 12;
constexpr uint16_t kLinearFrequencies = 1;
constexpr uint8_t kEnvelopeOn = 1, kEnvelopeSustain = 2;
constexpr uint8_t kForwardLoop = 1, kSixteenBit = 0x10;

void Text(engine::TByteWriter& out, const std::string& text, size_t width, char pad) {
  for (size_t i = 0; i < width; ++i) out.U8(static_cast<uint8_t>(i < text.size() ? text[i] : pad));
}

void WritePattern(engine::TByteWriter& out, const TPattern& pattern, int channels) {
  // Every cell is packed: a flags byte (0x80 plus one bit per field present), then the fields.
  engine::TByteWriter data;
  for (const TCell& c : pattern.cells) {
    const uint8_t flags = 0x80 | (c.note ? 1 : 0) | (c.instrument ? 2 : 0) | (c.volume ? 4 : 0) |
                          (c.effect ? 8 : 0) | (c.param ? 16 : 0);
    data.U8(flags);
    if (c.note) data.U8(c.note);
    if (c.instrument) data.U8(c.instrument);
    if (c.volume) data.U8(c.volume);
    if (c.effect) data.U8(c.effect);
    if (c.param) data.U8(c.param);
  }
  if (pattern.cells.size() != static_cast<size_t>(pattern.rows) * channels)
    throw std::logic_error("pattern cells do not match its rows and channels");
  if (data.Size() > 0xFFFF) throw std::length_error("pattern too large for XM");
  out.U32(kPatternHeaderSize);
  out.U8(0);  // packing type
  out.U16(static_cast<uint16_t>(pattern.rows));
  out.U16(static_cast<uint16_t>(data.Size()));
  out.Append(data.Bytes());
}

void WriteInstrument(engine::TByteWriter& out, const TInstrument& in) {
  const size_t start = out.Size();
  out.U32(kInstrumentHeaderSize);
  Text(out, in.name, 22, '\0');
  out.U8(0);   // type
  out.U16(1);  // one sample
  out.U32(kSampleHeaderSize);
  for (int i = 0; i < 96; ++i) out.U8(0);  // every note plays sample 0
  for (int i = 0; i < kEnvelopePoints; ++i) {
    const bool used = i < static_cast<int>(in.envelope.size());
    out.U16(used ? in.envelope[i].tick : 0);
    out.U16(used ? in.envelope[i].value : 0);
  }
  for (int i = 0; i < kEnvelopePoints * 2; ++i) out.U16(0);  // no panning envelope
  out.U8(static_cast<uint8_t>(in.envelope.size()));
  out.U8(0);
  out.U8(static_cast<uint8_t>(in.sustainPoint < 0 ? 0 : in.sustainPoint));
  out.U8(0);  // volume loop start and end
  out.U8(0);
  out.U8(0);  // panning sustain, loop start, loop end
  out.U8(0);
  out.U8(0);
  uint8_t envelopeType = in.envelope.empty() ? 0 : kEnvelopeOn;
  if (!in.envelope.empty() && in.sustainPoint >= 0) envelopeType |= kEnvelopeSustain;
  out.U8(envelopeType);
  out.U8(0);  // panning envelope type
  out.U8(0);  // vibrato type, sweep, depth, rate
  out.U8(0);
  out.U8(0);
  out.U8(0);
  out.U16(in.fadeout);
  while (out.Size() - start < kInstrumentHeaderSize) out.U8(0);  // reserved

  // The sample header: lengths in bytes, then the samples as deltas.
  out.U32(static_cast<uint32_t>(in.sample.size() * 2));
  out.U32(in.loopStart * 2);
  out.U32(in.loopLength * 2);
  out.U8(in.volume);
  out.U8(static_cast<uint8_t>(in.finetune));
  out.U8(static_cast<uint8_t>((in.loopLength ? kForwardLoop : 0) | kSixteenBit));
  out.U8(128);  // centred
  out.U8(static_cast<uint8_t>(in.relativeNote));
  out.U8(0);
  Text(out, in.name, 22, '\0');
  int16_t previous = 0;
  for (int16_t s : in.sample) {
    out.U16(static_cast<uint16_t>(static_cast<int16_t>(s - previous)));
    previous = s;
  }
}

}  // namespace

std::vector<uint8_t> Write(const TModule& module) {
  engine::TByteWriter out;
  Text(out, "Extended Module: ", 17, ' ');
  Text(out, module.name, 20, ' ');
  out.U8(0x1A);
  Text(out, "perolet assetgen", 20, ' ');
  out.U16(0x0104);
  out.U32(kSongHeaderSize);
  out.U16(static_cast<uint16_t>(module.order.size()));
  out.U16(static_cast<uint16_t>(module.restart));
  out.U16(static_cast<uint16_t>(module.channels));
  out.U16(static_cast<uint16_t>(module.patterns.size()));
  out.U16(static_cast<uint16_t>(module.instruments.size()));
  out.U16(kLinearFrequencies);
  out.U16(static_cast<uint16_t>(module.tempo));
  out.U16(static_cast<uint16_t>(module.bpm));
  for (int i = 0; i < 256; ++i)
    out.U8(i < static_cast<int>(module.order.size()) ? module.order[i] : 0);
  for (const TPattern& p : module.patterns) WritePattern(out, p, module.channels);
  for (const TInstrument& in : module.instruments) WriteInstrument(out, in);
  return std::move(out.Bytes());
}

}  // namespace assetgen::xm
