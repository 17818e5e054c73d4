#pragma once

#include <boost/asio/ip/tcp.hpp>

namespace bench {

// `connections` connections send endless small headers (each coming back when the server
// closes it) for `seconds`, while the resident memory of the server `pid` is read ten times a
// second; prints its memory before, at the most and after, and what the server answered. A
// server that grows by `giveUpMb` is spared the rest, for the machine's sake.
int RunHeaderFlood(const boost::asio::ip::tcp::endpoint& server, int pid, int connections,
                   int seconds, int giveUpMb);

}  // namespace bench
