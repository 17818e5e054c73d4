#include "header_flood.h"

#include <algorithm>
#include <atomic>
#include <boost/asio/io_context.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/write.hpp>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "attack_net.h"

namespace bench {

namespace {

namespace asio = boost::asio;
using tcp = asio::ip::tcp;
using TClock = std::chrono::steady_clock;

constexpr auto kRedialPause = std::chrono::milliseconds(50);
constexpr auto kMemoryEvery = std::chrono::milliseconds(100);
constexpr auto kSettle = std::chrono::seconds(2);
constexpr int kClientsPerAddress = 64;
constexpr int kAddressBlock = 11;
constexpr char kHeadStart[] = "GET / HTTP/1.1\r\nHost: x\r\n";
constexpr std::string_view kHeaderLine = "X-Flood: aaaaaaaaaa\r\n";
constexpr size_t kChunkBytes = 16 * 1024;
// A small send buffer: what counts as sent has nearly all reached the server, rather than
// waiting in the kernel for a server that has already closed.
constexpr int kSendBufferBytes = 16 * 1024;

struct TFloodTally {
  std::atomic<int64_t> sent{0};
  std::atomic<int> answers431{0};
  std::atomic<int> otherAnswers{0};
  std::atomic<int> closedByServer{0};
};

// Many small header lines, as much as a write takes at once.
std::string FloodChunk() {
  std::string chunk;
  while (chunk.size() + kHeaderLine.size() <= kChunkBytes) chunk += kHeaderLine;
  return chunk;
}

// One flooder: a request line, then header lines for ever; an answer is counted, and a
// closed connection is opened again.
class TFlooder {
 public:
  TFlooder(asio::io_context& io, tcp::endpoint server, asio::ip::address source,
           const std::string& chunk, TFloodTally& tally)
      : socket_(io), timer_(io), server_(server), source_(source), chunk_(chunk), tally_(tally) {}

  void Dial() {
    boost::system::error_code error;
    OpenFrom(socket_, source_, error);
    if (!error) socket_.set_option(asio::socket_base::send_buffer_size(kSendBufferBytes), error);
    if (error) return Redial();
    const auto generation = generation_;
    socket_.async_connect(server_, [this, generation](boost::system::error_code error) {
      if (generation != generation_) return;
      if (error) return Redial();
      answered_ = false;
      Listen();
      Send(asio::buffer(kHeadStart, sizeof kHeadStart - 1));
    });
  }

 private:
  void Send(asio::const_buffer bytes) {
    const auto generation = generation_;
    asio::async_write(socket_, bytes,
                      [this, generation](boost::system::error_code error, size_t sent) {
                        if (generation != generation_ || error)
                          return;  // the reader sees the close
                        tally_.sent += static_cast<int64_t>(sent);
                        Send(asio::buffer(chunk_));
                      });
  }

  void Listen() {
    const auto generation = generation_;
    socket_.async_read_some(asio::buffer(scrap_),
                            [this, generation](boost::system::error_code error, size_t got) {
                              if (generation != generation_) return;
                              if (error) {
                                ++tally_.closedByServer;
                                return Redial();
                              }
                              if (!answered_) Count(std::string_view(scrap_, got));
                              answered_ = true;
                              Listen();
                            });
  }

  void Count(std::string_view answer) {
    if (answer.substr(0, 12) == "HTTP/1.1 431")
      ++tally_.answers431;
    else
      ++tally_.otherAnswers;
  }

  void Redial() {
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
  const std::string& chunk_;
  TFloodTally& tally_;
  uint64_t generation_ = 0;
  bool answered_ = false;
  char scrap_[4096];
};

}  // namespace

int RunHeaderFlood(const tcp::endpoint& server, int pid, int connections, int seconds,
                   int giveUpMb) {
  RaiseOpenFilesLimit();
  const double idleMb = ResidentMb(pid);
  const std::string chunk = FloodChunk();
  asio::io_context io;
  TFloodTally tally;
  std::vector<std::unique_ptr<TFlooder>> flooders;
  for (int i = 0; i < connections; ++i) {
    const auto source = LoopbackAddress(kAddressBlock, i / kClientsPerAddress);
    flooders.push_back(std::make_unique<TFlooder>(io, server, source, chunk, tally));
    flooders.back()->Dial();
  }
  std::thread loop([&io] { io.run(); });

  double peakMb = idleMb;
  const auto start = TClock::now();
  const auto end = start + std::chrono::seconds(seconds);
  while (TClock::now() < end && peakMb - idleMb < giveUpMb) {
    std::this_thread::sleep_for(kMemoryEvery);
    peakMb = std::max(peakMb, ResidentMb(pid));
  }
  const double floodSeconds = std::chrono::duration<double>(TClock::now() - start).count();
  io.stop();
  loop.join();
  flooders.clear();  // every connection closed: what the server keeps now, it keeps for good
  std::this_thread::sleep_for(kSettle);
  const double afterMb = ResidentMb(pid);

  std::printf(
      "idle_rss_mb=%.1f peak_rss_mb=%.1f after_rss_mb=%.1f sent_mb=%.1f flood_s=%.1f "
      "connections=%d answers_431=%d other_answers=%d closed_by_server=%d\n",
      idleMb, peakMb, afterMb, static_cast<double>(tally.sent) / (1024 * 1024), floodSeconds,
      connections, tally.answers431.load(), tally.otherAnswers.load(), tally.closedByServer.load());
  return 0;
}

}  // namespace bench
