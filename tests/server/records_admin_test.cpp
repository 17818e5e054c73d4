#include "records_admin.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <tuple>

#include "admin_command.h"
#include "records_service.h"
#include "score/score_record.h"
#include "sqlite_store.h"
#include "support/temp_dir.h"

namespace {

constexpr int64_t kNow = 1'796'822'400'000;         // 2026-12-09 13:20 UTC, in ms
constexpr const char* kVasya = "\xC2\xE0\xF1\xFF";  // "Вася" in code page 1251

// A running server's store and service, and the operator working on the same file beside it.
class RecordsAdmin : public testing::Test {
 protected:
  RecordsAdmin()
      : path((dir.Path() / "r.sqlite").string()),
        store(path),
        admin(records::OpenRecordsAdmin(path)) {}

  records::TReply Submit(const std::string& name, int32_t points, const std::string& client) {
    return Get("/cgi/version.pl?hs&prg=Featherstrike&inf=" +
                   score::EncodeScoreRecord(score::BuildScoreRecord(name, points, "RU")),
               client);
  }
  records::TReply Get(const std::string& target, const std::string& client = "192.0.2.1") {
    return service.Handle("GET", target, client, kNow);
  }
  // The names and scores of a JSON view's rows, and its total.
  std::string Api(const std::string& query) {
    const std::string body = Get("/api/records?" + query).body;
    std::string rows = body.substr(0, body.find(",\"limit\""));
    for (size_t at = body.find("\"name\":"); at != std::string::npos;
         at = body.find("\"name\":", at + 1))
      rows += " " + body.substr(at + 7, body.find(",\"time\"", at) - at - 7);
    return rows;
  }
  int Command(std::vector<std::string> args, std::string* out = nullptr,
              std::string* err = nullptr) {
    args.insert(args.begin(), {"--db", path});
    std::ostringstream said, complained;
    const int status = records::RunAdminCommand(args, said, complained, kNow / 1000);
    if (out) *out = said.str();
    if (err) *err = complained.str();
    return status;
  }

  test_support::TTempWorkDir dir;
  std::string path;
  records::TSqliteStore store;
  records::TRecordsService service{store, records::TServiceLimits()};
  records::TRecordsAdmin admin;
};

const char* const kViews[] = {"", "all=1", "week=1", "name=An"};

TEST_F(RecordsAdmin, AHiddenGameIsKeptButShownNowhereAndIsNoOnesBest) {
  const int64_t monday = 1'796'601'600;
  store.Add({"Anna", "RU", 900, monday + 1});
  store.Add({"Anna", "RU", 500, monday + 2});
  store.Add({"Bob", "", 700, monday + 3});
  ASSERT_EQ(admin.SetHidden(1, true), records::TChange::Done);
  const std::string shown[] = {
      R"({"total":2 "Bob","country":"","score":700 "Anna","country":"RU","score":500)",
      R"({"total":2 "Bob","country":"","score":700 "Anna","country":"RU","score":500)",
      R"({"total":2 "Bob","country":"","score":700 "Anna","country":"RU","score":500)",
      R"({"total":2 "Anna","country":"RU","score":500)",
  };
  for (size_t i = 0; i < std::size(kViews); ++i) EXPECT_EQ(Api(kViews[i]), shown[i]) << kViews[i];
  const std::string page = Get("/cgi/version.pl?prg=Featherstrike&show&all=1").body;
  EXPECT_EQ(page.find(">900<"), std::string::npos);
  EXPECT_NE(page.find(">500<"), std::string::npos);
  // Kept, and the operator still sees it.
  const auto latest = admin.Latest(10);
  ASSERT_EQ(latest.size(), 3u);
  EXPECT_EQ(latest[2].record.score, 900);
  EXPECT_TRUE(latest[2].hidden);
  EXPECT_FALSE(latest[1].hidden);
  EXPECT_EQ(admin.SetHidden(1, true), records::TChange::Already);
  EXPECT_EQ(admin.SetHidden(4, true), records::TChange::Missing);
}

TEST_F(RecordsAdmin, AGameShownAgainIsWhereItWasBefore) {
  const int64_t monday = 1'796'601'600;
  store.Add({"Anna", "RU", 900, monday + 1});
  store.Add({"Anna", "RU", 500, monday + 2});
  store.Add({"Bob", "", 700, monday + 3});
  std::vector<std::string> before;
  for (const char* view : kViews) before.push_back(Api(view));
  ASSERT_EQ(admin.SetHidden(1, true), records::TChange::Done);
  ASSERT_EQ(admin.SetHidden(1, false), records::TChange::Done);
  for (size_t i = 0; i < std::size(kViews); ++i) EXPECT_EQ(Api(kViews[i]), before[i]) << kViews[i];
  EXPECT_EQ(admin.SetHidden(1, false), records::TChange::Already);
}

TEST_F(RecordsAdmin, ABanRefusesLaterRecordsOfTheNameOrFromTheNetworkUntilLifted) {
  ASSERT_EQ(admin.BanName("Вася", 0), records::TChange::Done);
  ASSERT_EQ(admin.BanNetwork(*records::ParseAddressRange("198.51.100.0/24"), 0),
            records::TChange::Done);
  EXPECT_EQ(admin.BanName("Вася", 0), records::TChange::Already);
  const auto refused = Submit(kVasya, 5, "192.0.2.1");
  EXPECT_EQ(refused.status, 403);
  EXPECT_EQ(refused.body, "results under this name or from this network are not taken here\n");
  EXPECT_EQ(Submit("Bob", 5, "198.51.100.200").status, 403);
  EXPECT_EQ(Submit("Bob", 5, "198.51.101.1").status, 200);
  EXPECT_EQ(store.Count(), 1);
  // A refused record was not taken as sent: once the ban is lifted the same one is stored.
  ASSERT_EQ(admin.Unban(records::TBanKind::Name, "Вася"), records::TChange::Done);
  EXPECT_EQ(admin.Unban(records::TBanKind::Name, "Вася"), records::TChange::Missing);
  EXPECT_EQ(Submit(kVasya, 5, "192.0.2.1").body, "<p>Результат принят.</p>\n");
  EXPECT_EQ(store.Count(), 2);
}

TEST_F(RecordsAdmin, ABackupOpensWithTheSameRowsAndBans) {
  for (int i = 0; i < 300; ++i) store.Add({"p" + std::to_string(i), "RU", i * 5, i});
  admin.SetHidden(7, true);
  admin.BanName("Bob", 12);
  const std::string copy = (dir.Path() / "copy.sqlite").string();
  std::string out;
  ASSERT_EQ(Command({"backup", copy}, &out), 0);
  EXPECT_EQ(out, "backed up into " + copy + "\n");
  store.Add({"late", "", 5, 0});  // after the backup: not in it
  auto backup = records::OpenRecordsAdmin(copy);
  const auto rows = backup.Latest(1000);
  ASSERT_EQ(rows.size(), 300u);
  const auto original = admin.Latest(1000);
  for (size_t i = 0; i < rows.size(); ++i) {
    const auto& row = rows[i].record;
    const auto& was = original[i + 1].record;
    EXPECT_EQ(std::tie(row.id, row.name, row.country, row.score, row.time),
              std::tie(was.id, was.name, was.country, was.score, was.time));
    EXPECT_EQ(rows[i].hidden, original[i + 1].hidden) << i;
  }
  EXPECT_EQ(records::TSqliteStore(copy).Count(), 299);
  ASSERT_EQ(backup.Bans().size(), 1u);
  EXPECT_EQ(backup.Bans()[0].value, "Bob");
  // The database itself is never the target.
  std::string err;
  EXPECT_EQ(Command({"backup", path}, &out, &err), 1);
  EXPECT_EQ(err, "perolet-records admin: the backup would overwrite the database itself\n");
}

TEST_F(RecordsAdmin, TheCommandLineSaysWhatItDidAndEscapesWhatStrangersWrote) {
  for (const auto& [name, score, time] :
       {std::tuple<std::string, int64_t, int64_t>{"Anna", 900, 1'796'822'405},
        {"b\tx\x1b]0;\\\xC2\x85", 5, 0}}) {  // a tab, an escape, a backslash, NEL
    records::TStoredRecord record{name, "RU", score, time};
    record.submitter = "sender";
    store.Add(record);
    store.AttachReplay(name, "RU", score, "sender", {static_cast<uint8_t>(score)}, 0);
  }
  store.SetVerdict(1, records::TRecordState::Unchecked, "0.0.9\x1b");
  struct TCase {
    std::vector<std::string> args;
    int status;
    std::string out;  // or the start of what went to stderr
  };
  const std::string head = "id\tname\tcountry\tscore\ttime (UTC)\tvisibility\tstate\tdetail\n";
  const TCase cases[] = {
      {{"list"},
       0,
       head + "2\tb\\x09x\\x1b]0;\\\\\\u0085\tRU\t5\t1970-01-01 00:00:00\tshown\tchecking\t\n" +
           "1\tAnna\tRU\t900\t2026-12-09 13:20:05\tshown\tunchecked\t0.0.9\\x1b\n"},
      {{"list", "--limit", "1"},
       0,
       head + "2\tb\\x09x\\x1b]0;\\\\\\u0085\tRU\t5\t1970-01-01 00:00:00\tshown\tchecking\t\n"},
      {{"find", "An"},
       0,
       head + "1\tAnna\tRU\t900\t2026-12-09 13:20:05\tshown\tunchecked\t0.0.9\\x1b\n"},
      {{"hide", "1"}, 0, "record 1 hidden\n"},
      {{"find", "An"},
       0,
       head + "1\tAnna\tRU\t900\t2026-12-09 13:20:05\thidden\tunchecked\t0.0.9\\x1b\n"},
      {{"hide", "1"}, 0, "record 1 was hidden already\n"},
      {{"unhide", "1"}, 0, "record 1 shown\n"},
      {{"hide", "3"}, 1, "perolet-records admin: no record 3\n"},
      {{"ban", "prefix", "2001:db8::7/32"}, 0, "ban of the prefix 2001:db8::/32 made\n"},
      {{"ban", "prefix", "::ffff:192.0.2.9/120"}, 0, "ban of the prefix 192.0.2.0/24 made\n"},
      {{"ban", "prefix", "192.0.2.0/24"}, 0, "ban of the prefix 192.0.2.0/24 was there already\n"},
      {{"ban", "name", "--", "-x-"}, 0, "ban of the name -x- made\n"},
      {{"bans"},
       0,
       "kind\tvalue\tsince (UTC)\nname\t-x-\t2026-12-09 13:20:00\n"
       "prefix\t192.0.2.0/24\t2026-12-09 13:20:00\nprefix\t2001:db8::/32\t2026-12-09 13:20:00\n"},
      {{"unban", "prefix", "192.0.2.0/24"}, 0, "ban of the prefix 192.0.2.0/24 lifted\n"},
      {{"unban", "name", "nobody"}, 1, "perolet-records admin: no ban of the name nobody\n"},
      {{"hide", "0"}, 2, "perolet-records admin: hide needs a whole number from 1 to"},
      {{"ban", "prefix", "192.0.2.0/33"}, 2, "perolet-records admin: a prefix is ADDR/LEN"},
      {{"ban", "prefix", "2001:db8::/129"}, 2, "perolet-records admin: a prefix is ADDR/LEN"},
      {{"ban", "name", "thirteen-long"}, 2, "perolet-records admin: a name from the game is"},
      {{"ban", "who", "x"}, 2, "perolet-records admin: ban takes name NAME or prefix ADDR/LEN"},
      {{"list", "--limit", "0"}, 2, "perolet-records admin: --limit needs a whole number"},
      {{"hide"}, 2, "perolet-records admin: hide takes 1 argument\n"},
      {{}, 2, "perolet-records admin: no command\n"},
      {{"drop"}, 2, "perolet-records admin: unknown command \"drop\"\n"},
  };
  for (const TCase& c : cases) {
    std::string what;
    for (const auto& arg : c.args) what += arg + " ";
    std::string out, err;
    EXPECT_EQ(Command(c.args, &out, &err), c.status) << what << err;
    if (c.status == 0) {
      EXPECT_EQ(out, c.out) << what;
    } else {
      EXPECT_EQ(err.substr(0, c.out.size()), c.out) << what;
    }
  }
  std::ostringstream out, err;
  EXPECT_EQ(records::RunAdminCommand({"--db", path + ".missing", "list"}, out, err, 0), 1);
  EXPECT_EQ(err.str(), "perolet-records admin: no database at " + path + ".missing\n");
  EXPECT_FALSE(std::filesystem::exists(path + ".missing"));
}

TEST_F(RecordsAdmin, RefusedListsTheGamesWhoseReplayPlayedToSomethingElseNewestFirst) {
  const records::TStoredRecord games[] = {
      {"Anna", "RU", 900, 1'796'822'405}, {"Bob", "", 700, 0}, {"Cat", "", 500, 5}};
  for (auto game : games) {
    game.submitter = "sender";
    store.Add(game);
    store.AttachReplay(game.name, game.country, game.score, "sender",
                       {static_cast<uint8_t>(game.score)}, 0);
  }
  store.SetVerdict(1, records::TRecordState::Refused, "plays to 120, not 900");
  store.SetVerdict(2, records::TRecordState::Verified, "");
  store.SetVerdict(3, records::TRecordState::Refused, "typed \"Cat\x1b\"");
  const std::string head = "id\tname\tcountry\tscore\ttime (UTC)\treason\n";
  struct TCase {
    std::vector<std::string> args;
    std::string out;
  };
  const TCase cases[] = {
      {{"refused"},
       head + "3\tCat\t\t500\t1970-01-01 00:00:05\ttyped \"Cat\\x1b\"\n" +
           "1\tAnna\tRU\t900\t2026-12-09 13:20:05\tplays to 120, not 900\n"},
      {{"refused", "--limit", "1"},
       head + "3\tCat\t\t500\t1970-01-01 00:00:05\ttyped \"Cat\\x1b\"\n"},
      {{"list", "--limit", "2"},
       "id\tname\tcountry\tscore\ttime (UTC)\tvisibility\tstate\tdetail\n"
       "3\tCat\t\t500\t1970-01-01 00:00:05\thidden\trefused\ttyped \"Cat\\x1b\"\n"
       "2\tBob\t\t700\t1970-01-01 00:00:00\tshown\tverified\t\n"},
  };
  for (const TCase& c : cases) {
    std::string out;
    EXPECT_EQ(Command(c.args, &out), 0) << c.args[0];
    EXPECT_EQ(out, c.out) << c.args[0];
  }
  EXPECT_EQ(Api(""), R"({"total":1 "Bob","country":"","score":700)");
}

TEST(AddressRange, HoldsTheAddressesOfItsNetworkAndNoOthers) {
  struct TCase {
    const char* text;
    const char* written;  // nullptr: refused
    std::vector<const char*> in;
    std::vector<const char*> out;
  };
  const TCase cases[] = {
      {"198.51.100.77/24",
       "198.51.100.0/24",
       {"198.51.100.0", "198.51.100.255", "::ffff:198.51.100.1"},
       {"198.51.99.255", "198.51.101.0", "2001:db8::1", "not an address"}},
      {"192.0.2.1/32", "192.0.2.1/32", {"192.0.2.1"}, {"192.0.2.0", "192.0.2.2"}},
      {"0.0.0.0/0", "0.0.0.0/0", {"0.0.0.0", "255.255.255.255"}, {"::1"}},
      {"2001:db8:1::/48",
       "2001:db8:1::/48",
       {"2001:db8:1:ffff::9"},
       {"2001:db8:2::", "198.51.100.1"}},
      {"::/0", "::/0", {"::", "2001:db8::1", "192.0.2.1"}, {}},
      {"192.0.2.0/33", nullptr, {}, {}},
      {"2001:db8::/129", nullptr, {}, {}},
      {"192.0.2.0", nullptr, {}, {}},
      {"192.0.2.0/", nullptr, {}, {}},
      {"192.0.2.0/-1", nullptr, {}, {}},
      {"192.0.2.0/24x", nullptr, {}, {}},
      {"example.org/24", nullptr, {}, {}},
  };
  for (const TCase& c : cases) {
    const auto range = records::ParseAddressRange(c.text);
    ASSERT_EQ(range.has_value(), c.written != nullptr) << c.text;
    if (!range) continue;
    EXPECT_EQ(range->text, c.written);
    for (const char* address : c.in) {
      const std::string hex = records::AddressHex(address);
      EXPECT_TRUE(range->low <= hex && hex <= range->high) << c.text << " " << address;
    }
    for (const char* address : c.out) {
      const std::string hex = records::AddressHex(address);
      EXPECT_FALSE(range->low <= hex && hex <= range->high) << c.text << " " << address;
    }
  }
}

}  // namespace
