#include "server_options.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

namespace {

TEST(RecordsServerOptions, DefaultsAndEveryOption) {
  const auto defaults = records::ParseServerOptions({});
  EXPECT_EQ(defaults.host, "127.0.0.1");
  EXPECT_EQ(defaults.port, 8080);
  EXPECT_EQ(defaults.database, "records.sqlite");
  EXPECT_EQ(defaults.limits.perMinute, 10);
  EXPECT_EQ(defaults.limits.submission.highestScore, 10'000'000);
  EXPECT_EQ(defaults.limits.longestTarget, 8192u);
  EXPECT_EQ(defaults.limits.pageSize, 100);
  const auto o = records::ParseServerOptions({"--listen",
                                              "[::1]:0",
                                              "--db",
                                              "postgresql://x/y",
                                              "--rate",
                                              "0",
                                              "--max-score",
                                              "500",
                                              "--threads",
                                              "4",
                                              "--trusted-proxy",
                                              "127.0.0.1,::1",
                                              "--trusted-proxy",
                                              "10.0.0.2",
                                              "--backlog",
                                              "4096",
                                              "--max-connections",
                                              "100",
                                              "--max-per-address",
                                              "3",
                                              "--verify-workers",
                                              "3",
                                              "--verify-queue",
                                              "9",
                                              "--verify-program",
                                              "/opt/v",
                                              "--verifier",
                                              "1.4=/opt/1.4/perolet-verify",
                                              "--verifier",
                                              "1.3=/opt/a=b",
                                              "--verify-seconds",
                                              "20",
                                              "--verify-megabytes",
                                              "512",
                                              "--verify-data",
                                              "/usr/share/perolet"});
  EXPECT_EQ(o.host, "::1");
  EXPECT_EQ(o.port, 0);
  EXPECT_EQ(o.database, "postgresql://x/y");
  EXPECT_EQ(o.limits.perMinute, 0);
  EXPECT_EQ(o.limits.submission.highestScore, 500);
  EXPECT_EQ(o.threads, 4);
  EXPECT_EQ(o.http.backlog, 4096);
  EXPECT_EQ(o.http.mostConnections, 100u);
  EXPECT_EQ(o.http.mostPerAddress, 3u);
  EXPECT_EQ(defaults.http.backlog, 1024);
  ASSERT_EQ(o.trustedProxies.size(), 3u);
  EXPECT_EQ(o.trustedProxies[1], *records::ParseIpAddress("::1"));
  EXPECT_EQ(o.trustedProxies[2], *records::ParseIpAddress("10.0.0.2"));
  EXPECT_TRUE(defaults.trustedProxies.empty());
  EXPECT_EQ(o.verify.workers, 3);
  EXPECT_EQ(o.verify.queueSize, 9u);
  EXPECT_EQ(o.verify.program, "/opt/v");
  EXPECT_EQ(o.verify.verifiers, (std::map<std::string, std::string>{
                                    {"1.4", "/opt/1.4/perolet-verify"}, {"1.3", "/opt/a=b"}}));
  EXPECT_EQ(o.verify.limits.seconds, 20);
  EXPECT_EQ(o.verify.limits.megabytes, 512);
  EXPECT_EQ(o.verify.limits.dataFolder, "/usr/share/perolet");
  EXPECT_GE(defaults.verify.workers, 1);
  EXPECT_EQ(defaults.verify.queueSize, 256u);
  EXPECT_EQ(defaults.verify.program, "");
  EXPECT_EQ(defaults.verify.limits.seconds, 60);
  EXPECT_EQ(defaults.verify.limits.megabytes, 1024);
  EXPECT_TRUE(records::ParseServerOptions({"--help"}).help);
}

TEST(RecordsServerOptions, RefusesWhatItCannotUseWithTheOptionNamed) {
  const std::vector<std::vector<std::string>> bad = {
      {"--listen", "8080"},
      {"--listen", ":8080"},
      {"--listen", "h:65536"},
      {"--listen", "h:x"},
      {"--rate", "-1"},
      {"--rate", "10/min"},
      {"--threads", "0"},
      {"--backlog", "0"},
      {"--max-connections", "many"},
      {"--db", ""},
      {"--trusted-proxy", "127.0.0.1,"},
      {"--trusted-proxy", "proxy.example"},
      {"--max-score", "1e9"},
      {"--port", "1"},
      {"--db"},
      {"--verify-workers", "0"},
      {"--verify-queue", "0"},
      {"--verifier", "1.4"},
      {"--verifier", "=/opt/v"},
      {"--verifier", "1.4="},
      {"--verify-seconds", "3601"},
      {"--verify-megabytes", "65537"},
      {"--verify-data", ""},
  };
  for (const auto& args : bad) {
    try {
      records::ParseServerOptions(args);
      ADD_FAILURE() << args[0] << " was taken";
    } catch (const std::invalid_argument& error) {
      EXPECT_NE(std::string(error.what()).find(args[0]), std::string::npos) << error.what();
    }
  }
}

}  // namespace
