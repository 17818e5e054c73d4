#include "slow_clients.h"

#include <atomic>
#include <boost/asio/connect.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/write.hpp>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

#include "attack_net.h"
#include "score/score_endpoint.h"
#include "timed_get.h"

namespace bench {

namespace {

namespace asio = boost::asio;
using tcp = asio::ip::tcp;
using TClock = std::chrono::steady_clock;

constexpr auto kDrip = std::chrono::seconds(2);
constexpr auto kConnectDeadline = std::chrono::seconds(10);
constexpr auto kRedialPause = std::chrono::milliseconds(200);
constexpr auto kVisitorLimit = std::chrono::milliseconds(5000);
constexpr auto kLongestRampUp = std::chrono::seconds(30);
// Fewer than the server's 256 per address: its per-address cap is not what is tested here.
constexpr int kClientsPerAddress = 100;
constexpr int kAddressBlock = 10;
constexpr char kHeadStart[] = "GET / HTTP/1.1\r\nHost: x\r\nX-Slow: ";

struct TCrowdTally {
  std::atomic<int> open{0};
  std::atomic<int64_t> closedByServer{0};
};

// One attacker: connects, then trickles its never-ending head or sends nothing, and comes
// back whenever the server closes it. Handlers of an earlier connection (told by their
// generation) are ignored once it has been replaced.
class TSlowClient {
 public:
  TSlowClient(asio::io_context& io, tcp::endpoint server, asio::ip::address source, bool trickles,
              TCrowdTally& tally)
      : socket_(io),
        timer_(io),
        server_(server),
        source_(source),
        trickles_(trickles),
        tally_(tally) {}

  void Dial() {
    boost::system::error_code error;
    OpenFrom(socket_, source_, error);
    if (error) return Redial();
    const auto generation = generation_;
    socket_.async_connect(server_, [this, generation](boost::system::error_code error) {
      if (generation == generation_) OnConnected(error);
    });
    timer_.expires_after(kConnectDeadline);
    timer_.async_wait([this, generation](boost::system::error_code error) {
      if (!error && generation == generation_ && !open_) Redial();
    });
  }

 private:
  void OnConnected(boost::system::error_code error) {
    if (error) return Redial();
    open_ = true;
    ++tally_.open;
    timer_.cancel();
    AwaitClose();
    if (!trickles_) return;
    const auto generation = generation_;
    asio::async_write(socket_, asio::buffer(kHeadStart, sizeof kHeadStart - 1),
                      [this, generation](boost::system::error_code error, size_t) {
                        if (!error && generation == generation_) Drip();
                      });
  }

  void Drip() {
    const auto generation = generation_;
    timer_.expires_after(kDrip);
    timer_.async_wait([this, generation](boost::system::error_code error) {
      if (error || generation != generation_) return;
      asio::async_write(socket_, asio::buffer("a", 1),
                        [this, generation](boost::system::error_code error, size_t) {
                          if (!error && generation == generation_) Drip();
                        });
    });
  }

  // Whatever the server says (a 408, a 400) it is only waited out until it closes.
  void AwaitClose() {
    const auto generation = generation_;
    socket_.async_read_some(asio::buffer(scrap_),
                            [this, generation](boost::system::error_code error, size_t) {
                              if (generation != generation_) return;
                              if (!error) return AwaitClose();
                              ++tally_.closedByServer;
                              Redial();
                            });
  }

  void Redial() {
    if (open_) --tally_.open;
    open_ = false;
    ++generation_;
    boost::system::error_code ignored;
    socket_.close(ignored);
    const auto generation = generation_;
    timer_.expires_after(kRedialPause);
    timer_.async_wait([this, generation](boost::system::error_code error) {
      if (!error && generation == generation_) Dial();
    });
  }

  tcp::socket socket_;
  asio::steady_timer timer_;
  tcp::endpoint server_;
  asio::ip::address source_;
  bool trickles_;
  TCrowdTally& tally_;
  bool open_ = false;
  uint64_t generation_ = 0;
  char scrap_[512];
};

struct TVisitorTally {
  std::vector<double> ms;
  int failed = 0;  // no 200 within the limit
  double heldSum = 0;
};

// The visitor asks for the page over and over, each time on a new connection, noting the
// attackers held at that moment.
TVisitorTally Visit(const tcp::endpoint& server, int seconds, const TCrowdTally& crowd) {
  asio::io_context io;
  const std::string page = std::string(score::kEndpointPath) + "?" + score::kPageQuery;
  TVisitorTally tally;
  const auto end = TClock::now() + std::chrono::seconds(seconds);
  while (TClock::now() < end) {
    const TTimedAnswer answer = TimedGet(io, server, page, kVisitorLimit);
    tally.ms.push_back(answer.ms);
    if (answer.status != 200) ++tally.failed;
    tally.heldSum += crowd.open;
  }
  return tally;
}

}  // namespace

int RunSlowClients(const tcp::endpoint& server, int trickling, int idle, int seconds) {
  const size_t files = RaiseOpenFilesLimit();
  asio::io_context io;
  TCrowdTally crowd;
  std::vector<std::unique_ptr<TSlowClient>> clients;
  for (int i = 0; i < trickling + idle; ++i) {
    const auto source = LoopbackAddress(kAddressBlock, i / kClientsPerAddress);
    clients.push_back(std::make_unique<TSlowClient>(io, server, source, i < trickling, crowd));
    clients.back()->Dial();
  }
  std::thread loop([&io] { io.run(); });

  const auto rampStart = TClock::now();
  while (crowd.open < trickling + idle && TClock::now() - rampStart < kLongestRampUp)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  const int heldAtStart = crowd.open;
  const double rampSeconds = std::chrono::duration<double>(TClock::now() - rampStart).count();

  TVisitorTally visitor = Visit(server, seconds, crowd);
  io.stop();
  loop.join();

  const size_t asked = visitor.ms.size();
  std::printf(
      "requests=%zu failed=%d median_ms=%.1f p99_ms=%.1f attackers=%d held_at_start=%d "
      "held_mean=%.0f ramp_up_s=%.1f closed_by_server=%lld open_files_limit=%zu\n",
      asked, visitor.failed, Percentile(visitor.ms, 50), Percentile(visitor.ms, 99),
      trickling + idle, heldAtStart, asked ? visitor.heldSum / static_cast<double>(asked) : 0,
      rampSeconds, static_cast<long long>(crowd.closedByServer.load()), files);
  return 0;
}

}  // namespace bench
