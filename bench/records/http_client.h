#pragma once

// A blocking HTTP/1.1 client on one kept-alive connection, enough for the load benchmarks.
#include <boost/asio/connect.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http.hpp>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace bench {

struct TAnswer {
  int status = 0;
  std::string body;
};

// Extra header fields of a request, such as X-Forwarded-For.
using TFields = std::vector<std::pair<std::string, std::string>>;

class THttpClient {
 public:
  // With a source address, every connection is made from it (any loopback address will do),
  // so that one program can play many clients.
  THttpClient(std::string host, int port, std::string source = "")
      : host_(std::move(host)), port_(port), source_(std::move(source)) {}

  // Nothing when the connection fails twice (a closed kept-alive one is opened again).
  std::optional<TAnswer> Get(const std::string& target, const TFields& fields = {}) {
    return Send(boost::beast::http::verb::get, target, {}, fields);
  }
  // The body as application/octet-stream, as the game sends its replay.
  std::optional<TAnswer> Post(const std::string& target, const std::string& body,
                              const TFields& fields = {}) {
    return Send(boost::beast::http::verb::post, target, body, fields);
  }

 private:
  void Connect() {
    boost::asio::ip::tcp::resolver resolver(io_);
    const auto server = *resolver.resolve(host_, std::to_string(port_)).begin();
    socket_.open(server.endpoint().protocol());
    if (!source_.empty()) socket_.bind({boost::asio::ip::make_address(source_), 0});
    socket_.connect(server.endpoint());
    socket_.set_option(boost::asio::ip::tcp::no_delay(true));
    buffer_.clear();
  }

  std::optional<TAnswer> Send(boost::beast::http::verb verb, const std::string& target,
                              const std::string& body, const TFields& fields) {
    for (int attempt = 0; attempt < 2; ++attempt) {
      try {
        if (!socket_.is_open()) Connect();
        return Ask(verb, target, body, fields);
      } catch (const std::exception&) {
        boost::system::error_code ignored;
        socket_.close(ignored);
      }
    }
    return std::nullopt;
  }

  TAnswer Ask(boost::beast::http::verb verb, const std::string& target, const std::string& body,
              const TFields& fields) {
    namespace http = boost::beast::http;
    http::request<http::string_body> request(verb, target, 11, body);
    request.set(http::field::host, host_);
    if (verb == http::verb::post)
      request.set(http::field::content_type, "application/octet-stream");
    for (const auto& [name, value] : fields) request.set(name, value);
    request.prepare_payload();
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
  std::string source_;
  boost::asio::io_context io_;
  boost::asio::ip::tcp::socket socket_{io_};
  boost::beast::flat_buffer buffer_;
};

}  // namespace bench
