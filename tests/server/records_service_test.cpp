#include "records_service.h"

#include <gtest/gtest.h>

#include <cstdint>

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
  const auto top = store.Page({{true, "", INT64_MIN}, std::nullopt, std::nullopt, 1});
  ASSERT_EQ(top.size(), 1u);
  EXPECT_EQ(top[0].name, "Вася");
  EXPECT_EQ(top[0].time, kNoon / 1000);
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
  const std::string submission = "/cgi/version.pl?hs&prg=Featherstrike&inf=" +
                                 score::EncodeScoreRecord(score::BuildScoreRecord("A", 5, "RU"));
  struct TCase {
    records::TBrowserHints browser;
    int submitted;
  };
  const TCase cases[] = {
      {{"cross-site", false}, 403},
      {{"same-site", false}, 403},
      {{"same-origin", false}, 403},
      {{"", true}, 403},  // an Origin header alone
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
    EXPECT_EQ(
        service
            .Handle("GET", "/cgi/version.pl?prg=Featherstrike&show", "192.0.2.1", kNoon, c.browser)
            .status,
        200)
        << what;
    EXPECT_EQ(service.Handle("GET", "/api/records", "192.0.2.1", kNoon, c.browser).status, 200)
        << what;
  }
  EXPECT_EQ(store.Count(), 1);  // the second allowed one repeats the first
}

// The address of the link whose text begins with `text`, unescaped, or "".
std::string LinkTo(const std::string& html, const std::string& text) {
  const size_t at = html.find("\">" + text);
  if (at == std::string::npos) return {};
  const size_t href = html.rfind("href=\"", at);
  std::string link = html.substr(href + 6, at - href - 6);
  for (size_t amp; (amp = link.find("&amp;")) != std::string::npos;) link.replace(amp, 5, "&");
  return link;
}

size_t Rows(const std::string& html) {
  size_t n = 0;
  for (size_t at = html.find("<tr><td"); at != std::string::npos; at = html.find("<tr><td", at + 1))
    ++n;
  return n;
}

TEST_F(RecordsService, ThePageEscapesNamesAndLinksItsNeighboursByKey) {
  store.Add({"<script>alert(1)</script>", "&amp;", 1'000'000, 0});
  for (int i = 0; i < 249; ++i) store.Add({"p" + std::to_string(i), "", i * 5, 0});
  const auto first = Get("/cgi/version.pl?prg=Featherstrike&type=0&show");
  ASSERT_EQ(first.status, 200);
  EXPECT_EQ(first.contentType, "text/html; charset=utf-8");
  EXPECT_EQ(first.body.find("<script>"), std::string::npos);
  EXPECT_NE(first.body.find("&lt;script&gt;alert(1)&lt;/script&gt;</td><td>&amp;amp;</td>"),
            std::string::npos);
  EXPECT_NE(first.body.find("<html lang=\"ru\">"), std::string::npos);
  EXPECT_EQ(Rows(first.body), 100u);
  EXPECT_EQ(LinkTo(first.body, "← Предыдущие"), "");
  const auto second = Get(LinkTo(first.body, "Следующие 100"));
  EXPECT_NE(second.body.find("<td class=\"n\">101</td><td>p149</td>"), std::string::npos);
  const auto third = Get(LinkTo(second.body, "Следующие 100"));
  EXPECT_EQ(Rows(third.body), 50u);
  EXPECT_NE(third.body.find("<td class=\"n\">201</td><td>p49</td>"), std::string::npos);
  EXPECT_EQ(LinkTo(third.body, "Следующие"), "");
  // Back from the third page is the second again, ranks and all.
  EXPECT_EQ(Get(LinkTo(third.body, "← Предыдущие")).body, second.body);
  EXPECT_EQ(Get(LinkTo(second.body, "← Предыдущие")).body, first.body);
}

TEST_F(RecordsService, ChecksTheViewsParametersAndKeepsThemInItsLinks) {
  const int64_t monday = 1'796'601'600;  // 2026-12-07 00:00 UTC, the Monday before kNoon
  store.Add({"Anna", "RU", 900, monday - 1});
  store.Add({"Anna", "RU", 500, monday});
  store.Add({"Ann%", "", 100, monday + 5});
  store.Add({"Bob", "", 700, monday + 9});
  struct TCase {
    std::string query;
    int status;
    std::string body;  // the JSON's records, or the refusal
  };
  auto row = [](int rank, const char* name, int score) {
    return "\"rank\":" + std::to_string(rank) + ",\"name\":\"" + name + "\",\"country\":" + "\"" +
           (name[0] == 'A' && name[3] == 'a' ? "RU" : "") + "\",\"score\":" + std::to_string(score);
  };
  const TCase cases[] = {
      {"", 200, row(1, "Anna", 900) + row(2, "Bob", 700) + row(3, "Ann%", 100)},
      {"all=1", 200,
       row(1, "Anna", 900) + row(2, "Bob", 700) + row(3, "Anna", 500) + row(4, "Ann%", 100)},
      {"week=1", 200, row(1, "Bob", 700) + row(2, "Anna", 500) + row(3, "Ann%", 100)},
      {"name=Ann%25", 200, row(1, "Ann%", 100)},
      {"name=Ann&week=1&all=0", 200, row(1, "Anna", 500) + row(2, "Ann%", 100)},
      {"name=ann", 200, ""},
      {"limit=1&after=900.1796601599.1&rank=1", 200, row(2, "Bob", 700)},
      {"limit=1&before=100.1796601605.3&rank=3", 200, row(2, "Bob", 700)},
      {"all=2", 400, "all, week and verified are 0 or 1\n"},
      {"week=yes", 400, "all, week and verified are 0 or 1\n"},
      {"name=" + std::string(13, 'a'), 400, "name is at most 12 characters of UTF-8\n"},
      {"name=%FF", 400, "name is at most 12 characters of UTF-8\n"},
      {"name=a%00", 400, "name is at most 12 characters of UTF-8\n"},
      {"after=1.2&rank=1", 400, "after and before take score.time.id\n"},
      {"after=1.2.0&rank=1", 400, "after and before take score.time.id\n"},
      {"after=1.2.99999999999999999999&rank=1", 400, "after and before take score.time.id\n"},
      {"after=1.2.3", 400, "rank must be 1..1000000000\n"},
      {"after=1.2.3&rank=0", 400, "rank must be 1..1000000000\n"},
      {"after=1.2.3&before=1.2.3&rank=1", 400, "after or before, not both\n"},
      {"offset=5", 400, "offset is not taken: follow \"next\"\n"},
      {"limit=1001", 400, "limit must be 0..1000\n"},
  };
  for (const TCase& c : cases) {
    const auto reply = Get("/api/records?" + c.query);
    EXPECT_EQ(reply.status, c.status) << c.query;
    std::string rows = reply.body;
    if (reply.status == 200) {
      // The rows' leading fields alone, run together.
      rows.clear();
      for (size_t at = reply.body.find("{\"rank\""); at != std::string::npos;
           at = reply.body.find("{\"rank\"", at + 1))
        rows += reply.body.substr(at + 1, reply.body.find(",\"time\"", at) - at - 1);
    }
    EXPECT_EQ(rows, c.body) << c.query;
    // The page takes the same parameters.
    if (c.query.find("limit") == std::string::npos && c.query.find("offset") == std::string::npos) {
      EXPECT_EQ(Get("/cgi/version.pl?prg=Featherstrike&show&" + c.query).status, c.status)
          << c.query;
    }
  }
  // The view is kept in the next page's link, with the name encoded.
  const auto page = Get("/api/records?limit=1&all=1&week=1&name=A");
  EXPECT_NE(page.body.find("\"next\":\"after=500.1796601600.2&rank=1&all=1&week=1&name=A\""),
            std::string::npos)
      << page.body;
  EXPECT_NE(
      Get("/cgi/version.pl?prg=Featherstrike&show&name=%3C%26")
          .body.find("<input name=\"name\" maxlength=\"12\" placeholder=\"Имя начинается с…\" "
                     "value=\"&lt;&amp;\">"),
      std::string::npos);
  EXPECT_EQ(Get("/healthz").body, "ok\n");
}

TEST_F(RecordsService, TheApiGivesTheSameRowsAsJson) {
  store.Add({"Ан\"на", "RU", 100, 1796822814});
  store.Add({"Bob", "", 50, 0});
  const auto all = Get("/api/records");
  EXPECT_EQ(all.contentType, "application/json");
  EXPECT_EQ(all.body,
            "{\"total\":2,\"limit\":100,\"records\":["
            "{\"rank\":1,\"name\":\"Ан\\\"на\",\"country\":\"RU\",\"score\":100,"
            "\"time\":1796822814,\"date\":\"2026-12-09\",\"key\":\"100.1796822814.1\","
            "\"state\":\"unverified\"},"
            "{\"rank\":2,\"name\":\"Bob\",\"country\":\"\",\"score\":50,\"time\":0,"
            "\"date\":\"1970-01-01\",\"key\":\"50.0.2\",\"state\":\"unverified\"}],"
            "\"previous\":null,\"next\":null}\n");
}

// Anna's game verified, Bob's being checked, Cat's refused, Dan's of another version.
class VerifiedRecords : public RecordsService {
 protected:
  VerifiedRecords() {
    const records::TStoredRecord games[] = {
        {"Anna", "RU", 900, 0}, {"Bob", "", 700, 0}, {"Cat", "", 500, 0}, {"Dan", "", 300, 0}};
    for (auto game : games) {
      game.submitter = "sender";
      store.Add(game);
      store.AttachReplay(game.name, game.country, game.score, "sender", ReplayOf(game), 0);
    }
    store.SetVerdict(1, records::TRecordState::Verified, "");
    store.SetVerdict(3, records::TRecordState::Refused, "plays to 5");
    store.SetVerdict(4, records::TRecordState::Unchecked, "0.0.9");
  }
  // Each JSON record's name and what follows its key, run together, and the total.
  std::string Api(const std::string& query, records::TRecordsService& from) {
    const std::string body = from.Handle("GET", "/api/records" + query, "192.0.2.1", kNoon).body;
    std::string rows = body.substr(0, body.find(",\"limit\""));
    for (size_t at = body.find("\"name\":"); at != std::string::npos;
         at = body.find("\"name\":", at + 1)) {
      const size_t key = body.find("\"key\":", at);
      rows += " " + body.substr(at + 7, body.find(',', at) - at - 7) +
              body.substr(body.find(',', key), body.find('}', key) - body.find(',', key));
    }
    return rows;
  }

  // Each game's replay of its own, told apart by its score.
  static std::vector<uint8_t> ReplayOf(const records::TStoredRecord& game) {
    return {'P', 0, 0xFF, static_cast<uint8_t>(game.score / 100)};
  }
};

TEST_F(VerifiedRecords, TheApiGivesEachStateAndTheVerifiedViewOnlyVerifiedGames) {
  records::TServiceLimits verifiedOnly = limits;
  verifiedOnly.verifiedOnly = true;
  records::TRecordsService onlyVerified(store, verifiedOnly);
  struct TCase {
    records::TRecordsService& service;
    std::string query;
    std::string rows;
  };
  const std::string verified = R"({"total":1 "Anna","state":"verified")";
  const TCase cases[] = {
      {service, "",
       R"({"total":3 "Anna","state":"verified" "Bob","state":"checking")"
       R"( "Dan","state":"unchecked","version":"0.0.9")"},
      {service, "?verified=1", verified},
      {service, "?verified=1&all=1&name=A", verified},
      {service, "?verified=1&week=1", R"({"total":1)"},  // no verified game this week
      {service, "?verified=0&name=B", R"({"total":3 "Bob","state":"checking")"},
      {onlyVerified, "", verified},
      {onlyVerified, "?verified=0&all=1", verified},
  };
  for (const TCase& c : cases) EXPECT_EQ(Api(c.query, c.service), c.rows) << c.query;
  EXPECT_EQ(Get("/api/records?verified=yes").body, "all, week and verified are 0 or 1\n");
}

TEST_F(VerifiedRecords, ThePageMarksVerifiedGamesOffersTheirReplaysAndKeepsTheView) {
  const std::string all = Get("/cgi/version.pl?prg=Featherstrike&show").body;
  EXPECT_NE(all.find("<td>Anna <span class=\"v\" title=\"Проверено: сервер сыграл запись этой "
                     "игры и пришёл к этому счёту\">✓</span></td>"),
            std::string::npos);
  EXPECT_NE(all.find("<td><a href=\"/replays/1.perolet-replay\" "
                     "download=\"perolet-1.perolet-replay\">запись</a></td></tr>"),
            std::string::npos);
  EXPECT_NE(all.find("<td>Bob</td>"), std::string::npos);
  EXPECT_EQ(all.find("Cat"), std::string::npos);
  EXPECT_EQ(Rows(all), 3u);
  // The view of verified games, kept by the links to the other views and the search.
  const std::string verified = Get(LinkTo(all, "Только проверенные")).body;
  EXPECT_EQ(Rows(verified), 1u);
  EXPECT_NE(verified.find("Проверенных результатов: 1"), std::string::npos);
  EXPECT_NE(LinkTo(verified, "За неделю").find("&verified=1"), std::string::npos);
  EXPECT_NE(LinkTo(verified, "Все игры").find("&verified=1"), std::string::npos);
  EXPECT_NE(verified.find("<input type=\"hidden\" name=\"verified\" value=\"1\">"),
            std::string::npos);
  EXPECT_EQ(Rows(Get(LinkTo(verified, "Все результаты")).body), 3u);
  // A server showing verified games alone offers no other view.
  records::TServiceLimits verifiedOnly = limits;
  verifiedOnly.verifiedOnly = true;
  records::TRecordsService onlyVerified(store, verifiedOnly);
  const std::string only =
      onlyVerified.Handle("GET", "/cgi/version.pl?prg=Featherstrike&show", "192.0.2.1", kNoon).body;
  EXPECT_EQ(Rows(only), 1u);
  EXPECT_EQ(LinkTo(only, "Все результаты") + LinkTo(only, "Только проверенные"), "");
}

TEST_F(VerifiedRecords, AVerifiedGamesReplayIsDownloadedAndNothingElse) {
  const auto replay = Get("/replays/1.perolet-replay");
  EXPECT_EQ(replay.status, 200);
  EXPECT_EQ(replay.contentType, "application/octet-stream");
  EXPECT_EQ(replay.disposition, "attachment; filename=\"perolet-1.perolet-replay\"");
  const auto anna = ReplayOf({"Anna", "RU", 900, 0});
  EXPECT_EQ(replay.body, std::string(anna.begin(), anna.end()));
  EXPECT_TRUE(service.NeedsStore("GET", "/replays/1.perolet-replay"));
  for (const char* target :
       {"/replays/2.perolet-replay", "/replays/3.perolet-replay", "/replays/4.perolet-replay",
        "/replays/5.perolet-replay", "/replays/01.perolet-replay", "/replays/+1.perolet-replay",
        "/replays/0.perolet-replay", "/replays/1.perolet-replay/", "/replays/1",
        "/replays/.perolet-replay", "/replays/", "/replays/99999999999999999999.perolet-replay"}) {
    const auto refused = Get(target);
    EXPECT_EQ(refused.status, 404) << target;
    EXPECT_EQ(refused.disposition, "") << target;
  }
}

}  // namespace
