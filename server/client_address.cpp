#include "client_address.h"

#include <algorithm>
#include <optional>

namespace records {

namespace {

// A header longer than this is not a proxy's.
constexpr size_t kLongestForwardedFor = 4096;

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool Trusted(const TIpAddress& address, const std::vector<TIpAddress>& trustedProxies) {
  return std::find(trustedProxies.begin(), trustedProxies.end(), address) != trustedProxies.end();
}

// The header's addresses left to right as written, or nothing when any part is no address.
std::optional<std::vector<std::string_view>> ForwardedAddresses(std::string_view header) {
  if (header.size() > kLongestForwardedFor) return std::nullopt;
  std::vector<std::string_view> addresses;
  size_t from = 0;
  for (;;) {
    const size_t comma = header.find(',', from);
    const std::string_view part = Trimmed(header.substr(from, comma - from));
    if (!ParseIpAddress(part)) return std::nullopt;
    addresses.push_back(part);
    if (comma == std::string_view::npos) return addresses;
    from = comma + 1;
  }
}

}  // namespace

std::string ClientAddress(const std::string& peer, const std::string& forwardedFor,
                          const std::vector<TIpAddress>& trustedProxies) {
  const auto peerAddress = ParseIpAddress(peer);
  if (forwardedFor.empty() || !peerAddress || !Trusted(*peerAddress, trustedProxies)) return peer;
  const auto addresses = ForwardedAddresses(forwardedFor);
  if (!addresses) return peer;
  for (auto it = addresses->rbegin(); it != addresses->rend(); ++it)
    if (!Trusted(*ParseIpAddress(*it), trustedProxies)) return std::string(*it);
  // Only proxies of ours on the way: the farthest one is the client.
  return std::string(addresses->front());
}

}  // namespace records
