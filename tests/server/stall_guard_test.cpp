#include "stall_guard.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <thread>

namespace {

// A read from a peer that never answers returns once the guard cuts it; a socket released
// in time is left alone.
TEST(StallGuard, CutsOnlyACallStillWatchedPastItsLimit) {
  constexpr auto kLimit = std::chrono::milliseconds(50);
  records::TStallGuard guard(kLimit);
  int hung[2];
  int released[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, hung), 0);
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, released), 0);
  guard.Release(guard.Watch(released[0]));
  // Should the guard not cut it, the read gives up after 10 s and says so (-1), not 0.
  const timeval patience{10, 0};
  ASSERT_EQ(setsockopt(hung[0], SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience), 0);
  guard.Watch(hung[0]);
  char byte = 0;
  EXPECT_EQ(recv(hung[0], &byte, 1, 0), 0);  // the end of the stream: cut
  std::this_thread::sleep_for(2 * kLimit);
  ASSERT_EQ(send(released[1], "x", 1, MSG_NOSIGNAL), 1);
  EXPECT_EQ(recv(released[0], &byte, 1, 0), 1);
  for (int fd : {hung[0], hung[1], released[0], released[1]}) close(fd);
}

}  // namespace
