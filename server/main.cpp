// perolet-records: the world-records server; `perolet-records --help` lists its options.
#include <pthread.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <thread>

#include "admin_command.h"
#include "http_front.h"
#include "record_store.h"
#include "records_service.h"
#include "server_options.h"
#include "submission_gate.h"
#include "verify_queue.h"

namespace {

constexpr int kExitError = 1;
constexpr int kExitUsage = 2;
// Descriptors kept for the database, the log and the listener beside the connections.
constexpr rlim_t kSpareDescriptors = 64;

sigset_t StopSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGUSR1);  // our own: the server ended by itself, the waiter may go
  return set;
}

// Every connection is a descriptor: the soft limit goes up to the hard one, and the cap on
// connections stays below what is allowed, so that the listener never starves the database.
void FitConnectionsToDescriptors(records::THttpLimits& limits) {
  rlimit files{};
  if (getrlimit(RLIMIT_NOFILE, &files) != 0) return;
  files.rlim_cur = files.rlim_max;
  setrlimit(RLIMIT_NOFILE, &files);
  getrlimit(RLIMIT_NOFILE, &files);
  if (files.rlim_cur == RLIM_INFINITY) return;
  const rlim_t usable = files.rlim_cur > 2 * kSpareDescriptors ? files.rlim_cur - kSpareDescriptors
                                                               : files.rlim_cur / 2;
  limits.mostConnections = std::min<size_t>(limits.mostConnections, usable);
}

// The folder of the server's own executable, where its checker is installed beside it.
std::string OwnFolder() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string(".") : self.parent_path().string();
}

int Serve(records::TServerOptions options) {
  // Blocked before any thread starts, so only the waiter below ever takes them.
  const sigset_t signals = StopSignals();
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  FitConnectionsToDescriptors(options.http);

  auto store = records::OpenRecordStore(options.database);
  auto gate = records::OpenSubmissionGate(options.database, options.limits.perMinute);
  records::TRecordsService service(*store, *gate, options.limits);
  records::THttpFront front(service, options.threads, options.trustedProxies, options.http,
                            std::clog);
  const int port = front.Bind(options.host, options.port);
  records::TVerifyQueue verifier(
      *store, records::FindCheckers(options.verify, OwnFolder(), std::clog), options.verify.workers,
      options.verify.queueSize, [&front](const std::string& line) { front.Log(line); });
  service.CheckReplaysWith(verifier);
  verifier.Start();
  std::clog << "perolet-records: serving on " << options.host << ":" << port << std::endl;

  using TClock = std::chrono::steady_clock;
  auto stopAsked = TClock::time_point::max();
  std::thread waiter([&] {
    int signal = 0;
    sigwait(&signals, &signal);
    if (signal == SIGUSR1) return;
    stopAsked = TClock::now();
    std::clog << "perolet-records: stopping" << std::endl;
    front.Stop();
    verifier.Stop();  // running checks are killed; their replays wait for the next start
  });
  const records::TFrontEnd end = front.Run();
  pthread_kill(waiter.native_handle(), SIGUSR1);
  waiter.join();
  verifier.Stop();
  const bool checksEnded =
      verifier.Join(std::min(stopAsked, TClock::now()) + options.http.stopWithin);
  if (end == records::TFrontEnd::Unfinished || !checksEnded) {
    // A worker is stuck in the database: the process ends without it rather than hang.
    std::clog << "perolet-records: stopped with a request or a check unfinished" << std::endl;
    std::_Exit(kExitError);
  }
  store.reset();  // closes the database cleanly: SQLite folds its log back into the file
  if (end == records::TFrontEnd::ListenerFailed) {
    std::clog << "perolet-records: stopped, the listener failed" << std::endl;
    return kExitError;
  }
  std::clog << "perolet-records: stopped" << std::endl;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "admin")
    return records::RunAdminCommand(std::vector<std::string>(argv + 2, argv + argc), std::cout,
                                    std::cerr, std::time(nullptr));
  records::TServerOptions options;
  try {
    options = records::ParseServerOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    std::cerr << "perolet-records: " << error.what() << '\n' << records::kServerUsage;
    return kExitUsage;
  }
  if (options.help) {
    std::cout << records::kServerUsage;
    return 0;
  }
  if (options.version) {
    std::cout << "perolet-records " << PEROLET_VERSION << '\n';
    return 0;
  }
  try {
    return Serve(options);
  } catch (const std::exception& error) {
    std::cerr << "perolet-records: " << error.what() << std::endl;
    return kExitError;
  }
}
