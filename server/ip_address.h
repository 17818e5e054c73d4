#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace records {

// An IPv4 or IPv6 address as 16 bytes; an IPv4 address, and an IPv6 one that maps it
// (::ffff:a.b.c.d, as a dual-stack socket reports IPv4 peers), are the same one.
struct TIpAddress {
  std::array<uint8_t, 16> bytes{};
  bool v4 = false;

  bool operator==(const TIpAddress&) const = default;
};

// Exactly an address as text ("192.0.2.1", "2001:db8::1"): no port, brackets or spaces.
std::optional<TIpAddress> ParseIpAddress(std::string_view text);

// A part of the address space counted as one client, and how many of the per-address
// submissions it may send (1 for an address, more for a network several clients share).
struct TAddressPrefix {
  std::string key;  // "v4/32 …", "v4/24 …", "v6/64 …": the prefix's bytes, never kept as such
  int share = 1;
  bool network = false;  // a /24 or a /64 rather than one address
};

// The prefixes a client's address is counted in: an IPv4 address and its /24, an IPv6 /64
// (one site: an address of its own means nothing there). Text that is no address counts as
// an address of its own.
std::vector<TAddressPrefix> AddressPrefixes(const std::string& address, int v4NetworkShare,
                                            int v6NetworkShare);

}  // namespace records
