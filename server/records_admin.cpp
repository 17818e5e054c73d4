#include "records_admin.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace records {

namespace {

constexpr const char* kRecordColumns =
    "SELECT id, name, country, score, submitted, CASE WHEN hidden THEN 1 ELSE 0 END, state,"
    " state_detail FROM records";

int64_t Whole(const std::string& text) {
  int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size())
    throw std::runtime_error("the database gave \"" + text + "\" for a number");
  return value;
}

const char* KindText(TBanKind kind) {
  return kind == TBanKind::Name ? "name" : "prefix";
}

}  // namespace

TRecordsAdmin::TRecordsAdmin(std::unique_ptr<TSqlSession> session) : session_(std::move(session)) {}

// The statements are written with SQLite's ?1, ?2…; PostgreSQL numbers them $1, $2….
TSqlQuery TRecordsAdmin::Query(const std::string& sql,
                               std::vector<std::variant<int64_t, std::string>> params) {
  TSqlQuery query{sql, std::move(params)};
  if (session_->Dialect() == TSqlDialect::Postgres)
    std::replace(query.text.begin(), query.text.end(), '?', '$');
  return query;
}

std::vector<TAdminRecord> TRecordsAdmin::Records(const TSqlQuery& query) {
  std::vector<TAdminRecord> records;
  for (const auto& row : session_->Rows(query)) {
    if (row.size() != 8) throw std::runtime_error("the database gave a record of the wrong shape");
    records.push_back({{row[1], row[2], Whole(row[3]), Whole(row[4]), Whole(row[0]),
                        StoredState(Whole(row[6])), row[7]},
                       row[5] == "1"});
  }
  return records;
}

std::vector<TAdminRecord> TRecordsAdmin::Latest(int64_t limit) {
  return Records(Query(std::string(kRecordColumns) + " ORDER BY id DESC LIMIT ?1", {limit}));
}

std::vector<TAdminRecord> TRecordsAdmin::Find(const std::string& namePrefix, int64_t limit) {
  // Names compare byte by byte on both stores, whatever PostgreSQL's locale, as on the page.
  const std::string name =
      session_->Dialect() == TSqlDialect::Sqlite ? "name" : "name COLLATE \"C\"";
  return Records(Query(std::string(kRecordColumns) + " WHERE " + name + " >= ?1 AND " + name +
                           " < ?2 ORDER BY id DESC LIMIT ?3",
                       {namePrefix, PrefixEnd(namePrefix), limit}));
}

std::vector<TAdminRecord> TRecordsAdmin::Refused(int64_t limit) {
  return Records(Query(std::string(kRecordColumns) + " WHERE state = " +
                           std::to_string(static_cast<int>(TRecordState::Refused)) +
                           " ORDER BY id DESC LIMIT ?1",
                       {limit}));
}

// The stores' triggers move the player's best and the count as the flag changes.
TChange TRecordsAdmin::SetHidden(int64_t id, bool hidden) {
  const char* sql = hidden ? "UPDATE records SET hidden = TRUE WHERE id = ?1 AND NOT hidden"
                           : "UPDATE records SET hidden = FALSE WHERE id = ?1 AND hidden";
  if (session_->Change(Query(sql, {id})) > 0) return TChange::Done;
  return session_->Rows(Query("SELECT 1 FROM records WHERE id = ?1", {id})).empty()
             ? TChange::Missing
             : TChange::Already;
}

TChange TRecordsAdmin::Ban(const TSqlQuery& insert) {
  return session_->Change(insert) > 0 ? TChange::Done : TChange::Already;
}

TChange TRecordsAdmin::BanName(const std::string& name, int64_t nowSeconds) {
  if (!BannableName(name)) throw std::invalid_argument("no name from the game is \"" + name + "\"");
  return Ban(
      Query("INSERT INTO bans (kind, value, since) VALUES ('name', ?1, ?2)"
            " ON CONFLICT (kind, value) DO NOTHING",
            {name, nowSeconds}));
}

TChange TRecordsAdmin::BanNetwork(const TAddressRange& network, int64_t nowSeconds) {
  return Ban(
      Query("INSERT INTO bans (kind, value, low, high, since)"
            " VALUES ('prefix', ?1, ?2, ?3, ?4) ON CONFLICT (kind, value) DO NOTHING",
            {network.text, network.low, network.high, nowSeconds}));
}

TChange TRecordsAdmin::Unban(TBanKind kind, const std::string& value) {
  return session_->Change(
             Query("DELETE FROM bans WHERE kind = ?1 AND value = ?2", {KindText(kind), value})) > 0
             ? TChange::Done
             : TChange::Missing;
}

std::vector<TBan> TRecordsAdmin::Bans() {
  std::vector<TBan> bans;
  for (const auto& row :
       session_->Rows(Query("SELECT kind, value, since FROM bans ORDER BY kind, value", {}))) {
    if (row.size() != 3) throw std::runtime_error("the database gave a ban of the wrong shape");
    bans.push_back({row[0] == "name" ? TBanKind::Name : TBanKind::Prefix, row[1], Whole(row[2])});
  }
  return bans;
}

TRecordsAdmin OpenRecordsAdmin(const std::string& database) {
  if (database.starts_with("postgresql://") || database.starts_with("postgres://"))
    return TRecordsAdmin(OpenPgSession(database));
  return TRecordsAdmin(OpenSqliteSession(database));
}

}  // namespace records
