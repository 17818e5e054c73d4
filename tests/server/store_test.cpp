#include <gtest/gtest.h>

#include <sqlite3.h>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <pqxx/pqxx>
#include <thread>
#include <tuple>

#include <unistd.h>

#include "bans.h"
#include "pg_store.h"
#include "record_queries.h"
#include "sqlite_store.h"
#include "support/temp_dir.h"

namespace {

// Each store type gets a fresh, empty store from its maker.
struct TSqliteMaker {
  test_support::TTempWorkDir dir;
  std::unique_ptr<records::TRecordStore> Open() {
    return std::make_unique<records::TSqliteStore>((dir.Path() / "records.sqlite").string());
  }
  bool Available() const { return true; }
  void Empty() {}
  // An older server's database: no hidden flag, no bans, no proofs, and a trigger of its own.
  static constexpr const char* kBeforeHiding =
      "DROP TRIGGER records_added; DROP TRIGGER records_removed; DROP TRIGGER records_hidden;"
      "DROP TRIGGER records_shown; DROP TRIGGER verified_added; DROP TRIGGER verified_removed;"
      "DROP TRIGGER records_verified; DROP TRIGGER records_unverified;"
      "DROP TRIGGER replay_removed; DROP INDEX records_unproven; DROP INDEX records_checking;"
      "DROP INDEX records_verified; DROP INDEX records_refused;"
      "ALTER TABLE records DROP COLUMN hidden; ALTER TABLE records DROP COLUMN state;"
      "ALTER TABLE records DROP COLUMN state_detail; ALTER TABLE records DROP COLUMN submitter;"
      "DROP TABLE bans; DROP TABLE replays;"
      "DROP TABLE verified_players; DROP TABLE verified_players_week; DROP TABLE verified_total;"
      "CREATE TRIGGER records_removed AFTER DELETE ON records BEGIN"
      " UPDATE records_total SET n = n - 1; END;";
  void Raw(const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((dir.Path() / "records.sqlite").c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
  }
};

// PostgreSQL only where a server is given (CI starts a throw-away one). Each test process
// has a database of its own, since the suite runs tests side by side.
struct TPgMaker {
  const char* server = std::getenv("PEROLET_TEST_PG");
  std::string database = "perolet_store_test_" + std::to_string(getpid());
  std::string url;

  ~TPgMaker() {
    if (url.empty()) return;
    try {
      pqxx::connection connection(server);
      pqxx::nontransaction work(connection);
      work.exec("DROP DATABASE IF EXISTS " + database);
    } catch (const std::exception&) {
      // A database left behind goes with the throw-away cluster.
    }
  }
  std::unique_ptr<records::TRecordStore> Open() {
    return std::make_unique<records::TPgStore>(url, 2);
  }
  bool Available() const { return server && *server; }
  static constexpr const char* kBeforeHiding =
      "ALTER TABLE records DROP COLUMN hidden CASCADE, DROP COLUMN state CASCADE,"
      " DROP COLUMN state_detail, DROP COLUMN submitter; DROP TABLE bans, replays, "
      "verified_players,"
      " verified_players_week, verified_total;"
      "CREATE TRIGGER records_removed AFTER DELETE ON records"
      " FOR EACH ROW EXECUTE FUNCTION records_removed();";
  void Raw(const std::string& sql) {
    pqxx::connection connection(url);
    pqxx::nontransaction work(connection);
    work.exec(sql);
  }
  void Empty() {
    pqxx::connection connection(server);
    pqxx::nontransaction work(connection);
    work.exec("DROP DATABASE IF EXISTS " + database);
    work.exec("CREATE DATABASE " + database);
    url = std::string(server) + (std::string(server).find('?') == std::string::npos ? "?" : "&") +
          "dbname=" + database;
  }
};

template <typename TMaker>
class RecordStore : public testing::Test {
 protected:
  void SetUp() override {
    if (!maker.Available()) GTEST_SKIP() << "PEROLET_TEST_PG is not set: no PostgreSQL to test";
    maker.Empty();
    store = maker.Open();
  }
  TMaker maker;
  std::unique_ptr<records::TRecordStore> store;
};

using StoreTypes = testing::Types<TSqliteMaker, TPgMaker>;
TYPED_TEST_SUITE(RecordStore, StoreTypes);

// Who sent the records whose replays these tests send.
constexpr const char* kSender = "sender";

records::TStoredRecord From(records::TStoredRecord record, const char* submitter = kSender) {
  record.submitter = submitter;
  return record;
}

// Reads the whole view a page of `size` rows at a time, forward from the top by each page's
// last key, then back from the bottom by each page's first key; both walks must agree.
// The start of the week of the times 0 to 345599 these tests give their games.
constexpr int64_t kFirstWeek = -3 * 86400;

template <typename TStore>
std::vector<std::string> Walk(TStore& store, const records::TRecordFilter& filter, int64_t size) {
  auto label = [](const records::TStoredRecord& r) { return r.name + ":" + std::to_string(r.id); };
  std::vector<std::string> forward;
  records::TPageRequest request{filter, std::nullopt, std::nullopt, size};
  std::vector<records::TStoredRecord> page;
  std::optional<records::TRecordKey> last;
  constexpr size_t kMostRows = 100;  // more than any view here holds: a walk that repeats ends
  while (!(page = store.Page(request)).empty() && forward.size() < kMostRows) {
    for (const auto& row : page) forward.push_back(label(row));
    last = page.back().Key();
    request.after = last;
  }
  std::vector<std::string> backward;
  request.after.reset();
  if (last) {
    backward.push_back(forward.back());
    request.before = last;
    while (!(page = store.Page(request)).empty() && backward.size() < kMostRows) {
      for (auto row = page.rbegin(); row != page.rend(); ++row) backward.push_back(label(*row));
      request.before = page.front().Key();
    }
  }
  EXPECT_EQ(std::vector<std::string>(backward.rbegin(), backward.rend()), forward);
  return forward;
}

TYPED_TEST(RecordStore, PagesByKeyWalkEachViewOnceInOrder) {
  auto& store = *this->store;
  EXPECT_EQ(store.Count(), 0);
  // Ids 1 to 8 in this order. A player is a name with a country.
  const records::TStoredRecord games[] = {
      {"ann", "RU", 500, 30}, {"bob", "UA", 900, 50}, {"ann", "RU", 700, 10},
      {"ann", "UA", 500, 20}, {"c%_d", "", 500, 30},  {"cat", "", 0, 100},
      {"bob", "UA", 900, 40}, {"bob", "UA", 900, 40},
  };
  for (const auto& game : games) store.Add(game);
  EXPECT_EQ(store.Count(), 8);
  struct TCase {
    const char* what;
    records::TRecordFilter filter;
    std::vector<std::string> rows;
  };
  const TCase cases[] = {
      // Equal scores: the earlier time first, then the earlier submission.
      {"every game",
       {true, "", INT64_MIN},
       {"bob:7", "bob:8", "bob:2", "ann:3", "ann:4", "ann:1", "c%_d:5", "cat:6"}},
      {"each player's best",
       {false, "", INT64_MIN},
       {"bob:7", "ann:3", "ann:4", "c%_d:5", "cat:6"}},
      {"names from c", {true, "c", INT64_MIN}, {"c%_d:5", "cat:6"}},
      // % and _ are letters like any other, not wildcards.
      {"names from c%", {true, "c%", INT64_MIN}, {"c%_d:5"}},
      {"names from _", {false, "_", INT64_MIN}, {}},
      {"players from a", {false, "a", INT64_MIN}, {"ann:3", "ann:4"}},
      {"games since 40", {true, "", 40}, {"bob:7", "bob:8", "bob:2", "cat:6"}},
      // ann RU's best since 25 is her game at 30, not her 700 at 10.
      {"players since 25", {false, "", 25}, {"bob:7", "ann:1", "c%_d:5", "cat:6"}},
      {"players from c since 25", {false, "c", 25}, {"c%_d:5", "cat:6"}},
      // Every game here falls in the week that began on Monday 1969-12-29: its kept bests.
      {"players of the week",
       {false, "", kFirstWeek},
       {"bob:7", "ann:3", "ann:4", "c%_d:5", "cat:6"}},
      {"players from a of the week", {false, "a", kFirstWeek}, {"ann:3", "ann:4"}},
  };
  for (const TCase& c : cases) {
    for (int64_t size : {1, 2, 3, 100}) {
      SCOPED_TRACE(std::string(c.what) + ", pages of " + std::to_string(size));
      EXPECT_EQ(Walk(store, c.filter, size), c.rows);
    }
  }
}

TYPED_TEST(RecordStore, ADatabaseFromBeforeKeptPlayersGetsThemAtStart) {
  this->store->Add({"ann", "RU", 500, 30});
  this->store->Add({"ann", "RU", 700, 10});
  this->store->Add({"bob", "", 5, 10});
  this->store.reset();
  this->maker.Raw(
      "UPDATE records SET state = 2 WHERE id IN (1, 3);"
      "DROP TABLE players; DROP TABLE records_total; DROP INDEX records_name;"
      "DROP TABLE players_week; DROP TABLE verified_players; DROP TABLE verified_players_week;"
      "DROP TABLE verified_total;");
  this->store = this->maker.Open();
  EXPECT_EQ(this->store->Count(), 3);
  EXPECT_EQ(this->store->VerifiedCount(), 2);
  EXPECT_EQ(Walk(*this->store, {}, 1), (std::vector<std::string>{"ann:2", "bob:3"}));
  EXPECT_EQ(Walk(*this->store, {false, "", kFirstWeek}, 1),
            (std::vector<std::string>{"ann:2", "bob:3"}));
  for (const int64_t since : {INT64_MIN, kFirstWeek}) {
    EXPECT_EQ(Walk(*this->store, {false, "", since, true}, 1),
              (std::vector<std::string>{"ann:1", "bob:3"}));
  }
  this->store->Add({"bob", "", 900, 0});
  EXPECT_EQ(this->store->Count(), 4);
  EXPECT_EQ(Walk(*this->store, {}, 1), (std::vector<std::string>{"bob:4", "ann:2"}));
}

TYPED_TEST(RecordStore, AHiddenGameIsInNoViewAndHandsItsPlaceToThePlayersNextBest) {
  auto& store = *this->store;
  const records::TStoredRecord games[] = {
      {"ann", "RU", 700, 10}, {"ann", "RU", 500, 30}, {"bob", "", 900, 40}, {"bob", "", 900, 40}};
  for (const auto& game : games) store.Add(game);
  struct TCase {
    const char* change;
    int64_t count;
    std::vector<std::string> players;
    std::vector<std::string> games;
  };
  const TCase cases[] = {
      {"UPDATE records SET hidden = TRUE WHERE id IN (1, 3)",
       2,
       {"bob:4", "ann:2"},
       {"bob:4", "ann:2"}},
      {"UPDATE records SET hidden = TRUE WHERE id = 2", 1, {"bob:4"}, {"bob:4"}},
      {"DELETE FROM records WHERE id = 2", 1, {"bob:4"}, {"bob:4"}},  // hidden: nothing moves
      // Shown again, the earlier of bob's equal games is his best again.
      {"UPDATE records SET hidden = FALSE WHERE id IN (1, 3)",
       3,
       {"bob:3", "ann:1"},
       {"bob:3", "bob:4", "ann:1"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.change);
    this->maker.Raw(c.change);
    EXPECT_EQ(store.Count(), c.count);
    EXPECT_EQ(Walk(store, {false, "", INT64_MIN}, 1), c.players);
    EXPECT_EQ(Walk(store, {false, "", 0}, 1), c.players);           // the best since a time
    EXPECT_EQ(Walk(store, {false, "", kFirstWeek}, 1), c.players);  // the week's kept bests
    EXPECT_EQ(Walk(store, {true, "", INT64_MIN}, 2), c.games);
  }
}

TYPED_TEST(RecordStore, BansMatchTheExactNameOrAnAddressInTheNetwork) {
  for (const char* network : {"198.51.100.0/24", "2001:db8:1::/48"}) {
    const auto range = records::ParseAddressRange(network);
    this->maker.Raw("INSERT INTO bans VALUES ('prefix', '" + range->text + "', '" + range->low +
                    "', '" + range->high + "', 0)");
  }
  this->maker.Raw("INSERT INTO bans (kind, value, since) VALUES ('name', 'Вася', 0)");
  struct TCase {
    const char* name;
    const char* address;
    bool banned;
  };
  const TCase cases[] = {
      {"Вася", "192.0.2.1", true},         {"вася", "192.0.2.1", false},
      {"Вас", "192.0.2.1", false},         {"Bob", "198.51.100.255", true},
      {"Bob", "198.51.101.0", false},      {"Bob", "::ffff:198.51.100.7", true},
      {"Bob", "2001:db8:1:ffff::1", true}, {"Bob", "2001:db8:2::1", false},
      {"Bob", "not an address", false},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(this->store->Banned(c.name, c.address), c.banned) << c.name << " " << c.address;
}

TYPED_TEST(RecordStore, ADatabaseFromBeforeHidingGetsTheFlagAndTheBansAtStart) {
  this->store->Add({"ann", "RU", 700, 10});
  this->store->Add({"ann", "RU", 500, 30});
  this->store.reset();
  this->maker.Raw(TypeParam::kBeforeHiding);
  this->store = this->maker.Open();
  EXPECT_EQ(this->store->Count(), 2);
  EXPECT_FALSE(this->store->Banned("ann", "192.0.2.1"));
  this->maker.Raw("UPDATE records SET hidden = TRUE WHERE id = 1");
  EXPECT_EQ(this->store->Count(), 1);
  EXPECT_EQ(Walk(*this->store, {}, 1), (std::vector<std::string>{"ann:2"}));
  this->maker.Raw("DELETE FROM records WHERE id = 2");
  EXPECT_EQ(this->store->Count(), 0);
  EXPECT_EQ(Walk(*this->store, {}, 1), (std::vector<std::string>{}));
  // Its games have no proof, and a new one takes its replay.
  EXPECT_EQ(this->store->VerifiedCount(), 0);
  this->store->Add(From({"ann", "RU", 500, 40}));
  EXPECT_EQ(this->store->AttachReplay("ann", "RU", 500, kSender, {1}, 40).id, 3);
}

// The replays' bytes as a test sends them, told apart by their first.
std::vector<uint8_t> Replay(uint8_t first) {
  return {first, 0, 0xFF, 'P'};
}

TYPED_TEST(RecordStore, AReplayGoesOnceToTheNewestShownRecordItCouldProve) {
  auto& store = *this->store;
  // Ids 1 to 5; bob sent 900 twice.
  const records::TStoredRecord games[] = {{"ann", "RU", 700, 10},
                                          {"bob", "", 900, 40},
                                          {"bob", "", 900, 50},
                                          {"cat", "", 300, 20},
                                          {"dan", "", 100, 20}};
  for (const auto& game : games) store.Add(From(game));
  this->maker.Raw("UPDATE records SET hidden = TRUE WHERE id = 5");
  struct TCase {
    const char* name;
    const char* country;
    int64_t score;
    std::optional<int64_t> id;
  };
  const TCase cases[] = {
      {"bob", "", 900, 3},  // the newer of two equal games first
      {"bob", "", 900, 2},
      {"bob", "", 900, std::nullopt},  // both have theirs: a second upload gets nothing
      {"ann", "UA", 700, std::nullopt},
      {"ann", "RU", 705, std::nullopt},
      {"Ann", "RU", 700, std::nullopt},
      {"dan", "", 100, std::nullopt},  // hidden
      {"ann", "RU", 700, 1},
  };
  uint8_t nth = 0;  // each upload's bytes its own
  for (const TCase& c : cases) {
    EXPECT_EQ(store.AttachReplay(c.name, c.country, c.score, kSender, Replay(++nth), 100).id, c.id)
        << c.name << " " << c.country << " " << c.score;
  }
  // Waiting for the check, the oldest first, after a restart too.
  this->store.reset();
  this->store = this->maker.Open();
  EXPECT_EQ(this->store->PendingReplayIds(10), (std::vector<int64_t>{1, 2, 3}));
  EXPECT_EQ(this->store->PendingReplayIds(2), (std::vector<int64_t>{1, 2}));
  const auto pending = this->store->PendingReplay(3);
  ASSERT_TRUE(pending.has_value());
  EXPECT_EQ(std::tie(pending->record.name, pending->record.score, pending->record.time,
                     pending->record.id, pending->record.state),
            std::make_tuple(std::string("bob"), int64_t{900}, int64_t{50}, int64_t{3},
                            records::TRecordState::Checking));
  EXPECT_EQ(pending->replay, Replay(1));
  EXPECT_FALSE(this->store->PendingReplay(4).has_value());  // no replay came
  EXPECT_EQ(this->store->Count(), 4);                       // nothing hidden or shown by waiting
  EXPECT_EQ(this->store->VerifiedCount(), 0);
}

// Name, country and score are on the page for anyone to send: a replay goes only to a record
// of its own sender, sent within the window before it.
TYPED_TEST(RecordStore, AReplayGoesOnlyToItsSendersRecordSentJustBefore) {
  auto& store = *this->store;
  store.Add(From({"ann", "RU", 700, 1000}));
  store.Add({"ann", "RU", 700, 1000});  // kept from before the sender was: no one's
  struct TCase {
    const char* what;
    const char* submitter;
    int64_t now;
    std::optional<int64_t> id;
  };
  const TCase cases[] = {
      {"another sender", "another", 1000, std::nullopt},
      {"nobody", "", 1000, std::nullopt},
      {"its sender too late", kSender, 1000 + records::kReplayWindowSeconds + 1, std::nullopt},
      {"its sender in time", kSender, 1000 + records::kReplayWindowSeconds, 1},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(store.AttachReplay("ann", "RU", 700, c.submitter, Replay(1), c.now).id, c.id)
        << c.what;
}

// A verified game's replay is there for anyone to download: the same bytes never prove a
// second record, even one that waits for a replay from the same sender.
TYPED_TEST(RecordStore, AReplayKeptForOneRecordProvesNoOther) {
  auto& store = *this->store;
  for (int i = 0; i < 4; ++i) store.Add(From({"ann", "RU", 700, 10}));
  EXPECT_EQ(store.AttachReplay("ann", "RU", 700, kSender, Replay(1), 10).id, 4);
  const records::TAttachment copy = store.AttachReplay("ann", "RU", 700, kSender, Replay(1), 10);
  EXPECT_EQ(copy.id, std::nullopt);
  EXPECT_TRUE(copy.provesAnother);
  EXPECT_EQ(store.PendingReplayIds(10), std::vector<int64_t>{4});  // record 3 still waits
  EXPECT_EQ(store.AttachReplay("ann", "RU", 700, kSender, Replay(2), 10).id, 3);
  // An older database's replays have no hash, and their NULLs clash with nothing.
  this->store.reset();
  this->maker.Raw("DROP INDEX replays_sha256; ALTER TABLE replays DROP COLUMN sha256");
  this->store = this->maker.Open();
  EXPECT_EQ(this->store->AttachReplay("ann", "RU", 700, kSender, Replay(3), 10).id, 2);
  EXPECT_TRUE(this->store->AttachReplay("ann", "RU", 700, kSender, Replay(3), 10).provesAnother);
}

TYPED_TEST(RecordStore, AVerifiedGameIsInTheVerifiedViewsAndARefusedOneInNone) {
  auto& store = *this->store;
  const records::TStoredRecord games[] = {{"ann", "RU", 700, 10},
                                          {"ann", "RU", 500, 30},
                                          {"bob", "", 900, 40},
                                          {"bob", "", 900, 50},
                                          {"cat", "", 300, 20}};
  for (const auto& game : games) {
    store.Add(From(game));
    ASSERT_TRUE(store
                    .AttachReplay(game.name, game.country, game.score, kSender,
                                  Replay(static_cast<uint8_t>(game.time)), 0)
                    .id);
  }
  using records::TRecordState;
  struct TCase {
    const char* what;
    int64_t id;
    TRecordState verdict;  // Unverified: the change is SQL of an operator's instead
    const char* sql;
    int64_t count;
    int64_t verified;
    std::vector<std::string> verifiedPlayers;
    std::vector<std::string> verifiedGames;
    std::vector<std::string> games;
  };
  const std::vector<std::string> all = {"bob:3", "bob:4", "ann:1", "ann:2", "cat:5"};
  const std::vector<std::string> shown = {"bob:3", "ann:1", "ann:2", "cat:5"};
  const TCase cases[] = {
      {"verified", 2, TRecordState::Verified, "", 5, 1, {"ann:2"}, {"ann:2"}, all},
      {"a better one verified",
       1,
       TRecordState::Verified,
       "",
       5,
       2,
       {"ann:1"},
       {"ann:1", "ann:2"},
       all},
      {"refused", 4, TRecordState::Refused, "", 4, 2, {"ann:1"}, {"ann:1", "ann:2"}, shown},
      {"unchecked", 5, TRecordState::Unchecked, "", 4, 2, {"ann:1"}, {"ann:1", "ann:2"}, shown},
      {"verified",
       3,
       TRecordState::Verified,
       "",
       4,
       3,
       {"bob:3", "ann:1"},
       {"bob:3", "ann:1", "ann:2"},
       shown},
      {"hidden",
       0,
       TRecordState::Unverified,
       "UPDATE records SET hidden = TRUE WHERE id = 1",
       3,
       2,
       {"bob:3", "ann:2"},
       {"bob:3", "ann:2"},
       {"bob:3", "ann:2", "cat:5"}},
      {"shown",
       0,
       TRecordState::Unverified,
       "UPDATE records SET hidden = FALSE WHERE id = 1",
       4,
       3,
       {"bob:3", "ann:1"},
       {"bob:3", "ann:1", "ann:2"},
       shown},
      {"deleted",
       0,
       TRecordState::Unverified,
       "DELETE FROM records WHERE id = 3",
       3,
       2,
       {"ann:1"},
       {"ann:1", "ann:2"},
       {"ann:1", "ann:2", "cat:5"}},
      // Checked once: a late verdict changes nothing.
      {"refused late",
       1,
       TRecordState::Refused,
       "",
       3,
       2,
       {"ann:1"},
       {"ann:1", "ann:2"},
       {"ann:1", "ann:2", "cat:5"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.what) + " " + std::to_string(c.id) + c.sql);
    if (*c.sql) {
      this->maker.Raw(c.sql);
    } else {
      store.SetVerdict(c.id, c.verdict, "why");
    }
    EXPECT_EQ(store.Count(), c.count);
    EXPECT_EQ(store.VerifiedCount(), c.verified);
    for (const int64_t since : {INT64_MIN, int64_t{0}, kFirstWeek})  // kept, window, week
      EXPECT_EQ(Walk(store, {false, "", since, true}, 1), c.verifiedPlayers);
    std::vector<std::string> fromA;
    for (const auto& player : c.verifiedPlayers)
      if (player[0] == 'a') fromA.push_back(player);
    EXPECT_EQ(Walk(store, {false, "a", INT64_MIN, true}, 1), fromA);
    EXPECT_EQ(Walk(store, {true, "", INT64_MIN, true}, 2), c.verifiedGames);
    EXPECT_EQ(Walk(store, {true, "", INT64_MIN}, 2), c.games);
  }
  // The rows say what is known of each game; only a verified one's replay is given out.
  std::vector<std::string> states;
  for (const auto& row : store.Page({{true, "", INT64_MIN}, std::nullopt, std::nullopt, 10}))
    states.push_back(std::string(records::StateName(row.state)) + " " + row.stateDetail);
  EXPECT_EQ(states, (std::vector<std::string>{"verified why", "verified why", "unchecked why"}));
  EXPECT_EQ(store.VerifiedReplay(1), Replay(10));
  EXPECT_EQ(store.VerifiedReplay(2), Replay(30));
  for (const int64_t id : {3, 4, 5, 6}) EXPECT_FALSE(store.VerifiedReplay(id).has_value()) << id;
  EXPECT_EQ(store.PendingReplayIds(10), std::vector<int64_t>{});
}

TYPED_TEST(RecordStore, LosesNothingWrittenFromManyThreadsAndKeepsItAfterReopening) {
  constexpr int kThreads = 8;
  constexpr int kEach = 50;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < kEach; ++i)
        this->store->Add({"t" + std::to_string(t), "", (t * kEach + i) * 5, i});
    });
  }
  for (auto& thread : threads) thread.join();
  this->store.reset();
  auto reopened = this->maker.Open();
  EXPECT_EQ(reopened->Count(), kThreads * kEach);
  const auto best = reopened->Page({{true, "", INT64_MIN}, std::nullopt, std::nullopt, 1});
  ASSERT_EQ(best.size(), 1u);
  EXPECT_EQ(best[0].score, (kThreads * kEach - 1) * 5);
}

// Two uploads of one game at once, where they truly run side by side: the second waits for
// the first's hold on the record and then finds it taken.
TEST(RecordStorePg, OfTwoUploadsOfOneGameAtOnceOneTakesTheRecord) {
  TPgMaker maker;
  if (!maker.Available()) GTEST_SKIP() << "PEROLET_TEST_PG is not set: no PostgreSQL to test";
  maker.Empty();
  auto store = maker.Open();
  store->Add(From({"eve", "", 5, 0}));
  pqxx::connection first(maker.url);
  pqxx::work holding(first);
  ASSERT_EQ(
      holding.exec_params(records::PostgresParams(records::kAttachReplay), "eve", "", 5, kSender, 0)
          .size(),
      1u);
  std::optional<int64_t> second = 0;
  std::thread upload([&] { second = store->AttachReplay("eve", "", 5, kSender, Replay(5), 0).id; });
  pqxx::connection watcher(maker.url);
  constexpr int kLooks = 10'000;
  bool waiting = false;
  for (int look = 0; look < kLooks && !waiting; ++look) {
    pqxx::nontransaction work(watcher);
    waiting = !work.exec(
                       "SELECT 1 FROM pg_stat_activity WHERE wait_event_type = 'Lock'"
                       " AND datname = current_database()")
                   .empty();
    if (!waiting) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  holding.commit();
  upload.join();
  EXPECT_TRUE(waiting) << "the second upload never waited for the first";
  EXPECT_EQ(second, std::nullopt);
}

TEST(RecordStoreFile, AnSqliteStoreThatCannotOpenItsFileSaysWhich) {
  try {
    records::TSqliteStore store("/nonexistent-folder/records.sqlite");
    FAIL() << "opened";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("/nonexistent-folder/records.sqlite"),
              std::string::npos)
        << error.what();
  }
}

}  // namespace
