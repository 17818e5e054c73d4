// perolet-records-replay-load: clients that each send a record and then its game's replay, as
// the game does, at a steady pace, against a running perolet-records that trusts this host as
// its proxy: each record names an address of its own in X-Forwarded-For, so none is a repeat.
// Prints what the server took.
//   perolet-records-replay-load HOST PORT CLIENTS SECONDS PER_SECOND SYMBOLS REPLAY_FILE
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "http_client.h"
#include "score/score_endpoint.h"

namespace {

using TClock = std::chrono::steady_clock;

struct TTally {
  int64_t records = 0;  // records taken
  int64_t taken = 0;    // replays answered 202
  int64_t busy = 0;     // replays answered 503: the queue was full
  int64_t failed = 0;   // anything else
};

struct TLoad {
  std::string host;
  int port = 0;
  int clients = 1;
  TClock::time_point start, end;
  std::chrono::duration<double> period{1};  // between one client's records
  std::string symbols;
  std::string replay;
};

// 10.C.N.N: the client's own /16, a new address for each record.
std::string Address(int client, int64_t count) {
  return "10." + std::to_string(client % 256) + "." + std::to_string((count / 256) % 256) + "." +
         std::to_string(count % 256);
}

void RunClient(const TLoad& load, int client, TTally& tally) {
  bench::THttpClient http(load.host, load.port);
  const std::string record =
      std::string(score::kEndpointPath) + "?" + score::kSubmitQueryHead + load.symbols;
  const std::string upload =
      std::string(score::kReplayPath) + "?" + score::kReplayQueryHead + load.symbols;
  const auto first = load.start + load.period * (static_cast<double>(client) / load.clients);
  for (int64_t count = 0;; ++count) {
    const auto due = first + load.period * static_cast<double>(count);
    if (due >= load.end) return;
    std::this_thread::sleep_until(std::chrono::time_point_cast<TClock::duration>(due));
    const bench::TFields from = {{"X-Forwarded-For", Address(client, count)}};
    const auto sent = http.Get(record, from);
    if (!sent || sent->status != 200) {
      ++tally.failed;
      continue;
    }
    ++tally.records;
    const auto uploaded = http.Post(upload, load.replay, from);
    const int status = uploaded ? uploaded->status : 0;
    ++(status == 202 ? tally.taken : status == 503 ? tally.busy : tally.failed);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 8) {
    std::fprintf(stderr,
                 "usage: perolet-records-replay-load HOST PORT CLIENTS SECONDS PER_SECOND "
                 "SYMBOLS REPLAY_FILE\n");
    return 2;
  }
  TLoad load;
  load.host = argv[1];
  load.port = std::atoi(argv[2]);
  load.clients = std::max(1, std::atoi(argv[3]));
  const double seconds = std::max(1.0, std::atof(argv[4]));
  const double perSecond = std::max(0.01, std::atof(argv[5]));
  load.symbols = argv[6];
  std::ifstream file(argv[7], std::ios::binary);
  load.replay.assign(std::istreambuf_iterator<char>(file), {});
  if (!file || load.replay.empty()) {
    std::fprintf(stderr, "perolet-records-replay-load: cannot read %s\n", argv[7]);
    return 2;
  }
  load.period = std::chrono::duration<double>(load.clients / perSecond);
  load.start = TClock::now();
  load.end = load.start +
             std::chrono::duration_cast<TClock::duration>(std::chrono::duration<double>(seconds));
  std::vector<TTally> tallies(static_cast<size_t>(load.clients));
  std::vector<std::thread> threads;
  for (int c = 0; c < load.clients; ++c)
    threads.emplace_back(RunClient, std::cref(load), c, std::ref(tallies[static_cast<size_t>(c)]));
  for (auto& thread : threads) thread.join();
  TTally all;
  for (const TTally& t : tallies) {
    all.records += t.records;
    all.taken += t.taken;
    all.busy += t.busy;
    all.failed += t.failed;
  }
  std::printf("records=%lld replays_taken=%lld replays_busy=%lld failed=%lld\n",
              static_cast<long long>(all.records), static_cast<long long>(all.taken),
              static_cast<long long>(all.busy), static_cast<long long>(all.failed));
  return all.failed == 0 ? 0 : 1;
}
