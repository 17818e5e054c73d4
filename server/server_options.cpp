#include "server_options.h"

#include <algorithm>
#include <stdexcept>
#include <thread>

namespace records {

const char* const kServerUsage =
    "usage: perolet-records [--listen HOST:PORT] [--db FILE|postgresql://…] [--rate N]\n"
    "                       [--max-score N] [--threads N] [--trusted-proxy ADDR[,ADDR…]]…\n"
    "                       [--backlog N] [--max-connections N] [--max-per-address N]\n"
    "                       [--verified-only] [--verify-workers N] [--verify-queue N]\n"
    "                       [--verify-program PATH] [--verifier VERSION=PATH]…\n"
    "                       [--verify-seconds N] [--verify-megabytes N] [--verify-data DIR]\n"
    "                       [--help] [--version]\n"
    "       perolet-records admin [--db DATABASE] COMMAND…  (admin --help lists them)\n"
    "  --listen HOST:PORT  where to serve (default 127.0.0.1:8080; port 0 picks a free one)\n"
    "  --db DATABASE       an SQLite file, created when missing (default records.sqlite),\n"
    "                      or a postgresql:// URL\n"
    "  --rate N            submissions a minute from one address (default 10; 0: no limit);\n"
    "                      an IPv4 /24 may send 10 times as many, an IPv6 /64 5 times\n"
    "  --max-score N       the highest score accepted (default 10000000)\n"
    "  --threads N         requests that ask the database served at once (default 16)\n"
    "  --trusted-proxy ADDR[,ADDR…]  a reverse proxy whose X-Forwarded-For names the client\n"
    "                      (addresses separated by commas; the option may be repeated)\n"
    "  --backlog N         connections the system queues before they are accepted\n"
    "                      (default 1024; the kernel caps it at net.core.somaxconn)\n"
    "  --max-connections N connections open at once (default 16000, and fewer than the\n"
    "                      open files allowed)\n"
    "  --max-per-address N connections open at once from one address (default 256; a\n"
    "                      trusted proxy has no limit)\n"
    "  --verified-only     every page and the JSON show only the games whose replay the\n"
    "                      server played to their score\n"
    "  --verify-workers N  replays checked at once, each by a checker process of its own\n"
    "                      (default one a core)\n"
    "  --verify-queue N    replays accepted that wait for a worker (default 256); past\n"
    "                      this a replay is answered 503 (none accepted is lost: they\n"
    "                      wait in the database)\n"
    "  --verify-program PATH  the checker of this version (default perolet-verify beside\n"
    "                      the server)\n"
    "  --verifier VERSION=PATH  the checker of an older version, for its replays (the\n"
    "                      option may be repeated)\n"
    "  --verify-seconds N  processor seconds a check may take (default 60)\n"
    "  --verify-megabytes N  memory a check may take, in MB (default 1024)\n"
    "  --verify-data DIR   the folder holding the game's Data/ for the checkers (default:\n"
    "                      theirs)\n";

namespace {

constexpr int kMostThreads = 1024;
constexpr int kLargestPort = 65535;
constexpr int kLargestRate = 1'000'000;
constexpr int kLargestBacklog = 65535;
constexpr int kMostConnections = 1'000'000;
constexpr int kMostWorkers = 1024;
constexpr int kLongestQueue = 1'000'000;
constexpr int kMostSeconds = 3600;
constexpr int kFewestMegabytes = 64;
constexpr int kMostMegabytes = 65536;

// "host:port", "[v6]:port".
void ParseListen(const std::string& text, TServerOptions& options) {
  const size_t colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0)
    throw std::invalid_argument("--listen needs HOST:PORT, not \"" + text + "\"");
  std::string host = text.substr(0, colon);
  if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
    host = host.substr(1, host.size() - 2);
  options.host = host;
  options.port =
      static_cast<int>(WholeArgument("--listen", text.substr(colon + 1), 0, kLargestPort));
}

// "127.0.0.1", "127.0.0.1,::1": every part an address.
void AddTrustedProxies(const std::string& text, TServerOptions& options) {
  size_t from = 0;
  for (;;) {
    const size_t comma = text.find(',', from);
    const std::string part = text.substr(from, comma - from);
    const auto address = ParseIpAddress(part);
    if (!address)
      throw std::invalid_argument("--trusted-proxy needs IP addresses, not \"" + part + "\"");
    options.trustedProxies.push_back(*address);
    if (comma == std::string::npos) return;
    from = comma + 1;
  }
}

// "1.4=/opt/perolet-1.4/perolet-verify": a version as the checker names it, and a program.
void AddVerifier(const std::string& text, TVerifyOptions& verify) {
  const size_t equals = text.find('=');
  const std::string version = text.substr(0, equals);
  if (equals == std::string::npos || version.empty() || equals + 1 == text.size() ||
      version.find_first_of(" \t") != std::string::npos)
    throw std::invalid_argument("--verifier needs VERSION=PATH, not \"" + text + "\"");
  verify.verifiers[version] = text.substr(equals + 1);
}

// A value that must not be empty.
const std::string& Given(const std::string& option, const std::string& value) {
  if (value.empty()) throw std::invalid_argument(option + " needs a value");
  return value;
}

}  // namespace

TVerifyOptions DefaultVerifyOptions() {
  TVerifyOptions verify;
  verify.workers = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  return verify;
}

TServerOptions ParseServerOptions(const std::vector<std::string>& args) {
  TServerOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--help" || option == "-h") {
      options.help = true;
      continue;
    }
    if (option == "--version") {
      options.version = true;
      continue;
    }
    if (option == "--verified-only") {
      options.limits.verifiedOnly = true;
      continue;
    }
    const std::string& value = text::OptionValue(args, i);
    if (option == "--listen") {
      ParseListen(value, options);
    } else if (option == "--db") {
      if (value.empty()) throw std::invalid_argument("--db needs a file or a URL");
      options.database = value;
    } else if (option == "--rate") {
      options.limits.perMinute = static_cast<int>(WholeArgument(option, value, 0, kLargestRate));
    } else if (option == "--max-score") {
      options.limits.submission.highestScore =
          WholeArgument(option, value, 0, std::numeric_limits<int32_t>::max());
    } else if (option == "--trusted-proxy") {
      AddTrustedProxies(value, options);
    } else if (option == "--threads") {
      options.threads = static_cast<int>(WholeArgument(option, value, 1, kMostThreads));
    } else if (option == "--backlog") {
      options.http.backlog = static_cast<int>(WholeArgument(option, value, 1, kLargestBacklog));
    } else if (option == "--max-connections") {
      options.http.mostConnections =
          static_cast<size_t>(WholeArgument(option, value, 1, kMostConnections));
    } else if (option == "--max-per-address") {
      options.http.mostPerAddress =
          static_cast<size_t>(WholeArgument(option, value, 1, kMostConnections));
    } else if (option == "--verify-workers") {
      options.verify.workers = static_cast<int>(WholeArgument(option, value, 1, kMostWorkers));
    } else if (option == "--verify-queue") {
      options.verify.queueSize =
          static_cast<size_t>(WholeArgument(option, value, 1, kLongestQueue));
    } else if (option == "--verify-program") {
      options.verify.program = Given(option, value);
    } else if (option == "--verifier") {
      AddVerifier(value, options.verify);
    } else if (option == "--verify-seconds") {
      options.verify.limits.seconds =
          static_cast<int>(WholeArgument(option, value, 1, kMostSeconds));
    } else if (option == "--verify-megabytes") {
      options.verify.limits.megabytes =
          static_cast<int>(WholeArgument(option, value, kFewestMegabytes, kMostMegabytes));
    } else if (option == "--verify-data") {
      options.verify.limits.dataFolder = Given(option, value);
    } else {
      throw std::invalid_argument("unknown option \"" + option + "\"");
    }
  }
  return options;
}

}  // namespace records
