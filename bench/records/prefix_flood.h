#pragma once

#include <string>

namespace bench {

// How the flood's many clients reach the server: through a trusted proxy on 127.0.0.1 naming
// each in X-Forwarded-For, or each from a loopback address of its own (servers without
// --trusted-proxy).
enum class TFloodRoute { Forwarded, Source };

struct TPrefixFlood {
  std::string host;
  int port = 0;
  int addresses = 0;  // clients, ten to each /24 network
  int eachSends = 0;  // records from each client
  int perMinute = 0;  // the server's --rate, to say what the limits allow
  TFloodRoute route = TFloodRoute::Forwarded;
};

// Many clients each send their records, staying within the per-address and per-network rates;
// then a client never seen before sends one. Prints what was taken, what the limits allow,
// and what the newcomer was answered.
int RunPrefixFlood(const TPrefixFlood& flood);

}  // namespace bench
