#pragma once

#include <cstddef>
#include <cstdint>

// What each fuzz target does with one input: read it the way the game would, and walk what
// was read. A format error is the expected answer to bad bytes; anything else escaping, a
// crash, a hang or a sanitizer report is a fault. The regression test runs the same code
// over the kept inputs.
namespace fuzz {

void ReadImageList(const uint8_t* data, size_t size);
void ReadSoundList(const uint8_t* data, size_t size);
void ReadDib(const uint8_t* data, size_t size);
void ReadRiff(const uint8_t* data, size_t size);

}  // namespace fuzz
