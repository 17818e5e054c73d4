#pragma once

#include <cstdint>

namespace records {

// Where the service puts a replay it accepted, by its record's id, for the checkers.
class TReplayQueue {
 public:
  virtual ~TReplayQueue() = default;
  // Whether a replay sent now would be taken: asked before anything is stored.
  virtual bool HasRoom() = 0;
  // The replay is stored and Checking; a repeat of an id already waiting is dropped.
  virtual void Add(int64_t id) = 0;
};

}  // namespace records
