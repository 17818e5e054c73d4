#include "http_front.h"

#include <httplib.h>

#include <chrono>
#include <ctime>
#include <stdexcept>

#include "client_address.h"

namespace records {

namespace {

constexpr int kUriTooLong = 414;
constexpr int kKeepAliveSeconds = 2;
constexpr int kReadTimeoutSeconds = 5;

int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::string UtcStamp() {
  const std::time_t t = std::time(nullptr);
  std::tm parts{};
  gmtime_r(&t, &parts);
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%SZ", &parts);
  return buffer;
}

// Every header of that name, in order, joined by commas: several are one list.
std::string JoinedHeader(const httplib::Request& req, const char* name) {
  std::string joined;
  const size_t count = req.get_header_value_count(name);
  for (size_t i = 0; i < count; ++i) {
    if (i > 0) joined += ',';
    joined += req.get_header_value(name, i);
  }
  return joined;
}

records::TBrowserHints BrowserHints(const httplib::Request& req) {
  return {req.get_header_value("Sec-Fetch-Site"), req.has_header("Origin")};
}

// The thread that runs a request also writes its log line.
thread_local std::chrono::steady_clock::time_point requestStart;

}  // namespace

THttpFront::THttpFront(TRecordsService& service, int threads,
                       std::vector<TIpAddress> trustedProxies, std::ostream& log)
    : service_(service),
      trustedProxies_(std::move(trustedProxies)),
      server_(std::make_unique<httplib::Server>()),
      log_(log) {
  const size_t count = static_cast<size_t>(threads);
  server_->new_task_queue = [count] { return new httplib::ThreadPool(count); };
  server_->set_keep_alive_timeout(kKeepAliveSeconds);
  // Answers are small: without this the kernel holds each one back for the client's ACK.
  server_->set_tcp_nodelay(true);
  server_->set_read_timeout(kReadTimeoutSeconds, 0);
  server_->set_payload_max_length(0);
  server_->set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
    requestStart = std::chrono::steady_clock::now();
    TReply reply;
    try {
      const std::string client =
          ClientAddress(req.remote_addr, JoinedHeader(req, "X-Forwarded-For"), trustedProxies_);
      reply = service_.Handle(req.method, req.target, client, NowMs(), BrowserHints(req));
    } catch (const std::exception& error) {
      {
        std::lock_guard lock(logMutex_);
        log_ << UtcStamp() << " error: " << error.what() << '\n' << std::flush;
      }
      reply = {503, "text/plain; charset=utf-8", "the records are out of reach, try later\n"};
    }
    res.status = reply.status;
    res.set_content(reply.body, reply.contentType);
    return httplib::Server::HandlerResponse::Handled;
  });
  // The HTTP layer itself refuses a request line over 8 KB; it is refused as a bad request
  // like every other record the server cannot take.
  server_->set_error_handler(
      httplib::Server::HandlerWithResponse([](const httplib::Request&, httplib::Response& res) {
        if (res.status != kUriTooLong) return httplib::Server::HandlerResponse::Unhandled;
        res.status = 400;
        res.set_content("URL over 8 KB\n", "text/plain; charset=utf-8");
        return httplib::Server::HandlerResponse::Handled;
      }));
  server_->set_logger([this](const httplib::Request& req, const httplib::Response& res) {
    // A request refused before it was read whole has no method and no start of its own.
    if (req.method.empty()) {
      LogLine("-", "-", res.status, res.body.size(), 0);
      return;
    }
    const auto took = std::chrono::steady_clock::now() - requestStart;
    LogLine(req.method, req.path, res.status, res.body.size(),
            std::chrono::duration<double, std::milli>(took).count());
  });
}

THttpFront::~THttpFront() = default;

int THttpFront::Bind(const std::string& host, int port) {
  if (port == 0) {
    const int bound = server_->bind_to_any_port(host);
    if (bound < 0) throw std::runtime_error("cannot listen on " + host);
    return bound;
  }
  if (!server_->bind_to_port(host, port))
    throw std::runtime_error("cannot listen on " + host + ":" + std::to_string(port));
  return port;
}

void THttpFront::Run() {
  server_->listen_after_bind();
}

void THttpFront::Stop() {
  server_->stop();
}

void THttpFront::LogLine(const std::string& method, const std::string& path, int status,
                         size_t bytes, double ms) {
  // req.path is the decoded path alone; a control byte in it must not forge a log line.
  std::string safePath;
  for (char c : path.substr(0, 200)) safePath += (static_cast<unsigned char>(c) < 0x20) ? '?' : c;
  char took[32];
  std::snprintf(took, sizeof took, "%.2f", ms);
  std::lock_guard lock(logMutex_);
  log_ << UtcStamp() << ' ' << method << ' ' << safePath << ' ' << status << ' ' << bytes << "B "
       << took << "ms\n"
       << std::flush;
}

}  // namespace records
