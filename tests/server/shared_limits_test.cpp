#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <pqxx/pqxx>

#include <unistd.h>

#include "client_limits.h"
#include "pg_limits.h"

namespace {

using records::TVerdict;

constexpr int64_t kNoon = 1'796'822'400'000;
constexpr int64_t kMinute = 60'000;

// Two gates on one database stand for two server processes. Only where a PostgreSQL is
// given (CI starts a throw-away one); each test process has a database of its own.
class SharedLimits : public testing::Test {
 protected:
  void SetUp() override {
    if (!server || !*server) GTEST_SKIP() << "PEROLET_TEST_PG is not set: no PostgreSQL to test";
    Admin("DROP DATABASE IF EXISTS " + database);
    Admin("CREATE DATABASE " + database);
    url = std::string(server) + (std::string(server).find('?') == std::string::npos ? "?" : "&") +
          "dbname=" + database;
  }
  void TearDown() override {
    if (url.empty()) return;
    try {
      Admin("DROP DATABASE IF EXISTS " + database + " WITH (FORCE)");
    } catch (const std::exception&) {
      // A database left behind goes with the throw-away cluster.
    }
  }
  void Admin(const std::string& sql) {
    pqxx::connection connection(server);
    pqxx::nontransaction(connection).exec(sql);
  }
  int64_t Scalar(const std::string& sql) {
    pqxx::connection connection(url);
    return pqxx::nontransaction(connection).exec1(sql)[0].as<int64_t>();
  }

  const char* server = std::getenv("PEROLET_TEST_PG");
  std::string database = "perolet_limits_test_" + std::to_string(getpid());
  std::string url;
};

char Letter(TVerdict verdict) {
  switch (verdict) {
    case TVerdict::Store:
      return 'S';
    case TVerdict::Duplicate:
      return 'D';
    case TVerdict::TooMany:
      return '-';
    case TVerdict::Storing:
      return 'w';
  }
  return '?';
}

// One address may send 2 a minute, its /24 20, an IPv6 /64 10, sent to either server.
TEST_F(SharedLimits, TwoServersCountEachPrefixOnce) {
  struct TCase {
    const char* what;
    std::vector<std::string> addresses;  // one submission each, to the servers in turn
    std::string verdicts;                // S stored, - too many
  };
  std::vector<std::string> network(10, "198.51.100.1");
  for (int host = 2; host <= 10; ++host)
    network.insert(network.end(), 2, "198.51.100." + std::to_string(host));
  network.insert(network.end(), 2, "198.51.100.11");
  std::vector<std::string> site;
  for (int host = 1; host <= 11; ++host) site.push_back("2001:db8:0:7::" + std::to_string(host));
  const TCase cases[] = {
      {"one address", {"192.0.2.1", "192.0.2.1", "192.0.2.1", "192.0.2.1"}, "SS--"},
      {"an address and its v4-mapped form",
       {"203.0.113.5", "::ffff:203.0.113.5", "203.0.113.5"},
       "SS-"},
      {"a /24 shares 20", network, "SS--------" + std::string(18, 'S') + "--"},
      {"a /64", site, std::string(10, 'S') + "-"},
  };
  records::TPgLimits first(url, 2);
  records::TPgLimits second(url, 2);
  int sent = 0;
  for (const TCase& c : cases) {
    std::string verdicts;
    for (const std::string& address : c.addresses) {
      auto& server = sent % 2 ? second : first;
      verdicts += Letter(server.Admit(address, "record " + std::to_string(sent++), kNoon));
    }
    EXPECT_EQ(verdicts, c.verdicts) << c.what;
  }
  // The /24 has one more every 3 s, and .11 may take it: its refusals charged no prefix.
  EXPECT_EQ(first.Admit("198.51.100.11", "refilled", kNoon + 3000), TVerdict::Store);
  // Half a minute later one address has one more, wherever it sends it.
  EXPECT_EQ(first.Admit("192.0.2.1", "later", kNoon + kMinute / 2), TVerdict::Store);
  EXPECT_EQ(second.Admit("192.0.2.1", "later 2", kNoon + kMinute / 2), TVerdict::TooMany);
}

// The same record from the same address is stored once in ten minutes, whichever server
// gets it; a claim not yet settled makes a repeat wait, never tells it that it was taken.
TEST_F(SharedLimits, ARepeatIsStoredOnceWhicheverServerGetsIt) {
  enum TAction { Admit, Stored, Forget };
  struct TStep {
    int server;
    TAction action;
    const char* address;
    const char* record;
    int64_t at;
    TVerdict verdict;  // for Admit
  };
  constexpr int64_t kDay = 24 * 60 * kMinute;
  const int64_t lapse = records::TPgLimits::kClaimMs;
  const TStep steps[] = {
      {0, Admit, "192.0.2.1", "r", kNoon, TVerdict::Store},
      {1, Admit, "192.0.2.1", "r", kNoon + 1, TVerdict::Storing},
      {0, Stored, "192.0.2.1", "r", kNoon, {}},
      {1, Admit, "192.0.2.1", "r", kNoon + 2, TVerdict::Duplicate},
      {0, Admit, "192.0.2.2", "r", kNoon + 2, TVerdict::Store},  // another address
      {0, Admit, "192.0.2.1", "r", kNoon + 10 * kMinute - 1, TVerdict::Duplicate},
      {1, Admit, "192.0.2.1", "r", kNoon + 10 * kMinute, TVerdict::Store},
      // A record that could not be stored may be sent again at once.
      {1, Admit, "192.0.2.3", "s", kNoon, TVerdict::Store},
      {1, Forget, "192.0.2.3", "s", kNoon, {}},
      {0, Admit, "192.0.2.3", "s", kNoon + 1, TVerdict::Store},
      // A claim its server never settled lapses.
      {0, Admit, "192.0.2.4", "t", kNoon, TVerdict::Store},
      {1, Admit, "192.0.2.4", "t", kNoon + lapse - 1, TVerdict::Storing},
      {1, Admit, "192.0.2.4", "t", kNoon + lapse, TVerdict::Store},
      // A day on, the key is new, and both servers take it.
      {1, Admit, "192.0.2.1", "u", kNoon + kDay, TVerdict::Store},
      {1, Stored, "192.0.2.1", "u", kNoon + kDay, {}},
      {0, Admit, "192.0.2.1", "u", kNoon + kDay + 1, TVerdict::Duplicate},
  };
  records::TPgLimits first(url, 0);
  records::TPgLimits second(url, 0);
  int n = 0;
  for (const TStep& step : steps) {
    auto& server = step.server ? second : first;
    if (step.action == Stored) server.Stored(step.address, step.record, step.at);
    if (step.action == Forget) server.Forget(step.address, step.record);
    if (step.action == Admit) {
      EXPECT_EQ(Letter(server.Admit(step.address, step.record, step.at)), Letter(step.verdict))
          << "step " << n;
    }
    ++n;
  }
  EXPECT_EQ(Scalar("SELECT born_ms FROM limits_key"), kNoon + kDay);
}

// Each submission removes more rows whose time has passed than it adds: after a busy minute
// and ten quiet ones, a few submissions leave only their own rows.
TEST_F(SharedLimits, KeepsOnlyTheRowsThatStillCount) {
  records::TPgLimits limits(url, 10);
  auto address = [](int n) {
    return "10." + std::to_string(n / 256) + "." + std::to_string(n % 256) + ".1";
  };
  constexpr int kBusy = 300;
  for (int i = 0; i < kBusy; ++i) ASSERT_EQ(limits.Admit(address(i), "r", kNoon), TVerdict::Store);
  EXPECT_EQ(Scalar("SELECT count(*) FROM limits_due"), 2 * kBusy);  // each address and its /24
  EXPECT_EQ(Scalar("SELECT count(*) FROM limits_sent"), kBusy);
  constexpr int kLater = 40;  // 40 × 16 rows swept from each table
  for (int i = 0; i < kLater; ++i)
    ASSERT_EQ(limits.Admit(address(kBusy + i), "r", kNoon + 10 * kMinute), TVerdict::Store);
  EXPECT_EQ(Scalar("SELECT count(*) FROM limits_due"), 2 * kLater);
  EXPECT_EQ(Scalar("SELECT count(*) FROM limits_sent"), kLater);
}

// Nothing is let through when the database cannot be asked.
TEST_F(SharedLimits, ThrowsWhenTheDatabaseIsGone) {
  records::TPgLimits limits(url, 10);
  ASSERT_EQ(limits.Admit("192.0.2.1", "r", kNoon), TVerdict::Store);
  Admin("DROP DATABASE " + database + " WITH (FORCE)");
  EXPECT_THROW(limits.Admit("192.0.2.1", "s", kNoon), std::exception);
  EXPECT_THROW(limits.Admit("192.0.2.1", "s", kNoon), std::exception);  // nor on a new connection
  url.clear();
}

}  // namespace
