#include "ip_address.h"

#include <arpa/inet.h>

#include <algorithm>

namespace records {

namespace {

constexpr size_t kV4Offset = 12;  // where ::ffff:a.b.c.d keeps a.b.c.d
constexpr std::array<uint8_t, kV4Offset> kV4MappedHead = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff};
constexpr size_t kLongestAddressText = 64;

std::string Key(const char* kind, const TIpAddress& address, size_t from, size_t bytes) {
  std::string key = kind;
  key.append(reinterpret_cast<const char*>(address.bytes.data()) + from, bytes);
  return key;
}

}  // namespace

std::optional<TIpAddress> ParseIpAddress(std::string_view text) {
  if (text.empty() || text.size() > kLongestAddressText) return std::nullopt;
  const std::string terminated(text);
  TIpAddress address;
  if (inet_pton(AF_INET, terminated.c_str(), address.bytes.data() + kV4Offset) == 1) {
    std::copy(kV4MappedHead.begin(), kV4MappedHead.end(), address.bytes.begin());
    address.v4 = true;
    return address;
  }
  if (inet_pton(AF_INET6, terminated.c_str(), address.bytes.data()) != 1) return std::nullopt;
  address.v4 = std::equal(kV4MappedHead.begin(), kV4MappedHead.end(), address.bytes.begin());
  return address;
}

std::vector<TAddressPrefix> AddressPrefixes(const std::string& address, int v4NetworkShare,
                                            int v6NetworkShare) {
  const auto parsed = ParseIpAddress(address);
  if (!parsed) return {{"text " + address, 1, false}};
  if (parsed->v4)
    return {{Key("v4/32 ", *parsed, kV4Offset, 4), 1, false},
            {Key("v4/24 ", *parsed, kV4Offset, 3), v4NetworkShare, true}};
  return {{Key("v6/64 ", *parsed, 0, 8), v6NetworkShare, true}};
}

}  // namespace records
