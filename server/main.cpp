// perolet-records: the world-records server; `perolet-records --help` lists its options.
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <iostream>
#include <thread>

#include "http_front.h"
#include "record_store.h"
#include "records_service.h"
#include "server_options.h"

namespace {

constexpr int kExitError = 1;
constexpr int kExitUsage = 2;
constexpr auto kStopRetry = std::chrono::milliseconds(20);

sigset_t StopSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGUSR1);  // our own: the server ended by itself, the waiter may go
  return set;
}

int Serve(const records::TServerOptions& options) {
  // Blocked before any thread starts, so only the waiter below ever takes them.
  const sigset_t signals = StopSignals();
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  auto store = records::OpenRecordStore(options.database);
  records::TRecordsService service(*store, options.limits);
  records::THttpFront front(service, options.threads, options.trustedProxies, std::clog);
  const int port = front.Bind(options.host, options.port);
  std::clog << "perolet-records: serving on " << options.host << ":" << port << std::endl;

  std::atomic<bool> ran{false};
  std::thread waiter([&] {
    int signal = 0;
    sigwait(&signals, &signal);
    if (signal == SIGUSR1) return;
    std::clog << "perolet-records: stopping" << std::endl;
    // stop() before the loop has started would be lost, so it is repeated until the loop ends.
    while (!ran) {
      front.Stop();
      std::this_thread::sleep_for(kStopRetry);
    }
  });
  front.Run();
  ran = true;
  pthread_kill(waiter.native_handle(), SIGUSR1);
  waiter.join();
  store.reset();  // closes the database cleanly: SQLite folds its log back into the file
  std::clog << "perolet-records: stopped" << std::endl;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
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
