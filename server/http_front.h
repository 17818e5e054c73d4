#pragma once

#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "ip_address.h"
#include "records_service.h"

namespace httplib {
class Server;
}

namespace records {

// The service over HTTP: every request goes to TRecordsService, and each gets one log line
// (time, method, path without the query, status, bytes, milliseconds). Query strings carry
// players' names and never reach the log.
class THttpFront {
 public:
  // The client of a request from one of trustedProxies is the one its X-Forwarded-For names.
  THttpFront(TRecordsService& service, int threads, std::vector<TIpAddress> trustedProxies,
             std::ostream& log);
  ~THttpFront();
  THttpFront(const THttpFront&) = delete;
  THttpFront& operator=(const THttpFront&) = delete;

  // The port bound (the one asked for, or a free one for 0); throws when it cannot bind.
  int Bind(const std::string& host, int port);
  // Serves until Stop; requests in flight are finished before it returns.
  void Run();
  // From any thread.
  void Stop();

 private:
  void LogLine(const std::string& method, const std::string& path, int status, size_t bytes,
               double ms);

  TRecordsService& service_;
  std::vector<TIpAddress> trustedProxies_;
  std::unique_ptr<httplib::Server> server_;
  std::mutex logMutex_;
  std::ostream& log_;
};

}  // namespace records
