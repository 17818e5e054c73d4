#include "http_front.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/socket.h>

#include <sstream>

#include "sqlite_store.h"
#include "support/temp_dir.h"

namespace {

// How serving ends decides the exit status a service manager restarts on.
TEST(HttpFront, EndsStoppedWhenAskedAndFailedWhenItsListenerBreaks) {
  test_support::TTempWorkDir dir;
  records::TSqliteStore store((dir.Path() / "r.sqlite").string());
  records::TRecordsService service(store, {});
  for (const bool breakListener : {false, true}) {
    std::ostringstream log;
    records::THttpFront front(service, 1, {}, {}, log);
    EXPECT_GT(front.Bind("127.0.0.1", 0), 0);
    if (breakListener)
      ::shutdown(front.ListeningSocket(), SHUT_RDWR);
    else
      front.Stop();  // before Run: not lost
    EXPECT_EQ(front.Run(),
              breakListener ? records::TFrontEnd::ListenerFailed : records::TFrontEnd::Stopped);
    EXPECT_EQ(log.str().find("the listening socket failed") != std::string::npos, breakListener)
        << log.str();
  }
}

}  // namespace
