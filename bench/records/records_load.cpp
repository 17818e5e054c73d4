// perolet-records-load: clients that each send a result and read the page in turn, for a
// while, against a running perolet-records; prints what the server took and how fast. Given
// targets, the clients only read those, each client from the next one in turn.
//   perolet-records-load HOST PORT CLIENTS SECONDS [TARGET...]
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "http_client.h"
#include "score/score_endpoint.h"
#include "score/score_record.h"

namespace {

using TClock = std::chrono::steady_clock;

struct TClientTally {
  std::vector<double> pageMs;
  std::vector<double> submitMs;
  int64_t stored = 0;
  int64_t refused = 0;  // any answer but a first "taken"
};

// Every record differs (client and count in the name and the score), so none is a repeat.
std::string SubmitPath(int client, int64_t count) {
  const std::string name = "c" + std::to_string(client) + "n" + std::to_string(count);
  const int32_t points = static_cast<int32_t>((count % 1'000'000) * 5);
  return std::string(score::kEndpointPath) + "?" + score::kSubmitQueryHead +
         score::EncodeScoreRecord(score::BuildScoreRecord(name, points, "RU"));
}

double MsSince(TClock::time_point start) {
  return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
}

// Reads the targets in turn, starting at the client's own, so the clients spread over them.
void RunReader(const std::string& host, int port, int client,
               const std::vector<std::string>& targets, TClock::time_point end,
               TClientTally& tally) {
  bench::THttpClient http(host, port);
  for (size_t turn = static_cast<size_t>(client); TClock::now() < end; ++turn) {
    const auto start = TClock::now();
    const auto read = http.Get(targets[turn % targets.size()]);
    tally.pageMs.push_back(MsSince(start));
    if (!read || read->status != 200) ++tally.refused;
  }
}

void RunClient(const std::string& host, int port, int client, TClock::time_point end,
               TClientTally& tally) {
  bench::THttpClient http(host, port);
  const std::string page = std::string(score::kEndpointPath) + "?" + score::kPageQuery;
  for (int64_t count = 0; TClock::now() < end; ++count) {
    auto start = TClock::now();
    const auto sent = http.Get(SubmitPath(client, count));
    tally.submitMs.push_back(MsSince(start));
    // "Результат принят." is a new record; "уже принят" a repeat.
    if (sent && sent->status == 200 && sent->body.find("уже") == std::string::npos)
      ++tally.stored;
    else
      ++tally.refused;
    start = TClock::now();
    const auto read = http.Get(page);
    tally.pageMs.push_back(MsSince(start));
    if (!read || read->status != 200) ++tally.refused;
  }
}

double Percentile(std::vector<double>& values, int percent) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, values.size() * static_cast<size_t>(percent) / 100)];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: perolet-records-load HOST PORT CLIENTS SECONDS [TARGET...]\n");
    return 2;
  }
  const std::string host = argv[1];
  const int port = std::atoi(argv[2]);
  const int clients = std::max(1, std::atoi(argv[3]));
  const int seconds = std::max(1, std::atoi(argv[4]));
  const std::vector<std::string> targets(argv + 5, argv + argc);
  std::vector<TClientTally> tallies(static_cast<size_t>(clients));
  const auto start = TClock::now();
  const auto end = start + std::chrono::seconds(seconds);
  std::vector<std::thread> threads;
  for (int c = 0; c < clients; ++c) {
    auto& tally = tallies[static_cast<size_t>(c)];
    if (targets.empty())
      threads.emplace_back(RunClient, host, port, c, end, std::ref(tally));
    else
      threads.emplace_back(RunReader, host, port, c, std::cref(targets), end, std::ref(tally));
  }
  for (auto& thread : threads) thread.join();
  const double took = MsSince(start) / 1000;

  TClientTally all;
  for (auto& t : tallies) {
    all.pageMs.insert(all.pageMs.end(), t.pageMs.begin(), t.pageMs.end());
    all.submitMs.insert(all.submitMs.end(), t.submitMs.begin(), t.submitMs.end());
    all.stored += t.stored;
    all.refused += t.refused;
  }
  std::printf(
      "stored=%lld refused=%lld submissions_per_s=%.0f pages_per_s=%.0f "
      "page_median_ms=%.2f page_p99_ms=%.2f submit_median_ms=%.2f submit_p99_ms=%.2f\n",
      static_cast<long long>(all.stored), static_cast<long long>(all.refused),
      static_cast<double>(all.submitMs.size()) / took,
      static_cast<double>(all.pageMs.size()) / took, Percentile(all.pageMs, 50),
      Percentile(all.pageMs, 99), Percentile(all.submitMs, 50), Percentile(all.submitMs, 99));
  return all.refused == 0 ? 0 : 1;
}
