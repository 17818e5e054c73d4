#include "pg_store.h"

#include <pqxx/pqxx>

namespace records {

namespace {

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS records ("
    " id BIGSERIAL PRIMARY KEY, name TEXT NOT NULL, country TEXT NOT NULL,"
    " score BIGINT NOT NULL, submitted BIGINT NOT NULL);"
    "CREATE INDEX IF NOT EXISTS records_best ON records (score DESC, submitted, id);";

void Prepare(pqxx::connection& connection) {
  connection.prepare(
      "add", "INSERT INTO records (name, country, score, submitted) VALUES ($1, $2, $3, $4)");
  connection.prepare("best",
                     "SELECT name, country, score, submitted FROM records"
                     " ORDER BY score DESC, submitted, id LIMIT $1 OFFSET $2");
  connection.prepare("count", "SELECT count(*) FROM records");
}

// Two servers started together may both try to make the table; the loser's attempt fails
// on the catalogue's unique index, and the table is there when it tries again.
void MakeSchema(pqxx::connection& connection) {
  constexpr int kAttempts = 3;
  for (int attempt = 1;; ++attempt) {
    try {
      pqxx::work work(connection);
      work.exec(kSchema);
      work.commit();
      return;
    } catch (const pqxx::sql_error&) {
      if (attempt == kAttempts) throw;
    }
  }
}

}  // namespace

// A connection borrowed from the pool; a connection that broke is replaced by a new one.
class TPgStore::TLease {
 public:
  explicit TLease(TPgStore& store) : store_(store) {
    std::unique_lock lock(store.mutex_);
    store.returned_.wait(lock, [&] { return !store.idle_.empty(); });
    connection_ = std::move(store.idle_.back());
    store.idle_.pop_back();
  }
  ~TLease() {
    if (!connection_->is_open()) {
      try {
        connection_ = std::make_unique<pqxx::connection>(store_.url_);
        Prepare(*connection_);
      } catch (const std::exception&) {
        // The next borrower tries the broken one again and reports the failure.
      }
    }
    std::lock_guard lock(store_.mutex_);
    store_.idle_.push_back(std::move(connection_));
    store_.returned_.notify_one();
  }
  TLease(const TLease&) = delete;
  TLease& operator=(const TLease&) = delete;

  pqxx::connection& operator*() { return *connection_; }

 private:
  TPgStore& store_;
  std::unique_ptr<pqxx::connection> connection_;
};

TPgStore::TPgStore(const std::string& url, size_t connections) : url_(url) {
  try {
    for (size_t i = 0; i < connections; ++i) {
      auto connection = std::make_unique<pqxx::connection>(url);
      if (i == 0) MakeSchema(*connection);
      Prepare(*connection);
      idle_.push_back(std::move(connection));
    }
  } catch (const std::exception& error) {
    throw std::runtime_error(std::string("PostgreSQL: ") + error.what());
  }
}

TPgStore::~TPgStore() = default;

void TPgStore::Add(const TStoredRecord& record) {
  TLease lease(*this);
  try {
    pqxx::work work(*lease);
    work.exec_prepared("add", record.name, record.country, record.score, record.time);
    work.commit();
  } catch (const std::exception& error) {
    throw std::runtime_error(std::string("PostgreSQL: ") + error.what());
  }
}

std::vector<TStoredRecord> TPgStore::Best(int64_t limit, int64_t offset) {
  TLease lease(*this);
  std::vector<TStoredRecord> rows;
  try {
    pqxx::read_transaction work(*lease);
    for (const auto& row : work.exec_prepared("best", limit, offset)) {
      rows.push_back({row[0].as<std::string>(), row[1].as<std::string>(), row[2].as<int64_t>(),
                      row[3].as<int64_t>()});
    }
  } catch (const std::exception& error) {
    throw std::runtime_error(std::string("PostgreSQL: ") + error.what());
  }
  return rows;
}

int64_t TPgStore::Count() {
  TLease lease(*this);
  try {
    pqxx::read_transaction work(*lease);
    return work.exec_prepared1("count")[0].as<int64_t>();
  } catch (const std::exception& error) {
    throw std::runtime_error(std::string("PostgreSQL: ") + error.what());
  }
}

}  // namespace records
