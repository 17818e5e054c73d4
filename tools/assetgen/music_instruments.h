#pragma once

#include "xm_writer.h"

namespace assetgen {

// Instrument numbers as the patterns use them (XM counts from 1).
enum TInstrumentNumber : uint8_t {
  kLead = 1,
  kBass = 2,
  kPad = 3,
  kPluck = 4,
  kKick = 5,
  kSnare = 6,
  kHat = 7,
};

// The seven instruments, samples synthesised; pitched ones sound at the note played.
std::vector<xm::TInstrument> MakeInstruments();

}  // namespace assetgen
