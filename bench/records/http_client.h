#pragma once

// A blocking HTTP/1.1 client on one kept-alive connection, enough for the load benchmarks.
#include <boost/asio/connect.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http.hpp>
#include <optional>
#include <string>

namespace bench {

struct TAnswer {
  int status = 0;
  std::string body;
};

class THttpClient {
 public:
  THttpClient(std::string host, int port) : host_(std::move(host)), port_(port) {}

  // Nothing when the connection fails twice (a closed kept-alive one is opened again).
  std::optional<TAnswer> Get(const std::string& target) {
    for (int attempt = 0; attempt < 2; ++attempt) {
      try {
        if (!socket_.is_open()) Connect();
        return Ask(target);
      } catch (const std::exception&) {
        boost::system::error_code ignored;
        socket_.close(ignored);
      }
    }
    return std::nullopt;
  }

 private:
  void Connect() {
    boost::asio::ip::tcp::resolver resolver(io_);
    boost::asio::connect(socket_, resolver.resolve(host_, std::to_string(port_)));
    socket_.set_option(boost::asio::ip::tcp::no_delay(true));
  }

  TAnswer Ask(const std::string& target) {
    namespace http = boost::beast::http;
    http::request<http::empty_body> request(http::verb::get, target, 11);
    request.set(http::field::host, host_);
    http::write(socket_, request);
    http::response_parser<http::string_body> parser;
    parser.body_limit(64 * 1024 * 1024);
    http::read(socket_, buffer_, parser);
    auto response = parser.release();
    if (!response.keep_alive()) socket_.close();
    return {static_cast<int>(response.result_int()), std::move(response.body())};
  }

  std::string host_;
  int port_;
  boost::asio::io_context io_;
  boost::asio::ip::tcp::socket socket_{io_};
  boost::beast::flat_buffer buffer_;
};

}  // namespace bench
