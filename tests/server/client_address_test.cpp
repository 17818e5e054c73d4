#include "client_address.h"

#include <gtest/gtest.h>

namespace {

TEST(ClientAddress, TakesTheForwardedAddressOnlyFromATrustedProxy) {
  const std::vector<records::TIpAddress> trusted = {*records::ParseIpAddress("127.0.0.1"),
                                                    *records::ParseIpAddress("10.0.0.2")};
  struct TCase {
    const char* peer;
    const char* forwardedFor;
    const char* client;
  };
  const TCase cases[] = {
      {"127.0.0.1", "203.0.113.5", "203.0.113.5"},
      {"::ffff:127.0.0.1", "2001:db8::5", "2001:db8::5"},  // a dual-stack socket's peer
      {"198.51.100.1", "203.0.113.5", "198.51.100.1"},     // not a proxy of ours
      {"127.0.0.1", "", "127.0.0.1"},                      // no header
      // What the client wrote itself stands left of what our proxies added.
      {"127.0.0.1", "1.1.1.1, 203.0.113.5", "203.0.113.5"},
      {"127.0.0.1", "1.1.1.1, 203.0.113.5, 10.0.0.2", "203.0.113.5"},
      {"127.0.0.1", "10.0.0.2,127.0.0.1", "10.0.0.2"},  // only our own proxies
      // Malformed: the proxy's own address, the request still served.
      {"127.0.0.1", "203.0.113.5:4711", "127.0.0.1"},
      {"127.0.0.1", "1.1.1.1,,203.0.113.5", "127.0.0.1"},
      {"127.0.0.1", "unknown", "127.0.0.1"},
      {"127.0.0.1", "[2001:db8::5]", "127.0.0.1"},
      {"127.0.0.1", " , ", "127.0.0.1"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(records::ClientAddress(c.peer, c.forwardedFor, trusted), c.client)
        << c.peer << " / " << c.forwardedFor;
  EXPECT_EQ(records::ClientAddress("127.0.0.1", std::string(5000, '1'), trusted), "127.0.0.1");
  EXPECT_EQ(records::ClientAddress("127.0.0.1", "203.0.113.5", {}), "127.0.0.1");
}

}  // namespace
