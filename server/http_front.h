#pragma once

#include <memory>
#include <mutex>
#include <ostream>
#include <string>

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
  THttpFront(TRecordsService& service, int threads, std::ostream& log);
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
  std::unique_ptr<httplib::Server> server_;
  std::mutex logMutex_;
  std::ostream& log_;
};

}  // namespace records
