#pragma once

// One request as a visitor makes it: a new connection, a GET, the whole answer, within a time
// limit however the server behaves.
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <chrono>
#include <string>

namespace bench {

struct TTimedAnswer {
  int status = 0;  // 0: no answer within the limit
  double ms = 0;   // the limit itself when there was no answer
};

TTimedAnswer TimedGet(boost::asio::io_context& io, const boost::asio::ip::tcp::endpoint& server,
                      const std::string& target, std::chrono::milliseconds limit);

}  // namespace bench
