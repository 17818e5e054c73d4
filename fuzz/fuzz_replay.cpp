// Replay files as the game and the checker read them: the header and the packed game, then
// the input tape frame by frame, every event and a few answers of each kind. A refusal is the
// expected answer to bad bytes.
#include <cstdint>

#include "persist/replay_file.h"
#include "platform/input_tape.h"

namespace {

constexpr int kAnswersAFrame = 3;

void WalkTape(const std::vector<uint8_t>& tape) {
  platform::TTapeReader reader(tape);
  do {
    while (reader.NextEvent()) {
    }
    for (int kind = 1; kind < platform::kTapeReadKinds; ++kind) {
      for (int i = 0; i < kAnswersAFrame; ++i) reader.Next(static_cast<platform::TTapeRead>(kind));
    }
  } while (reader.NextFrame());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    WalkTape(persist::DecodeReplay({data, size}).Tape);
  } catch (const persist::EReplayError&) {
  } catch (const platform::ETapeError&) {
  }
  // The tape alone, as if the file around it had been sound.
  try {
    WalkTape(std::vector<uint8_t>(data, data + size));
  } catch (const platform::ETapeError&) {
  }
  return 0;
}
