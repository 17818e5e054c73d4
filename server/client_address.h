#pragma once

#include <string>
#include <vector>

#include "ip_address.h"

namespace records {

// Whose submission it is. Behind a reverse proxy every connection comes from the proxy, which
// names the client in X-Forwarded-For; the header is believed only from a proxy we trust, or
// anyone could name any address and escape the rate. The client is the right-most address
// there that is not a trusted proxy itself (the ones to its left were written by the client).
// A header that is not a comma-separated list of addresses leaves the peer's address.
//   forwardedFor: every X-Forwarded-For header in order, joined by commas; empty for none.
std::string ClientAddress(const std::string& peer, const std::string& forwardedFor,
                          const std::vector<TIpAddress>& trustedProxies);

}  // namespace records
