#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

#include "crowd.h"
#include "input_script.h"
#include "monkey.h"
#include "sim_options.h"

class TMForm;

namespace platform {
class THeadlessPlatform;
}

namespace sim {

struct TSimSummary {
  int64_t frames = 0;
  int64_t composeMedianUs = 0;
  int64_t composeP99Us = 0;
  int64_t composeMaxUs = 0;
  int spritesMax = 0;
};

// Runs the real main form on the headless platform for a number of frames on a scripted
// clock: frame F's events are delivered before it runs, its trace row and screenshots are
// written after it.
class TSimRunner {
 public:
  TSimRunner(const TSimOptions& options, platform::THeadlessPlatform& platform, TInputScript script,
             std::ostream* trace);

  TSimSummary Run();

 private:
  uint32_t TicksOfFrame(int64_t frame) const;
  void RunFrame(int64_t frame, TMForm& form);
  void WriteShots(int64_t frame);

  const TSimOptions& options_;
  platform::THeadlessPlatform& platform_;
  TInputScript script_;
  std::ostream* trace_;
  std::optional<TMonkey> monkey_;
  std::optional<TCrowd> crowd_;
  std::vector<int64_t> composeUs_;
  int lastLag_ = 0;
  int spritesMax_ = 0;
  size_t errorsShown_ = 0;    // errors already in a trace row
  size_t requestsShown_ = 0;  // requests already in a trace row
};

std::string SummaryLine(const TSimSummary& summary);

}  // namespace sim
