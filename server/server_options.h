#pragma once

#include <string>
#include <vector>

#include "http_limits.h"
#include "ip_address.h"
#include "records_service.h"
#include "replay_verdict.h"
#include "text/arguments.h"

namespace records {

// One worker a core.
TVerifyOptions DefaultVerifyOptions();

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
  // Who checks the replays sent, and with what.
  TVerifyOptions verify = DefaultVerifyOptions();
  bool help = false;
  bool version = false;
};

extern const char* const kServerUsage;

// Whole numbers are read as the game and the simulator read theirs.
using text::WholeArgument;

// Throws std::invalid_argument naming the option for anything it cannot use.
TServerOptions ParseServerOptions(const std::vector<std::string>& args);

}  // namespace records
