#include <gtest/gtest.h>

#include <vector>

#include "fake_replay_store.h"
#include "records_service.h"
#include "score/score_record.h"

namespace {

constexpr int64_t kNoon = 1'796'822'400'000;

class TFakeQueue : public records::TReplayQueue {
 public:
  bool HasRoom() override { return room; }
  void Add(int64_t id) override { added.push_back(id); }
  bool room = true;
  std::vector<int64_t> added;
};

std::string Symbols(const std::string& name, int32_t score) {
  return score::EncodeScoreRecord(score::BuildScoreRecord(name, score, "RU"));
}

std::string Target(const std::string& name, int32_t score) {
  return "/api/replays?inf=" + Symbols(name, score);
}

// The game's POST of a replay after its record: taken once for a record that waits for one,
// from the address that sent the record.
TEST(ReplayRoute, AttachesAReplayToTheRecordThatWaitsForIt) {
  test_support::TFakeReplayStore store;
  TFakeQueue queue;
  records::TRecordsService service(store, {});
  service.CheckReplaysWith(queue);
  const std::string vasya = Target("\xC2\xE0\xF1\xFF", 1205);
  const std::string record =
      "/cgi/version.pl?hs&prg=Featherstrike&inf=" + Symbols("\xC2\xE0\xF1\xFF", 1205);
  ASSERT_EQ(service.Handle("GET", record, "192.0.2.1", kNoon).status, 200);
  ASSERT_EQ(service
                .Handle("GET", "/cgi/version.pl?hs&prg=Featherstrike&inf=" + Symbols("Copy", 1205),
                        "192.0.2.1", kNoon)
                .status,
            200);
  store.Add({"Banned", "RU", 5, 0});
  const std::string replay = "PEROLET replay bytes";
  // Name, country and score are on the page for anyone to send: only the record's sender may
  // send its replay, and only soon after the record.
  constexpr int64_t kLate = kNoon + (records::kReplayWindowSeconds + 1) * 1000;
  for (const auto& [client, now] :
       {std::pair<std::string, int64_t>{"192.0.2.2", kNoon}, {"192.0.2.1", kLate}}) {
    EXPECT_EQ(service.Handle("POST", vasya, client, now, {}, replay).status, 404) << client;
  }
  struct TCase {
    const char* what;
    std::string method, target, body;
    records::TBrowserHints browser;
    bool room;
    int status;
    std::string answer;
  };
  const TCase cases[] = {
      {"full",
       "POST",
       vasya,
       replay,
       {},
       false,
       503,
       "too many replays wait for their check, try again later\n"},
      {"taken", "POST", vasya, replay, {}, true, 202, "<p>Запись игры принята.</p>\n"},
      {"repeat", "POST", vasya, replay, {}, true, 404, "no record waits for this replay\n"},
      // A verified game's replay is there to download, for a copy of its record to send.
      {"copy",
       "POST",
       Target("Copy", 1205),
       replay,
       {},
       true,
       409,
       "this replay already proves another record\n"},
      {"no record",
       "POST",
       Target("Other", 1205),
       replay,
       {},
       true,
       404,
       "no record waits for this replay\n"},
      {"banned",
       "POST",
       Target("Banned", 5),
       replay,
       {},
       true,
       403,
       "results under this name or from this network are not taken here\n"},
      {"web page",
       "POST",
       Target("Banned", 5),
       replay,
       {"cross-site", true},
       true,
       403,
       "replays come from the game, not from web pages\n"},
      {"empty", "POST", Target("Banned", 5), "", {}, true, 400, "no replay\n"},
      {"no symbols", "POST", "/api/replays", replay, {}, true, 400, "no record\n"},
      {"bad symbols",
       "POST",
       "/api/replays?inf=KKKI",
       replay,
       {},
       true,
       400,
       "record does not decode\n"},
      {"other POST", "POST", "/api/records", replay, {}, true, 405, "only GET\n"},
      {"PUT", "PUT", vasya, replay, {}, true, 405, "only GET\n"},
  };
  for (const TCase& c : cases) {
    queue.room = c.room;
    const auto reply = service.Handle(c.method, c.target, "192.0.2.1", kNoon, c.browser, c.body);
    EXPECT_EQ(reply.status, c.status) << c.what;
    EXPECT_EQ(reply.body, c.answer) << c.what;
  }
  EXPECT_EQ(queue.added, std::vector<int64_t>{1});
  EXPECT_EQ(store.Row(1).state, records::TRecordState::Checking);
  EXPECT_EQ(store.Row(2).state, records::TRecordState::Unverified);  // the copy
  EXPECT_EQ(store.Row(3).state, records::TRecordState::Unverified);
  // The replay waits for the database's workers as every request that asks the store does.
  EXPECT_TRUE(service.NeedsStore("POST", vasya));
  EXPECT_FALSE(service.NeedsStore("POST", "/api/records"));
}

}  // namespace
