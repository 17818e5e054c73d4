#include "http_session.h"

#include <boost/asio/write.hpp>
#include <boost/beast/http/empty_body.hpp>
#include <boost/beast/http/error.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/write.hpp>
#include <iterator>

namespace records {

namespace http = boost::beast::http;
using boost::beast::error_code;

namespace {

constexpr int kBadRequest = 400;
constexpr int kPayloadTooLarge = 413;
constexpr int kHeadTooLarge = 431;
constexpr auto kLingerFor = std::chrono::seconds(1);
constexpr size_t kLingerBytes = 64 * 1024;
constexpr const char* kPlainText = "text/plain; charset=utf-8";

std::string Joined(const http::fields& fields, boost::beast::string_view name) {
  std::string joined;
  for (auto [at, end] = fields.equal_range(name); at != end; ++at) {
    if (!joined.empty()) joined += ',';
    joined += std::string(at->value());
  }
  return joined;
}

}  // namespace

THttpSession::THttpSession(boost::asio::ip::tcp::socket socket, std::string peer,
                           TSessionHost& host)
    : stream_(std::move(socket)), peer_(std::move(peer)), host_(host) {}

THttpSession::~THttpSession() {
  host_.Closed(peer_);
}

void THttpSession::Start() {
  // Answers are small: without this the kernel holds each back for the client's ACK.
  error_code ignored;
  stream_.socket().set_option(boost::asio::ip::tcp::no_delay(true), ignored);
  ReadHead();
}

void THttpSession::Stop() {
  if (!answering_) Abort();
}

void THttpSession::Abort() {
  if (closed_) return;
  closed_ = true;
  error_code ignored;
  stream_.socket().shutdown(boost::asio::ip::tcp::socket::shutdown_both, ignored);
  stream_.close();
}

void THttpSession::ReadHead() {
  if (host_.Stopping()) return Abort();
  const THttpLimits& limits = host_.Limits();
  method_.clear();
  target_.clear();
  parser_.emplace();
  parser_->header_limit(static_cast<std::uint32_t>(limits.largestHead));
  parser_->body_limit(limits.largestBody);
  // One deadline for the whole head: it is not renewed by each byte that arrives.
  stream_.expires_after(limits.headDeadline);
  http::async_read_header(
      stream_, buffer_, *parser_,
      [self = shared_from_this()](error_code error, size_t) { self->HeadRead(error); });
}

void THttpSession::HeadRead(error_code error) {
  if (error == http::error::header_limit)
    return Refuse(kHeadTooLarge, "the request head is over 16 KB");
  if (error == http::error::body_limit)
    return Refuse(kPayloadTooLarge, "the request body is over 256 KB");
  if (error == http::error::end_of_stream || error == boost::beast::error::timeout ||
      error == boost::asio::error::operation_aborted || closed_)
    return Abort();
  if (error.category() == http::make_error_code(http::error::bad_method).category())
    return Refuse(kBadRequest, "not an HTTP request");
  if (error) return Abort();
  const auto& head = parser_->get();
  if (static_cast<size_t>(std::distance(head.begin(), head.end())) >= host_.Limits().mostHeadLines)
    return Refuse(kHeadTooLarge, "the request head is over 100 lines");
  started_ = std::chrono::steady_clock::now();
  method_ = std::string(head.method_string());
  target_ = std::string(head.target());
  if (parser_->content_length() && *parser_->content_length() > host_.Limits().largestBody)
    return Refuse(kPayloadTooLarge, "the request body is over 256 KB");
  if (parser_->is_done()) return Answer();
  ReadBody();
}

void THttpSession::ReadBody() {
  // curl and others wait a moment for this before sending a larger body.
  if (parser_->get()[http::field::expect] == "100-continue") {
    static constexpr char kContinue[] = "HTTP/1.1 100 Continue\r\n\r\n";
    error_code ignored;
    boost::asio::write(stream_.socket(), boost::asio::buffer(kContinue, sizeof kContinue - 1),
                       ignored);
  }
  stream_.expires_after(host_.Limits().bodyDeadline);
  http::async_read(
      stream_, buffer_, *parser_,
      [self = shared_from_this()](error_code error, size_t) { self->BodyRead(error); });
}

void THttpSession::BodyRead(error_code error) {
  if (error == http::error::body_limit)
    return Refuse(kPayloadTooLarge, "the request body is over 256 KB");
  if (error) return Abort();
  Answer();
}

void THttpSession::Answer() {
  answering_ = true;
  const auto& head = parser_->get();
  THttpExchange exchange;
  exchange.method = method_;
  exchange.target = target_;
  exchange.peer = peer_;
  exchange.forwardedFor = Joined(head, "X-Forwarded-For");
  exchange.browser = {std::string(head["Sec-Fetch-Site"]), head.count(http::field::origin) > 0};
  const bool keepAlive = head.keep_alive();
  exchange.body = parser_->release().body();
  host_.Serve(std::move(exchange), [self = shared_from_this(), keepAlive](TReply reply) {
    self->Write(reply.status, reply.contentType, std::move(reply.body), keepAlive,
                reply.disposition);
  });
}

void THttpSession::Write(int status, const std::string& contentType, std::string body,
                         bool keepAlive, const std::string& disposition) {
  if (closed_) return;
  keepAlive = keepAlive && !host_.Stopping();
  host_.LogAnswer(method_, target_, status, body.size(),
                  std::chrono::steady_clock::now() - started_);
  stream_.expires_after(host_.Limits().answerDeadline);
  auto done = [self = shared_from_this(), keepAlive](error_code error, size_t) {
    self->Written(error, keepAlive);
  };
  if (method_ == "HEAD") {
    auto answer =
        std::make_shared<http::response<http::empty_body>>(static_cast<http::status>(status), 11);
    answer->set(http::field::content_type, contentType);
    if (!disposition.empty()) answer->set(http::field::content_disposition, disposition);
    answer->content_length(body.size());
    answer->keep_alive(keepAlive);
    http::async_write(stream_, *answer, [answer, done](error_code e, size_t n) { done(e, n); });
    return;
  }
  auto answer = std::make_shared<http::response<http::string_body>>(
      static_cast<http::status>(status), 11, std::move(body));
  answer->set(http::field::content_type, contentType);
  if (!disposition.empty()) answer->set(http::field::content_disposition, disposition);
  answer->keep_alive(keepAlive);
  answer->prepare_payload();
  http::async_write(stream_, *answer, [answer, done](error_code e, size_t n) { done(e, n); });
}

void THttpSession::Written(error_code error, bool keepAlive) {
  answering_ = false;
  if (error || closed_) return Abort();
  if (!keepAlive) return Linger();
  ReadHead();
}

void THttpSession::Refuse(int status, const std::string& why) {
  if (method_.empty()) {
    method_ = "-";
    target_ = "-";
    started_ = std::chrono::steady_clock::now();
  }
  answering_ = true;
  Write(status, kPlainText, why + "\n", false);
}

void THttpSession::Linger() {
  if (closed_) return;
  error_code ignored;
  stream_.socket().shutdown(boost::asio::ip::tcp::socket::shutdown_send, ignored);
  stream_.expires_after(kLingerFor);
  Drain();
}

void THttpSession::Drain() {
  stream_.async_read_some(boost::asio::buffer(scratch_),
                          [self = shared_from_this()](error_code error, size_t n) {
                            self->drained_ += n;
                            if (error || self->drained_ > kLingerBytes || self->closed_)
                              return self->Abort();
                            self->Drain();
                          });
}

}  // namespace records
