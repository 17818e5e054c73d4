#include "records_service.h"

#include <gtest/gtest.h>

#include "score/score_record.h"
#include "sqlite_store.h"
#include "support/temp_dir.h"

namespace {

constexpr int64_t kNoon = 1'796'822'400'000;  // 2026-12-09 00:00 UTC, in ms
constexpr int64_t kMinute = 60'000;

class RecordsService : public testing::Test {
 protected:
  RecordsService() : store((dir.Path() / "r.sqlite").string()) {}

  records::TReply Submit(const std::string& name, int32_t points, int64_t now = kNoon,
                         const std::string& client = "192.0.2.1") {
    return Get("/cgi/version.pl?hs&prg=Featherstrike&inf=" +
                   score::EncodeScoreRecord(score::BuildScoreRecord(name, points, "RU")),
               now, client);
  }
  records::TReply Get(const std::string& target, int64_t now = kNoon,
                      const std::string& client = "192.0.2.1") {
    return service.Handle("GET", target, client, now);
  }

  test_support::TTempWorkDir dir;
  records::TSqliteStore store;
  records::TServiceLimits limits;
  records::TRecordsService service{store, limits};
};

TEST_F(RecordsService, StoresAGoodRecordAndRefusesBadOnesWithNothingStored) {
  EXPECT_EQ(Submit("\xC2\xE0\xF1\xFF", 1205).status, 200);
  ASSERT_EQ(store.Count(), 1);
  EXPECT_EQ(store.Best(1, 0)[0].name, "Вася");
  EXPECT_EQ(store.Best(1, 0)[0].time, kNoon / 1000);
  const std::string head = "/cgi/version.pl?hs&prg=Featherstrike&inf=";
  struct TCase {
    std::string target;
    int status;
    const char* reason;
  };
  const TCase cases[] = {
      {head + "KKKI", 400, "record does not decode\n"},
      {head + score::EncodeScoreRecord("type=0|name=A|score=5|key=X|p=|add=|z=00"), 400,
       "wrong key letter\n"},
      {head + score::EncodeScoreRecord(score::BuildScoreRecord("A", 3, "")), 400,
       "score not a multiple of 5\n"},
      {"/cgi/version.pl?hs&prg=Featherstrike", 400, "no record\n"},
      {"/cgi/version.pl?hs&prg=Other&inf=KK", 400, "unknown program\n"},
      {head + "%zz", 400, "malformed query\n"},
      {head + std::string(8200, 'K'), 400, "URL over 8 KB\n"},
      {"/cgi/other.pl", 404, "not found\n"},
  };
  for (const TCase& c : cases) {
    const auto reply = Get(c.target);
    EXPECT_EQ(reply.status, c.status) << c.target.substr(0, 80);
    EXPECT_EQ(reply.body, c.reason) << c.target.substr(0, 80);
  }
  EXPECT_EQ(store.Count(), 1);
  // The record's symbols may come percent-encoded.
  const std::string symbols = score::EncodeScoreRecord(score::BuildScoreRecord("B", 10, ""));
  std::string encoded;
  for (char c : symbols)
    encoded += "%" + std::string(1, "0123456789ABCDEF"[c >> 4]) + "0123456789ABCDEF"[c & 15];
  EXPECT_EQ(Get(head + encoded).status, 200);
  EXPECT_EQ(store.Count(), 2);
}

TEST_F(RecordsService, LimitsTheRatePerAddressAndStoresARepeatOnce) {
  for (int i = 0; i < limits.perMinute; ++i) ASSERT_EQ(Submit("A", i * 5).status, 200) << i;
  EXPECT_EQ(Submit("A", 1000).status, 429);
  EXPECT_EQ(Submit("A", 1000, kNoon, "192.0.2.2").status, 200);  // another address
  EXPECT_EQ(Submit("A", 1000, kNoon + kMinute).status, 200);     // a minute on
  EXPECT_EQ(store.Count(), limits.perMinute + 2);
  // The same record from the same address: answered, stored once, until ten minutes passed.
  EXPECT_EQ(Submit("A", 1000, kNoon + kMinute, "192.0.2.2").status, 200);
  EXPECT_EQ(Submit("A", 1000, kNoon + 10 * kMinute - 1, "192.0.2.2").status, 200);
  EXPECT_EQ(store.Count(), limits.perMinute + 2);
  EXPECT_EQ(Submit("A", 1000, kNoon + 11 * kMinute, "192.0.2.2").status, 200);
  EXPECT_EQ(store.Count(), limits.perMinute + 3);
}

TEST_F(RecordsService, RefusesSubmissionsABrowserSendsButLetsItReadThePage) {
  const std::string submission =
      "/cgi/version.pl?hs&prg=Featherstrike&inf=" +
      score::EncodeScoreRecord(score::BuildScoreRecord("A", 5, "RU"));
  struct TCase {
    records::TBrowserHints browser;
    int submitted;
  };
  const TCase cases[] = {
      {{"cross-site", false}, 403},
      {{"same-site", false}, 403},
      {{"same-origin", false}, 403},
      {{"", true}, 403},     // an Origin header alone
      {{"none", true}, 403},
      {{"none", false}, 200},  // typed into the address bar
      {{"", false}, 200},      // the game
  };
  for (const TCase& c : cases) {
    const std::string what = c.browser.secFetchSite + (c.browser.origin ? " with Origin" : "");
    const auto reply = service.Handle("GET", submission, "192.0.2.1", kNoon, c.browser);
    EXPECT_EQ(reply.status, c.submitted) << what;
    if (c.submitted == 403) {
      EXPECT_EQ(reply.body, "results come from the game, not from web pages\n") << what;
    }
    EXPECT_EQ(service.Handle("GET", "/cgi/version.pl?prg=Featherstrike&show", "192.0.2.1", kNoon,
                             c.browser).status, 200) << what;
    EXPECT_EQ(service.Handle("GET", "/api/records", "192.0.2.1", kNoon, c.browser).status, 200)
        << what;
  }
  EXPECT_EQ(store.Count(), 1);  // the second allowed one repeats the first
}

TEST_F(RecordsService, ThePageEscapesNamesAndLinksItsNeighbours) {
  store.Add({"<script>alert(1)</script>", "&amp;", 1'000'000, 0});
  for (int i = 0; i < 249; ++i) store.Add({"p" + std::to_string(i), "", i * 5, 0});
  const auto first = Get("/cgi/version.pl?prg=Featherstrike&type=0&show");
  ASSERT_EQ(first.status, 200);
  EXPECT_EQ(first.contentType, "text/html; charset=utf-8");
  EXPECT_EQ(first.body.find("<script>"), std::string::npos);
  EXPECT_NE(first.body.find("&lt;script&gt;alert(1)&lt;/script&gt;</td><td>&amp;amp;</td>"),
            std::string::npos);
  EXPECT_NE(first.body.find("<html lang=\"ru\">"), std::string::npos);
  auto rows = [](const std::string& html) {
    size_t n = 0;
    for (size_t at = html.find("<tr><td"); at != std::string::npos;
         at = html.find("<tr><td", at + 1))
      ++n;
    return n;
  };
  EXPECT_EQ(rows(first.body), 100u);
  EXPECT_NE(first.body.find("show&amp;page=2\">Следующие 100"), std::string::npos);
  EXPECT_EQ(first.body.find("Предыдущие"), std::string::npos);
  const auto third = Get("/cgi/version.pl?prg=Featherstrike&type=0&show&page=3");
  EXPECT_EQ(rows(third.body), 50u);
  EXPECT_NE(third.body.find("<td class=\"n\">201</td>"), std::string::npos);
  EXPECT_NE(third.body.find("page=2\">← Предыдущие"), std::string::npos);
  EXPECT_EQ(third.body.find("Следующие"), std::string::npos);
  for (const char* bad : {"0", "-1", "x", "99999999999999999999"})
    EXPECT_EQ(Get(std::string("/cgi/version.pl?prg=Featherstrike&show&page=") + bad).status, 400)
        << bad;
}

TEST_F(RecordsService, TheApiGivesTheSameRowsAsJson) {
  store.Add({"Ан\"на", "RU", 100, 1796822814});
  store.Add({"Bob", "", 50, 0});
  const auto all = Get("/api/records");
  EXPECT_EQ(all.contentType, "application/json");
  EXPECT_EQ(all.body,
            "{\"total\":2,\"offset\":0,\"limit\":100,\"records\":["
            "{\"rank\":1,\"name\":\"Ан\\\"на\",\"country\":\"RU\",\"score\":100,"
            "\"time\":1796822814,\"date\":\"2026-12-09\"},"
            "{\"rank\":2,\"name\":\"Bob\",\"country\":\"\",\"score\":50,\"time\":0,"
            "\"date\":\"1970-01-01\"}]}\n");
  EXPECT_NE(Get("/api/records?limit=1&offset=1").body.find("\"rank\":2,\"name\":\"Bob\""),
            std::string::npos);
  for (const char* bad : {"limit=1001", "limit=-1", "offset=x", "limit="})
    EXPECT_EQ(Get(std::string("/api/records?") + bad).status, 400) << bad;
  EXPECT_EQ(Get("/healthz").body, "ok\n");
}

}  // namespace
