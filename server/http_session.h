#pragma once

#include <array>
#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http/message.hpp>
#include <boost/beast/http/parser.hpp>
#include <boost/beast/http/string_body.hpp>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "http_limits.h"
#include "records_service.h"

namespace records {

// One request as the service needs it, taken from the wire.
struct THttpExchange {
  std::string method;
  std::string target;
  std::string peer;          // the connection's address
  std::string forwardedFor;  // every X-Forwarded-For header, joined by commas
  TBrowserHints browser;
  std::string body;
};

// What a connection asks of the server it belongs to. Every call is made on the network
// thread, and `answered` is called there too.
class TSessionHost {
 public:
  virtual ~TSessionHost() = default;
  virtual const THttpLimits& Limits() const = 0;
  virtual bool Stopping() const = 0;
  virtual void Serve(THttpExchange exchange, std::function<void(TReply)> answered) = 0;
  virtual void LogAnswer(const std::string& method, const std::string& target, int status,
                         size_t bytes, std::chrono::steady_clock::duration took) = 0;
  virtual void Closed(const std::string& peer) = 0;
};

// One connection: reads a request's head within its deadline and bounds, reads or refuses
// its body, has it answered, writes the answer, and goes on with the next request on the
// connection (pipelined ones wait their turn in the buffer). A request the server cannot
// take gets its 4xx and the connection closes, so no leftover bytes are ever read as a
// request of their own.
class THttpSession : public std::enable_shared_from_this<THttpSession> {
 public:
  THttpSession(boost::asio::ip::tcp::socket socket, std::string peer, TSessionHost& host);
  ~THttpSession();
  THttpSession(const THttpSession&) = delete;
  THttpSession& operator=(const THttpSession&) = delete;

  void Start();
  // The server is stopping: a connection waiting for a request closes now, one whose request
  // is being answered closes after the answer.
  void Stop();
  // Closes at once, whatever it is doing.
  void Abort();

 private:
  using TParser = boost::beast::http::request_parser<boost::beast::http::string_body>;

  void ReadHead();
  void HeadRead(boost::beast::error_code error);
  void ReadBody();
  void BodyRead(boost::beast::error_code error);
  void Answer();
  void Write(int status, const std::string& contentType, std::string body, bool keepAlive,
             const std::string& disposition = {});
  void Written(boost::beast::error_code error, bool keepAlive);
  // Writes a refusal and closes; the client's unread bytes are never taken as a request.
  void Refuse(int status, const std::string& why);
  // Sends no more, then reads and drops what the client still sends for a moment, so that
  // the answer reaches it rather than a reset.
  void Linger();
  void Drain();

  boost::beast::tcp_stream stream_;
  std::string peer_;
  TSessionHost& host_;
  boost::beast::flat_buffer buffer_;
  std::optional<TParser> parser_;
  std::string method_, target_;
  std::chrono::steady_clock::time_point started_;
  std::array<char, 4096> scratch_{};
  size_t drained_ = 0;
  bool answering_ = false;
  bool closed_ = false;
};

}  // namespace records
