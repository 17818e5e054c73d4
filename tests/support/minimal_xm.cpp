#include "support/minimal_xm.h"

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace test_support {

namespace {

void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, static_cast<uint16_t>(v));
  Put16(out, static_cast<uint16_t>(v >> 16));
}

void PutText(std::vector<uint8_t>& out, const std::string& text, size_t width) {
  for (size_t i = 0; i < width; ++i) out.push_back(i < text.size() ? text[i] : ' ');
}

}  // namespace

void WriteMinimalXm(const std::string& path) {
  std::vector<uint8_t> xm;
  PutText(xm, "Extended Module: ", 17);
  PutText(xm, "test", 20);
  xm.push_back(0x1A);
  PutText(xm, "test tracker", 20);
  Put16(xm, 0x0104);
  Put32(xm, 276);                                 // header size, counted from this field
  Put16(xm, 1);                                   // song length
  Put16(xm, 0);                                   // restart position
  Put16(xm, 2);                                   // channels
  Put16(xm, 1);                                   // patterns
  Put16(xm, 0);                                   // instruments
  Put16(xm, 1);                                   // linear frequencies
  Put16(xm, 6);                                   // tempo
  Put16(xm, 125);                                 // bpm
  for (int i = 0; i < 256; ++i) xm.push_back(0);  // order table: pattern 0
  Put32(xm, 9);                                   // pattern header length
  xm.push_back(0);                                // packing
  Put16(xm, 64);                                  // rows
  Put16(xm, 0);                                   // packed size: empty
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(xm.data()), static_cast<std::streamsize>(xm.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace test_support
