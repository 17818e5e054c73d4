// The operator's statements on PostgreSQL, each in a transaction of its own on one connection.
#include <pqxx/pqxx>

#include <stdexcept>

#include "pg_store.h"
#include "records_admin.h"

namespace records {

namespace {

class TPgSession : public TSqlSession {
 public:
  explicit TPgSession(const std::string& url) {
    try {
      // The server's own store brings the database to its schema, then leaves it to us.
      TPgStore(url, 1).Count();
      connection_ = std::make_unique<pqxx::connection>(url);
    } catch (const std::exception& error) {
      throw std::runtime_error(std::string("PostgreSQL: ") + error.what());
    }
  }

  TSqlDialect Dialect() const override { return TSqlDialect::Postgres; }

  std::vector<std::vector<std::string>> Rows(const TSqlQuery& query) override {
    std::vector<std::vector<std::string>> rows;
    for (const auto& row : Run(query)) {
      std::vector<std::string>& out = rows.emplace_back();
      for (const auto& field : row) out.push_back(field.is_null() ? "" : field.c_str());
    }
    return rows;
  }

  int64_t Change(const TSqlQuery& query) override { return Run(query).affected_rows(); }

  void Backup(const std::string& file) override {
    throw std::runtime_error(
        "PostgreSQL is backed up with its own tool, while the servers run:\n"
        "  pg_dump --format=custom --file='" +
        file + "' DATABASE-URL");
  }

 private:
  pqxx::result Run(const TSqlQuery& query) {
    std::vector<std::string> params;
    for (const auto& param : query.params) {
      const auto* number = std::get_if<int64_t>(&param);
      params.push_back(number ? std::to_string(*number) : std::get<std::string>(param));
    }
    try {
      pqxx::work work(*connection_);
      pqxx::result result =
          work.exec_params(query.text, pqxx::prepare::make_dynamic_params(params));
      work.commit();
      return result;
    } catch (const std::exception& error) {
      throw std::runtime_error(std::string("PostgreSQL: ") + error.what());
    }
  }

  std::unique_ptr<pqxx::connection> connection_;
};

}  // namespace

std::unique_ptr<TSqlSession> OpenPgSession(const std::string& url) {
  return std::make_unique<TPgSession>(url);
}

}  // namespace records
