#include "timed_get.h"

#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http.hpp>

namespace bench {

namespace http = boost::beast::http;
using TClock = std::chrono::steady_clock;

TTimedAnswer TimedGet(boost::asio::io_context& io, const boost::asio::ip::tcp::endpoint& server,
                      const std::string& target, std::chrono::milliseconds limit) {
  boost::beast::tcp_stream stream(io);
  boost::beast::flat_buffer buffer;
  http::request<http::empty_body> request(http::verb::get, target, 11);
  request.set(http::field::host, server.address().to_string());
  request.set(http::field::connection, "close");
  http::response<http::string_body> response;
  int status = 0;

  const auto start = TClock::now();
  stream.expires_after(limit);  // one deadline for connect, request and answer together
  stream.async_connect(server, [&](boost::system::error_code error) {
    if (error) return;
    http::async_write(stream, request, [&](boost::system::error_code error, size_t) {
      if (error) return;
      http::async_read(stream, buffer, response, [&](boost::system::error_code error, size_t) {
        if (!error) status = static_cast<int>(response.result_int());
      });
    });
  });
  io.restart();
  io.run();
  if (status == 0) return {0, static_cast<double>(limit.count())};
  return {status, std::chrono::duration<double, std::milli>(TClock::now() - start).count()};
}

}  // namespace bench
