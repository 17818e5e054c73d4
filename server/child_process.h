#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace records {

// Raised once, from any thread, to end every child that watches it: the server's stop.
class TStopSignal {
 public:
  TStopSignal();
  ~TStopSignal();
  TStopSignal(const TStopSignal&) = delete;
  TStopSignal& operator=(const TStopSignal&) = delete;

  void Raise();
  bool Raised() const;
  // Readable once raised, for poll.
  int Descriptor() const { return descriptor_; }

 private:
  int descriptor_;
};

struct TChildLimits {
  std::chrono::milliseconds wallClock{60'000};
  size_t mostOutput = 64 * 1024;  // stdout past this is not read: the child is killed
  size_t mostErrors = 4 * 1024;   // stderr past this is read and dropped
};

// How a child ended. A child killed by the server (its deadline, too much output, the stop)
// has been reaped too.
struct TChildEnd {
  enum class TWay { Exited, Signalled, PastDeadline, TooMuchOutput, Stopped };
  TWay way = TWay::Exited;
  int code = 0;  // the exit status, or the signal
  std::string output;
  std::string errors;
};

// Runs program with args, input on its stdin, and collects what it writes within the limits.
// The server is multithreaded, so it is spawned (never forked); the child gets none of the
// server's descriptors, no blocked or ignored signals and no environment but the sanitisers'
// options. Throws std::runtime_error when the program cannot be started at all.
TChildEnd RunChild(const std::string& program, const std::vector<std::string>& args,
                   std::span<const uint8_t> input, const TChildLimits& limits,
                   const TStopSignal& stop);

}  // namespace records
