#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "http_limits.h"
#include "ip_address.h"
#include "records_service.h"

namespace records {

// How serving ended.
enum class TFrontEnd {
  Stopped,         // by Stop, every request in flight answered
  Unfinished,      // by Stop, but a request still held a worker when time ran out
  ListenerFailed,  // the listening socket broke; the reason is in the log
};

// The service over HTTP/1.1, on one network thread that holds every connection, however
// slow, at the cost of a little memory; requests that need the database go to `threads`
// workers, the rest are answered on the spot. Each answer gets one log line (time, method,
// path without the query, status, bytes, milliseconds): query strings carry players' names
// and never reach the log.
class THttpFront {
 public:
  // The client of a request from one of trustedProxies is the one its X-Forwarded-For names.
  THttpFront(TRecordsService& service, int threads, std::vector<TIpAddress> trustedProxies,
             const THttpLimits& limits, std::ostream& log);
  ~THttpFront();
  THttpFront(const THttpFront&) = delete;
  THttpFront& operator=(const THttpFront&) = delete;

  // The port bound (the one asked for, or a free one for 0); throws when it cannot listen.
  int Bind(const std::string& host, int port);
  // Serves until Stop or until the listener fails.
  TFrontEnd Run();
  // From any thread, also before Run: stops taking connections, closes the idle ones and
  // lets Run return once the requests in flight are answered, or after limits.stopWithin.
  void Stop();
  // A line in the log, stamped as the answers' lines are, from any thread.
  void Log(const std::string& line);
  // The listening socket's descriptor, for tests that break it.
  int ListeningSocket();

 private:
  class TServer;
  std::unique_ptr<TServer> server_;
};

}  // namespace records
