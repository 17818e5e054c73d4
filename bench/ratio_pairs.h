#pragma once

#include <vector>

namespace bench {

// A benchmark of ours and the SDL benchmark it is measured against.
struct TRatioPair {
  const char* operation;
  const char* ours;
  const char* peer;
};

const std::vector<TRatioPair>& RatioPairs();

}  // namespace bench
