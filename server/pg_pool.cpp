#include "pg_pool.h"

#include <pqxx/except>
#include <pqxx/nontransaction>

#include <stdexcept>

namespace records {

namespace {

// The URL with a connect time-out, unless it names one itself; libpq counts whole seconds.
std::string WithConnectTimeout(const std::string& url, std::chrono::milliseconds timeout) {
  if (url.find("connect_timeout=") != std::string::npos) return url;
  const auto seconds = std::max<int64_t>(1, (timeout.count() + 999) / 1000);
  return url + (url.find('?') == std::string::npos ? "?" : "&") +
         "connect_timeout=" + std::to_string(seconds);
}

}  // namespace

TPgPool::TPgPool(const std::string& url, size_t connections, TPrepare prepare,
                 const TPgTimeouts& timeouts)
    : url_(WithConnectTimeout(url, timeouts.connect)),
      prepare_(std::move(prepare)),
      timeouts_(timeouts),
      guard_(timeouts.stall) {
  idle_.resize(connections);
}

TPgPool::~TPgPool() = default;

std::unique_ptr<pqxx::connection> TPgPool::Connect() {
  auto connection = std::make_unique<pqxx::connection>(url_);
  pqxx::nontransaction(*connection)
      .exec("SET statement_timeout = " + std::to_string(timeouts_.statement.count()));
  if (prepare_) prepare_(*connection);
  return connection;
}

std::unique_ptr<pqxx::connection> TPgPool::Borrow() {
  std::unique_lock lock(mutex_);
  if (!returned_.wait_for(lock, timeouts_.wait, [&] { return !idle_.empty(); }))
    throw std::runtime_error("PostgreSQL: no connection free within " +
                             std::to_string(timeouts_.wait.count()) + " ms");
  auto connection = std::move(idle_.back());
  idle_.pop_back();
  return connection;
}

void TPgPool::GiveBack(std::unique_ptr<pqxx::connection> connection) {
  std::lock_guard lock(mutex_);
  idle_.push_back(std::move(connection));
  returned_.notify_one();
}

void TPgPool::FailFastIfCooling() {
  std::lock_guard lock(mutex_);
  if (std::chrono::steady_clock::now() < coolUntil_)
    throw std::runtime_error("PostgreSQL: not answering, tried again shortly");
}

void TPgPool::CoolDown() {
  std::lock_guard lock(mutex_);
  coolUntil_ = std::chrono::steady_clock::now() + timeouts_.coolDown;
}

bool TPgPool::IsBroken(const std::exception& error, pqxx::connection& connection) {
  return dynamic_cast<const pqxx::broken_connection*>(&error) || !connection.is_open();
}

bool TPgPool::InDoubt(const std::exception& error) {
  return dynamic_cast<const pqxx::in_doubt_error*>(&error) != nullptr;
}

TPgPool::TLease::TLease(TPgPool& pool, bool fresh) : pool_(pool), connection_(pool.Borrow()) {
  if (fresh) connection_.reset();
  if (!connection_) {
    fresh_ = true;
    try {
      connection_ = pool.Connect();
    } catch (const std::exception& error) {
      pool.GiveBack(nullptr);
      // libpq's own connect time-out, or a refused connection: either way not answering.
      pool.CoolDown();
      throw std::runtime_error(std::string("PostgreSQL: ") + error.what());
    }
  }
  ticket_ = pool.guard_.Watch(connection_->sock());
}

TPgPool::TLease::~TLease() {
  if (connection_) pool_.guard_.Release(ticket_);
  pool_.GiveBack(std::move(connection_));
}

bool TPgPool::TLease::Drop() {
  if (!connection_) return false;
  const bool cut = !pool_.guard_.Release(ticket_);
  connection_.reset();
  return cut;
}

}  // namespace records
