#include "prefix_flood.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "attack_net.h"
#include "http_client.h"
#include "score/score_endpoint.h"
#include "score/score_record.h"

namespace bench {

namespace {

using TClock = std::chrono::steady_clock;

constexpr int kSenders = 32;
// A /24 may send ten times an address's rate: ten clients to a network keep each network
// within its limit too.
constexpr int kAddressesPerNetwork = 10;
constexpr int kNetworkShare = 10;
constexpr int kSourceBlock = 20;
constexpr const char* kForwardedNewcomer = "192.0.2.1";
constexpr const char* kSourceNewcomer = "127.250.0.1";

struct TFloodTally {
  std::atomic<int64_t> taken{0};
  std::atomic<int64_t> repeats{0};
  std::atomic<int64_t> tooMany{0};  // 429
  std::atomic<int64_t> other{0};    // any other answer, or none
};

enum class TOutcome { Taken, Repeat, TooMany, Other };

// The client's address: 10.n.n.h as its proxy names it, or 127.(20+n).n.h to connect from.
std::string ClientAddress(int index, TFloodRoute route) {
  const int network = index / kAddressesPerNetwork;
  const int host = index % kAddressesPerNetwork + 1;
  if (route == TFloodRoute::Source)
    return LoopbackAddress(kSourceBlock + network / 256, (network % 256) * 250 + host - 1)
        .to_string();
  return "10." + std::to_string(network / 256 % 256) + "." + std::to_string(network % 256) + "." +
         std::to_string(host);
}

std::string SubmitPath(int client, int count) {
  const std::string name = "f" + std::to_string(client) + "r" + std::to_string(count);
  return std::string(score::kEndpointPath) + "?" + score::kSubmitQueryHead +
         score::EncodeScoreRecord(score::BuildScoreRecord(name, 5 * (count + 1), "RU"));
}

TOutcome Classify(const std::optional<TAnswer>& answer) {
  if (!answer) return TOutcome::Other;
  // "Результат принят." is a new record; "уже принят" a repeat.
  if (answer->status == 200)
    return answer->body.find("уже") == std::string::npos ? TOutcome::Taken : TOutcome::Repeat;
  return answer->status == 429 ? TOutcome::TooMany : TOutcome::Other;
}

void Tally(TOutcome outcome, TFloodTally& tally) {
  switch (outcome) {
    case TOutcome::Taken:
      ++tally.taken;
      break;
    case TOutcome::Repeat:
      ++tally.repeats;
      break;
    case TOutcome::TooMany:
      ++tally.tooMany;
      break;
    case TOutcome::Other:
      ++tally.other;
      break;
  }
}

// One client's records, through the proxy's connection or from its own address.
void SendAs(const TPrefixFlood& flood, int client, const std::string& address, THttpClient& proxy,
            TFloodTally& tally) {
  if (flood.route == TFloodRoute::Forwarded) {
    for (int r = 0; r < flood.eachSends; ++r)
      Tally(Classify(proxy.Get(SubmitPath(client, r), {{"X-Forwarded-For", address}})), tally);
    return;
  }
  THttpClient own(flood.host, flood.port, address);
  for (int r = 0; r < flood.eachSends; ++r) Tally(Classify(own.Get(SubmitPath(client, r))), tally);
}

// What the limits let through: each address its rate, each /24 ten times that.
int64_t Allowed(const TPrefixFlood& flood) {
  if (flood.perMinute == 0) return int64_t{flood.addresses} * flood.eachSends;
  const int64_t perAddress = std::min(flood.eachSends, flood.perMinute);
  int64_t allowed = 0;
  for (int first = 0; first < flood.addresses; first += kAddressesPerNetwork) {
    const int64_t clients = std::min(kAddressesPerNetwork, flood.addresses - first);
    allowed += std::min(clients * perAddress, int64_t{kNetworkShare} * flood.perMinute);
  }
  return allowed;
}

TOutcome SendAsNewcomer(const TPrefixFlood& flood) {
  const int client = flood.addresses;  // a name no flooder used
  if (flood.route == TFloodRoute::Source) {
    THttpClient own(flood.host, flood.port, kSourceNewcomer);
    return Classify(own.Get(SubmitPath(client, 0)));
  }
  THttpClient proxy(flood.host, flood.port);
  return Classify(proxy.Get(SubmitPath(client, 0), {{"X-Forwarded-For", kForwardedNewcomer}}));
}

}  // namespace

int RunPrefixFlood(const TPrefixFlood& flood) {
  TFloodTally tally;
  std::atomic<int> next{0};
  const auto start = TClock::now();
  std::vector<std::thread> senders;
  for (int s = 0; s < kSenders; ++s) {
    senders.emplace_back([&] {
      THttpClient proxy(flood.host, flood.port);
      for (int client = next++; client < flood.addresses; client = next++)
        SendAs(flood, client, ClientAddress(client, flood.route), proxy, tally);
    });
  }
  for (auto& sender : senders) sender.join();
  const double took = std::chrono::duration<double>(TClock::now() - start).count();
  const TOutcome newcomer = SendAsNewcomer(flood);

  static const char* const kOutcomeNames[] = {"taken", "a-repeat", "refused-429", "not-answered"};
  std::printf(
      "sent=%lld taken=%lld repeats=%lld too_many=%lld other=%lld allowed=%lld flood_s=%.1f "
      "newcomer=%s\n",
      static_cast<long long>(int64_t{flood.addresses} * flood.eachSends),
      static_cast<long long>(tally.taken.load()), static_cast<long long>(tally.repeats.load()),
      static_cast<long long>(tally.tooMany.load()), static_cast<long long>(tally.other.load()),
      static_cast<long long>(Allowed(flood)), took, kOutcomeNames[static_cast<int>(newcomer)]);
  return 0;
}

}  // namespace bench
