#pragma once

#include <chrono>
#include <cstddef>

namespace records {

// What one connection may cost the server, and how long anything may take. A public host is
// sent slow clients, endless headers and floods of connections: each of these bounds one of
// them, so that no client, however it behaves, holds more than its share.
struct THttpLimits {
  // From the first byte awaited to the blank line that ends the head: a client trickling a
  // byte at a time gets no longer than a fast one.
  std::chrono::milliseconds headDeadline{10'000};
  std::chrono::milliseconds bodyDeadline{10'000};
  std::chrono::milliseconds answerDeadline{10'000};
  // The request line and headers together; past either bound the answer is 431.
  size_t largestHead = 16 * 1024;
  size_t mostHeadLines = 100;
  // A longer body is answered 413 and the connection closed.
  size_t largestBody = 256 * 1024;
  int backlog = 1024;
  size_t mostConnections = 16'000;
  // Connections open at once from one address; a trusted proxy has no such limit.
  size_t mostPerAddress = 256;
  // Requests waiting for or being served by the database workers; more are answered 503.
  size_t mostQueued = 1024;
  // After SIGTERM: requests being answered may finish within this, then the process ends.
  std::chrono::milliseconds stopWithin{4'500};
};

}  // namespace records
