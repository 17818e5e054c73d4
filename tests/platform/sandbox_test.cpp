#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "platform/sandbox.h"
#include "support/temp_dir.h"

namespace {

std::string Quoted(const std::vector<std::string>& words) {
  std::string line;
  for (const std::string& word : words) {
    line += " '";
    for (const char c : word) line += c == '\'' ? std::string("'\\''") : std::string(1, c);
    line += "'";
  }
  return line;
}

// A port on loopback that takes connections, for the sandbox to fail to reach.
struct TListener {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  int port = 0;
  TListener() {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), size);
    listen(fd, 4);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    port = ntohs(address.sin_port);
  }
  ~TListener() { close(fd); }
};

// Inside: the folder given can be read and not written; the folder beside it, the root, /dev,
// the network and further user namespaces are out of reach. Each check runs outside the sandbox
// too, where it must differ, so that a check which cannot fail is caught here.
TEST(Sandbox, SeesOnlyItsFoldersReadOnlyAndNoNetwork) {
  if (std::system("command -v bwrap > /dev/null") != 0) GTEST_SKIP() << "no bubblewrap";
  test_support::TTempWorkDir dir;
  const std::string here = dir.Path();
  std::filesystem::create_directories(here + "/given");
  std::filesystem::create_directories(here + "/beside");
  std::ofstream(here + "/given/data") << "data";
  std::ofstream(here + "/beside/secret") << "secret";
  TListener listener;
  ASSERT_GT(listener.port, 0);
  const std::string checks =
      "test -r given/data || exit 10; touch given/new 2>/dev/null && exit 11;"
      "cat " +
      here +
      "/beside/secret 2>/dev/null && exit 12; touch /new 2>/dev/null && exit 13;"
      "(echo > /dev/tcp/127.0.0.1/" +
      std::to_string(listener.port) +
      ") 2>/dev/null && exit 14;"
      "touch /dev/new 2>/dev/null && exit 15; unshare -U true 2>/dev/null && exit 16; exit 0";
  const platform::TSandbox sandbox{.program = "/usr/bin/bash",
                                   .readOnlyFolders = {here + "/given"},
                                   .workingFolder = here,
                                   .arguments = {"-c", checks}};
  const int inside = std::system(Quoted(platform::SandboxCommand(sandbox)).c_str());
  EXPECT_EQ(WEXITSTATUS(inside), 0);
  const int outside =
      std::system(("cd '" + here + "' && /usr/bin/bash -c '" + checks + "'").c_str());
  EXPECT_NE(WEXITSTATUS(outside), 0) << "the checks pass without a sandbox too";
}

}  // namespace
