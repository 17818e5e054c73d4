#include "http_front.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/thread_pool.hpp>
#include <chrono>
#include <condition_variable>
#include <ctime>
#include <map>
#include <mutex>
#include <stdexcept>
#include <unordered_map>

#include "client_address.h"
#include "http_session.h"

namespace records {

namespace asio = boost::asio;
using asio::ip::tcp;
using boost::system::error_code;

namespace {

constexpr auto kAcceptRetry = std::chrono::milliseconds(100);
constexpr auto kRefusalLogEvery = std::chrono::seconds(10);

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

// The path alone, as far as a log line needs it: a control byte must not forge a line.
std::string LoggedPath(const std::string& target) {
  std::string path;
  for (char c : target.substr(0, std::min<size_t>(target.find('?'), 200)))
    path += (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) ? '?' : c;
  return path;
}

// Accepting fails now and then for reasons that pass: too many descriptors open, a client
// that gave up in the queue. The listener itself is broken only by anything else.
bool PassingAcceptError(const error_code& error) {
  return error == asio::error::no_descriptors || error == asio::error::no_buffer_space ||
         error == asio::error::no_memory || error == asio::error::connection_aborted ||
         error == asio::error::connection_reset || error == asio::error::try_again ||
         error == asio::error::interrupted || error.value() == ENFILE || error.value() == EPROTO ||
         error.value() == EPERM;
}

TReply Busy() {
  return {503, "text/plain; charset=utf-8", "the server is busy, try again in a moment\n"};
}

}  // namespace

class THttpFront::TServer : public TSessionHost {
 public:
  TServer(TRecordsService& service, int threads, std::vector<TIpAddress> trustedProxies,
          const THttpLimits& limits, std::ostream& log)
      : service_(service),
        trustedProxies_(std::move(trustedProxies)),
        limits_(limits),
        log_(log),
        acceptor_(io_),
        acceptRetry_(io_),
        stopTimer_(io_),
        workers_(static_cast<size_t>(threads)) {}

  int Bind(const std::string& host, int port) {
    const tcp::endpoint endpoint = Endpoint(host, port);
    error_code error;
    acceptor_.open(endpoint.protocol(), error);
    if (!error) acceptor_.set_option(tcp::acceptor::reuse_address(true), error);
    if (!error) acceptor_.bind(endpoint, error);
    if (!error) acceptor_.listen(limits_.backlog, error);
    if (error)
      throw std::runtime_error("cannot listen on " + host + ":" + std::to_string(port) + ": " +
                               error.message());
    return acceptor_.local_endpoint().port();
  }

  // An address as such, or the first a name resolves to.
  tcp::endpoint Endpoint(const std::string& host, int port) {
    error_code error;
    const auto address = asio::ip::make_address(host, error);
    if (!error) return {address, static_cast<unsigned short>(port)};
    tcp::resolver resolver(io_);
    const auto found = resolver.resolve(host, std::to_string(port), error);
    if (error || found.empty())
      throw std::runtime_error("cannot listen on " + host + ": " + error.message());
    return found.begin()->endpoint();
  }

  TFrontEnd Run() {
    Accept();
    io_.run();
    return WaitForWorkers();
  }

  void Stop() {
    asio::post(io_, [this] { BeginStop(); });
  }

  int ListeningSocket() { return acceptor_.native_handle(); }

  void Log(const std::string& line) {
    std::lock_guard lock(logMutex_);
    log_ << UtcStamp() << ' ' << line << '\n' << std::flush;
  }

  // TSessionHost, all on the network thread.
  const THttpLimits& Limits() const override { return limits_; }
  bool Stopping() const override { return stopping_; }

  void Serve(THttpExchange exchange, std::function<void(TReply)> answered) override {
    if (!service_.NeedsStore(exchange.method, exchange.target)) return answered(Call(exchange));
    if (queued_ >= limits_.mostQueued) return answered(Busy());
    ++queued_;
    asio::post(workers_, [this, exchange = std::move(exchange), answered = std::move(answered),
                          hold = asio::make_work_guard(io_)]() mutable {
      {
        std::lock_guard lock(workMutex_);
        ++working_;
      }
      TReply reply = Call(exchange);
      asio::post(io_, [this, reply = std::move(reply), answered = std::move(answered)]() mutable {
        --queued_;
        answered(std::move(reply));
        EndWhenIdle();
      });
      std::lock_guard lock(workMutex_);
      if (--working_ == 0) workersIdle_.notify_all();
    });
  }

  void LogAnswer(const std::string& method, const std::string& target, int status, size_t bytes,
                 std::chrono::steady_clock::duration took) override {
    char ms[32];
    std::snprintf(ms, sizeof ms, "%.2f", std::chrono::duration<double, std::milli>(took).count());
    std::lock_guard lock(logMutex_);
    log_ << UtcStamp() << ' ' << LoggedPath(method) << ' ' << LoggedPath(target) << ' ' << status
         << ' ' << bytes << "B " << ms << "ms\n"
         << std::flush;
  }

  void Closed(const std::string& peer) override {
    const auto at = perAddress_.find(peer);
    if (at != perAddress_.end() && --at->second == 0) perAddress_.erase(at);
    --open_;
    EndWhenIdle();
  }

 private:
  TReply Call(const THttpExchange& exchange) {
    try {
      const std::string client =
          ClientAddress(exchange.peer, exchange.forwardedFor, trustedProxies_);
      return service_.Handle(exchange.method, exchange.target, client, NowMs(), exchange.browser,
                             exchange.body);
    } catch (const std::exception& error) {
      std::lock_guard lock(logMutex_);
      log_ << UtcStamp() << " error: " << error.what() << '\n' << std::flush;
      return {503, "text/plain; charset=utf-8", "the records are out of reach, try later\n"};
    }
  }

  void Accept() {
    acceptor_.async_accept(
        [this](error_code error, tcp::socket socket) { Accepted(error, std::move(socket)); });
  }

  void Accepted(const error_code& error, tcp::socket socket) {
    if (stopping_) return;
    if (error && PassingAcceptError(error)) {
      acceptRetry_.expires_after(kAcceptRetry);
      acceptRetry_.async_wait([this](error_code waited) {
        if (!waited && !stopping_) Accept();
      });
      return;
    }
    if (error) {
      Log("the listening socket failed: " + error.message());
      listenerFailed_ = true;
      return BeginStop();
    }
    Admit(std::move(socket));
    Accept();
  }

  void Admit(tcp::socket socket) {
    error_code error;
    const auto remote = socket.remote_endpoint(error);
    if (error) return;
    const std::string peer = remote.address().to_string();
    const bool proxy = IsTrustedProxy(peer);
    size_t& fromPeer = perAddress_[peer];
    if (open_ >= limits_.mostConnections || (!proxy && fromPeer >= limits_.mostPerAddress)) {
      if (fromPeer == 0) perAddress_.erase(peer);
      return RefusedConnection();
    }
    ++fromPeer;
    ++open_;
    auto session = std::make_shared<THttpSession>(std::move(socket), peer, *this);
    sessions_[session.get()] = session;
    session->Start();
    PruneSessions();
  }

  bool IsTrustedProxy(const std::string& peer) const {
    const auto address = ParseIpAddress(peer);
    if (!address) return false;
    for (const auto& proxy : trustedProxies_)
      if (proxy == *address) return true;
    return false;
  }

  // A connection over the caps is closed unanswered; a flood of them is logged now and then.
  void RefusedConnection() {
    ++refused_;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastRefusalLog_ < kRefusalLogEvery) return;
    lastRefusalLog_ = now;
    Log("connections over the caps closed: " + std::to_string(refused_));
  }

  // Sessions remember themselves weakly; the ones gone are swept now and then.
  void PruneSessions() {
    if (sessions_.size() < 2 * open_ + 64) return;
    std::erase_if(sessions_, [](const auto& entry) { return entry.second.expired(); });
  }

  void BeginStop() {
    if (stopping_) return;
    stopping_ = true;
    error_code ignored;
    acceptor_.close(ignored);
    acceptRetry_.cancel();
    ForEachSession([](THttpSession& session) { session.Stop(); });
    stopTimer_.expires_after(limits_.stopWithin);
    stopTimer_.async_wait([this](error_code waited) {
      if (waited) return;
      ForEachSession([](THttpSession& session) { session.Abort(); });
      io_.stop();
    });
    EndWhenIdle();
  }

  // Once stopping, the last connection gone leaves only the stop timer turning the loop.
  void EndWhenIdle() {
    if (stopping_ && open_ == 0 && queued_ == 0) stopTimer_.cancel();
  }

  template <class F>
  void ForEachSession(F f) {
    for (auto& [raw, weak] : sessions_)
      if (auto session = weak.lock()) f(*session);
  }

  // Requests not yet begun are dropped; one that holds a worker past the deadline (a
  // database that does not answer) is left to the process's end.
  TFrontEnd WaitForWorkers() {
    workers_.stop();
    std::unique_lock lock(workMutex_);
    const bool idle =
        workersIdle_.wait_for(lock, limits_.stopWithin, [this] { return working_ == 0; });
    lock.unlock();
    if (listenerFailed_) return TFrontEnd::ListenerFailed;
    if (!idle) return TFrontEnd::Unfinished;
    workers_.join();
    return TFrontEnd::Stopped;
  }

  TRecordsService& service_;
  const std::vector<TIpAddress> trustedProxies_;
  const THttpLimits limits_;
  std::ostream& log_;
  std::mutex logMutex_;
  std::mutex workMutex_;
  std::condition_variable workersIdle_;
  int working_ = 0;
  std::unordered_map<THttpSession*, std::weak_ptr<THttpSession>> sessions_;
  std::unordered_map<std::string, size_t> perAddress_;
  size_t open_ = 0;
  size_t queued_ = 0;
  size_t refused_ = 0;
  std::chrono::steady_clock::time_point lastRefusalLog_{};
  bool stopping_ = false;
  bool listenerFailed_ = false;
  // Last, so that they go first: the sessions their handlers still hold report their end
  // to the counts above.
  asio::io_context io_{1};
  tcp::acceptor acceptor_;
  asio::steady_timer acceptRetry_;
  asio::steady_timer stopTimer_;
  asio::thread_pool workers_;
};

THttpFront::THttpFront(TRecordsService& service, int threads,
                       std::vector<TIpAddress> trustedProxies, const THttpLimits& limits,
                       std::ostream& log)
    : server_(std::make_unique<TServer>(service, threads, std::move(trustedProxies), limits, log)) {
}

THttpFront::~THttpFront() = default;

int THttpFront::Bind(const std::string& host, int port) {
  return server_->Bind(host, port);
}

TFrontEnd THttpFront::Run() {
  return server_->Run();
}

void THttpFront::Stop() {
  server_->Stop();
}

int THttpFront::ListeningSocket() {
  return server_->ListeningSocket();
}

void THttpFront::Log(const std::string& line) {
  server_->Log(line);
}

}  // namespace records
