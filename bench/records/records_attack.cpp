// perolet-records-attack: what one person can throw at a public records server, on loopback,
// against a running perolet-records; each attack prints its figures on one line.
//   perolet-records-attack slow PORT TRICKLING IDLE SECONDS
//   perolet-records-attack headers PORT PID CONNECTIONS SECONDS GIVE_UP_MB
//   perolet-records-attack prefixes PORT ADDRESSES EACH RATE forwarded|source
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "header_flood.h"
#include "prefix_flood.h"
#include "slow_clients.h"

namespace {

constexpr const char* kUsage =
    "usage: perolet-records-attack slow PORT TRICKLING IDLE SECONDS\n"
    "       perolet-records-attack headers PORT PID CONNECTIONS SECONDS GIVE_UP_MB\n"
    "       perolet-records-attack prefixes PORT ADDRESSES EACH RATE forwarded|source\n";
constexpr const char* kHost = "127.0.0.1";

int Number(const std::string& text) {
  return std::atoi(text.c_str());
}

int Attack(const std::vector<std::string>& args) {
  const std::string& attack = args[0];
  const boost::asio::ip::tcp::endpoint server(boost::asio::ip::make_address(kHost),
                                              static_cast<unsigned short>(Number(args[1])));
  if (attack == "slow" && args.size() == 5)
    return bench::RunSlowClients(server, Number(args[2]), Number(args[3]), Number(args[4]));
  if (attack == "headers" && args.size() == 6)
    return bench::RunHeaderFlood(server, Number(args[2]), Number(args[3]), Number(args[4]),
                                 Number(args[5]));
  if (attack == "prefixes" && args.size() == 6) {
    bench::TPrefixFlood flood{kHost,           Number(args[1]), Number(args[2]),
                              Number(args[3]), Number(args[4]), bench::TFloodRoute::Forwarded};
    if (args[5] == "source") flood.route = bench::TFloodRoute::Source;
    return bench::RunPrefixFlood(flood);
  }
  std::fputs(kUsage, stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  return Attack(std::vector<std::string>(argv + 1, argv + argc));
}
