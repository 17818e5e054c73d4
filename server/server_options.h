#pragma once

#include <string>
#include <vector>

#include "http_limits.h"
#include "ip_address.h"
#include "records_service.h"

namespace records {

struct TServerOptions {
  std::string host = "127.0.0.1";
  int port = 8080;  // 0: any free port, printed at start
  std::string database = "records.sqlite";
  // Workers for the requests that ask the database.
  int threads = 16;
  TServiceLimits limits;
  THttpLimits http;
  // Reverse proxies whose X-Forwarded-For names the client.
  std::vector<TIpAddress> trustedProxies;
  bool help = false;
  bool version = false;
};

extern const char* const kServerUsage;

// A command line's whole number from minimum to maximum; throws std::invalid_argument naming
// the option (or the word) it belongs to.
int64_t WholeArgument(const std::string& option, const std::string& text, int64_t minimum,
                      int64_t maximum);

// Throws std::invalid_argument naming the option for anything it cannot use.
TServerOptions ParseServerOptions(const std::vector<std::string>& args);

}  // namespace records
