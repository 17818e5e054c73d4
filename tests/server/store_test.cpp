#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <pqxx/pqxx>
#include <thread>

#include <unistd.h>

#include "pg_store.h"
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

TYPED_TEST(RecordStore, KeepsRecordsBestFirstAndPagesThem) {
  auto& store = *this->store;
  EXPECT_EQ(store.Count(), 0);
  EXPECT_TRUE(store.Best(10, 0).empty());
  // Equal scores: the earlier time first, then the earlier submission.
  store.Add({"третий", "RU", 500, 30});
  store.Add({"<b>'\"", "", 900, 50});
  store.Add({"второй", "UA", 500, 20});
  store.Add({"четвёртый", "BY", 500, 30});
  store.Add({"last", "", 0, 10});
  EXPECT_EQ(store.Count(), 5);
  const auto all = store.Best(100, 0);
  ASSERT_EQ(all.size(), 5u);
  const char* order[] = {"<b>'\"", "второй", "третий", "четвёртый", "last"};
  for (size_t i = 0; i < all.size(); ++i) EXPECT_EQ(all[i].name, order[i]) << i;
  EXPECT_EQ(all[1].country, "UA");
  EXPECT_EQ(all[1].score, 500);
  EXPECT_EQ(all[1].time, 20);
  const auto middle = store.Best(2, 2);
  ASSERT_EQ(middle.size(), 2u);
  EXPECT_EQ(middle[0].name, "третий");
  EXPECT_EQ(middle[1].name, "четвёртый");
  EXPECT_TRUE(store.Best(10, 5).empty());
  EXPECT_TRUE(store.Best(0, 0).empty());
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
  const auto best = reopened->Best(1, 0);
  ASSERT_EQ(best.size(), 1u);
  EXPECT_EQ(best[0].score, (kThreads * kEach - 1) * 5);
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
