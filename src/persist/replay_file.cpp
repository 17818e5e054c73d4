#include "persist/replay_file.h"

#include <zstd.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "engine/byte_reader.h"
#include "engine/byte_writer.h"

namespace persist {

namespace {

// The layout, little-endian:
//   magic "PEROREPL", format version u16, game version (u8 length + bytes),
//   rules fingerprint (32 bytes), name and country (u8 length + bytes each),
//   score i32, level i32, lives i32, frames u64, ending u8,
//   start size u32, tape size u32, packed size u32, then the packed bytes: one zstd frame of
//   the start followed by the tape.
constexpr char kMagic[] = "PEROREPL";
constexpr size_t kMagicBytes = 8;
// A frame's window bigger than what it unpacks to is never needed; this bounds the unpacker.
constexpr int kWindowLogMax = 25;

[[noreturn]] void CutShort() {
  throw EReplayError("the replay is cut short");
}

void CheckText(const std::string& what, const std::string& text) {
  if (text.size() > kMostReplayText) throw EReplayError("the replay's " + what + " is too long");
}

void CheckSize(const std::string& what, uint64_t size, uint64_t most) {
  if (size > most) {
    throw EReplayError("the replay's " + what + " claims " + std::to_string(size) +
                       " bytes, more than the " + std::to_string(most) + " a replay may hold");
  }
}

std::vector<uint8_t> Unpack(std::span<const uint8_t> packed, size_t expected) {
  const unsigned long long claimed = ZSTD_getFrameContentSize(packed.data(), packed.size());
  if (claimed == ZSTD_CONTENTSIZE_ERROR || claimed == ZSTD_CONTENTSIZE_UNKNOWN)
    throw EReplayError("the replay's packed game is damaged");
  if (claimed != expected) throw EReplayError("the replay's packed game has the wrong size");
  std::unique_ptr<ZSTD_DCtx, decltype(&ZSTD_freeDCtx)> context(ZSTD_createDCtx(), ZSTD_freeDCtx);
  if (!context) throw std::bad_alloc();
  ZSTD_DCtx_setParameter(context.get(), ZSTD_d_windowLogMax, kWindowLogMax);
  std::vector<uint8_t> bytes(expected);
  const size_t got =
      ZSTD_decompressDCtx(context.get(), bytes.data(), bytes.size(), packed.data(), packed.size());
  if (ZSTD_isError(got) || got != expected)
    throw EReplayError("the replay's packed game is damaged");
  return bytes;
}

}  // namespace

std::vector<uint8_t> EncodeReplay(const TReplay& replay, int packLevel) {
  CheckSize("starting state", replay.Start.size(), kMostReplayStartBytes);
  CheckSize("input", replay.Tape.size(), kMostReplayTapeBytes);
  engine::TByteWriter out;
  out.Append(std::span(reinterpret_cast<const uint8_t*>(kMagic), kMagicBytes));
  out.U16(kReplayFormatVersion);
  out.ShortString(replay.GameVersion);
  out.Append(replay.Rules);
  out.ShortString(replay.Result.Name);
  out.ShortString(replay.Result.Country);
  out.I32(replay.Result.Score);
  out.I32(replay.Result.Level);
  out.I32(replay.Result.Lives);
  out.U64(replay.Result.Frames);
  out.U8(static_cast<uint8_t>(replay.Result.Ending));
  std::vector<uint8_t> body(replay.Start);
  body.insert(body.end(), replay.Tape.begin(), replay.Tape.end());
  // The frame carries its content's checksum, so a damaged file is found before it is played.
  std::unique_ptr<ZSTD_CCtx, decltype(&ZSTD_freeCCtx)> context(ZSTD_createCCtx(), ZSTD_freeCCtx);
  if (!context) throw std::bad_alloc();
  ZSTD_CCtx_setParameter(context.get(), ZSTD_c_compressionLevel, packLevel);
  ZSTD_CCtx_setParameter(context.get(), ZSTD_c_checksumFlag, 1);
  std::vector<uint8_t> packed(ZSTD_compressBound(body.size()));
  const size_t size =
      ZSTD_compress2(context.get(), packed.data(), packed.size(), body.data(), body.size());
  if (ZSTD_isError(size)) throw EReplayError(ZSTD_getErrorName(size));
  packed.resize(size);
  CheckSize("file", out.Size() + 3 * sizeof(uint32_t) + packed.size(), kMostReplayFileBytes);
  out.U32(static_cast<uint32_t>(replay.Start.size()));
  out.U32(static_cast<uint32_t>(replay.Tape.size()));
  out.U32(static_cast<uint32_t>(packed.size()));
  out.Append(packed);
  return std::move(out.Bytes());
}

namespace {

// The sizes that follow the claimed result.
struct TPackedSizes {
  uint32_t start = 0;
  uint32_t tape = 0;
  uint32_t packed = 0;
};

// Reads and checks everything before the packed game.
TPackedSizes ReadHeader(engine::TByteReader& in, TReplay& replay) {
  const std::span<const uint8_t> bytes = in.Take(std::min(in.Remaining(), kMagicBytes));
  if (bytes.size() < kMagicBytes || std::memcmp(bytes.data(), kMagic, kMagicBytes) != 0)
    throw EReplayError("this is not a replay of the game");
  const uint16_t format = in.U16();
  if (format != kReplayFormatVersion) {
    throw EReplayError("the replay is of format " + std::to_string(format) + "; this game reads " +
                       std::to_string(kReplayFormatVersion));
  }
  replay.GameVersion = in.ShortString();
  CheckText("game version", replay.GameVersion);
  const auto rules = in.Take(replay.Rules.size());
  std::memcpy(replay.Rules.data(), rules.data(), rules.size());
  replay.Result.Name = in.ShortString();
  CheckText("name", replay.Result.Name);
  replay.Result.Country = in.ShortString();
  CheckText("country", replay.Result.Country);
  replay.Result.Score = in.I32();
  replay.Result.Level = in.I32();
  replay.Result.Lives = in.I32();
  replay.Result.Frames = in.U64();
  const uint8_t ending = in.U8();
  if (ending > static_cast<uint8_t>(TReplayEnding::Fault))
    throw EReplayError("the replay's ending " + std::to_string(ending) + " is unknown");
  replay.Result.Ending = static_cast<TReplayEnding>(ending);
  TPackedSizes sizes{in.U32(), in.U32(), in.U32()};
  CheckSize("starting state", sizes.start, kMostReplayStartBytes);
  CheckSize("input", sizes.tape, kMostReplayTapeBytes);
  // Every frame takes at least one byte of the input.
  if (replay.Result.Frames > sizes.tape)
    throw EReplayError("the replay claims " + std::to_string(replay.Result.Frames) + " frames in " +
                       std::to_string(sizes.tape) + " bytes of input");
  if (sizes.packed != in.Remaining())
    throw EReplayError("the replay's packed game has the wrong size");
  return sizes;
}

}  // namespace

TReplay DecodeReplay(std::span<const uint8_t> bytes) {
  CheckSize("file", bytes.size(), kMostReplayFileBytes);
  engine::TByteReader in(bytes, CutShort);
  TReplay replay;
  const TPackedSizes sizes = ReadHeader(in, replay);
  const std::vector<uint8_t> body = Unpack(in.Take(sizes.packed), size_t{sizes.start} + sizes.tape);
  replay.Start.assign(body.begin(), body.begin() + sizes.start);
  replay.Tape.assign(body.begin() + sizes.start, body.end());
  return replay;
}

TReplayResult DecodeReplayResult(std::span<const uint8_t> bytes) {
  CheckSize("file", bytes.size(), kMostReplayFileBytes);
  engine::TByteReader in(bytes, CutShort);
  TReplay replay;
  ReadHeader(in, replay);
  return replay.Result;
}

}  // namespace persist
