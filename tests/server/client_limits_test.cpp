#include "client_limits.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "ip_address.h"

namespace {

constexpr int64_t kNoon = 1'796'822'400'000;
constexpr int kPerMinute = 10;
constexpr int kFloodAddresses = 20'000;
constexpr int kFloodRecords = kFloodAddresses * kPerMinute;
constexpr int64_t kFloodMs = 29'000;  // as fast as the flood that once locked everyone out

std::string V4(int n) {
  return "10." + std::to_string(n >> 16 & 255) + "." + std::to_string(n >> 8 & 255) + "." +
         std::to_string(n & 255);
}

std::string Hex(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "%x", n);
  return text;
}

// A flood of 200 000 records from 20 000 addresses, each address within its own rate, sent in
// turns over 29 s; a flooded prefix stays hot, however many addresses pass through the table.
TEST(ClientLimits, AFloodStoresNoMoreThanItsPrefixesAllowAndLocksNobodyOut) {
  struct TCase {
    const char* flood;
    std::function<std::string(int)> address;
    int64_t prefixes;          // the /24s or /64s the flood comes from
    int64_t prefixesMayStore;  // what each of them may store in 29 s
  };
  const int64_t netBurst = kPerMinute * records::TClientLimits::kV4NetworkShare;
  const int64_t v6Burst = kPerMinute * records::TClientLimits::kV6NetworkShare;
  const TCase cases[] = {
      {"a block of 79 /24s", V4, 79, netBurst + netBurst * kFloodMs / 60'000},
      {"one /24, its 256 addresses again and again", [](int n) { return V4(n & 255); }, 1,
       netBurst + netBurst * kFloodMs / 60'000},
      {"one /24 as v4-mapped v6", [](int n) { return "::ffff:" + V4(n & 255); }, 1,
       netBurst + netBurst * kFloodMs / 60'000},
      {"one /64", [](int n) { return "2001:db8:0:7::" + Hex(n); }, 1,
       v6Burst + v6Burst * kFloodMs / 60'000},
      {"20 000 /24s", [](int n) { return V4(n << 8); }, kFloodAddresses, kPerMinute},
  };
  // The shipped table, and one that holds a fifth of the flood's addresses.
  for (const size_t capacity : {records::TClientLimits::kMostEntries, size_t{4096}})
    for (const TCase& c : cases) {
      records::TClientLimits limits(kPerMinute, capacity);
      int64_t stored = 0;
      for (int i = 0; i < kFloodRecords; ++i) {
        const int64_t now = kNoon + kFloodMs * i / kFloodRecords;
        const std::string address = c.address(i % kFloodAddresses);
        if (limits.Admit(address, "record " + std::to_string(i), now) == records::TVerdict::Store)
          ++stored;
      }
      EXPECT_LE(stored, c.prefixes * c.prefixesMayStore) << c.flood << " in " << capacity;
      EXPECT_GT(stored, 0) << c.flood << " in " << capacity;
      const int64_t after = kNoon + kFloodMs;
      EXPECT_EQ(limits.Admit("198.51.100.7", "new player", after), records::TVerdict::Store)
          << c.flood << " in " << capacity;
      EXPECT_EQ(limits.Admit("2001:db8:1::5", "new player", after), records::TVerdict::Store)
          << c.flood << " in " << capacity;
      EXPECT_LE(limits.Remembered(), 3 * capacity) << c.flood << " in " << capacity;
    }
}

TEST(ClientLimits, CountsAnAddressWithItsNetwork) {
  struct TCase {
    const char* address;
    const char* sameAs;     // counted as this one: the same prefixes
    const char* neighbour;  // shares only the network
  };
  const TCase cases[] = {
      {"192.0.2.1", "::ffff:192.0.2.1", "192.0.2.200"},
      {"::ffff:192.0.2.1", "192.0.2.1", "::ffff:192.0.2.2"},
      {"2001:db8:0:7::1", "2001:db8:0:7:ffff::9", "2001:db8:0:7::2"},
  };
  for (const TCase& c : cases) {
    const auto prefixes = records::AddressPrefixes(c.address, 10, 5);
    const auto same = records::AddressPrefixes(c.sameAs, 10, 5);
    const auto neighbour = records::AddressPrefixes(c.neighbour, 10, 5);
    ASSERT_EQ(prefixes.size(), same.size()) << c.address;
    ASSERT_EQ(prefixes.size(), neighbour.size()) << c.address;
    for (size_t i = 0; i < prefixes.size(); ++i) {
      EXPECT_EQ(prefixes[i].key, same[i].key) << c.address << " #" << i;
      EXPECT_EQ(prefixes[i].share, same[i].share) << c.address << " #" << i;
    }
    // The network is its last prefix and the only one the neighbour shares.
    EXPECT_EQ(prefixes.back().key, neighbour.back().key) << c.address;
    EXPECT_EQ(prefixes.back().share, records::ParseIpAddress(c.address)->v4 ? 10 : 5);
    if (prefixes.size() > 1) {
      EXPECT_NE(prefixes.front().key, neighbour.front().key) << c.address;
    }
  }
  // Another network, and text that is no address, are counted apart.
  EXPECT_NE(records::AddressPrefixes("192.0.3.1", 10, 5).back().key,
            records::AddressPrefixes("192.0.2.1", 10, 5).back().key);
  EXPECT_NE(records::AddressPrefixes("2001:db8:0:8::1", 10, 5).back().key,
            records::AddressPrefixes("2001:db8:0:7::1", 10, 5).back().key);
  EXPECT_EQ(records::AddressPrefixes("unix socket", 10, 5).size(), 1u);
  EXPECT_EQ(records::AddressPrefixes("unix socket", 10, 5)[0].share, 1);
}

TEST(ClientLimits, ForgetsEveryClientAfterADay) {
  constexpr int64_t kMinute = 60'000;
  records::TClientLimits clients(1);
  EXPECT_EQ(clients.Admit("192.0.2.1", "r", kNoon), records::TVerdict::Store);
  EXPECT_EQ(clients.Admit("192.0.2.1", "s", kNoon + 1), records::TVerdict::TooMany);
  EXPECT_EQ(clients.Remembered(), 3u);  // the address, its /24, the record
  // Any later request forgets what is older than its window: here all that came before.
  clients.Admit("192.0.2.9", "r", kNoon + 11 * kMinute);
  EXPECT_EQ(clients.Remembered(), 3u);
  clients.Admit("192.0.2.9", "r", kNoon + 24 * 60 * kMinute);
  EXPECT_EQ(clients.Remembered(), 3u);
  EXPECT_EQ(clients.Admit("192.0.2.1", "r", kNoon + 24 * 60 * kMinute + 1),
            records::TVerdict::Store);
}

}  // namespace
