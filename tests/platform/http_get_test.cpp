#include "platform/http_get.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <thread>

namespace {

// A one-connection HTTP server on the loopback interface: it records the request and either
// answers with the given reply or, with none, holds the connection without a word.
class TLoopbackServer {
 public:
  explicit TLoopbackServer(std::string reply) : reply_(std::move(reply)) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener_, 1);
    socklen_t length = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~TLoopbackServer() { Finish(); }

  std::string Base() const { return "http://127.0.0.1:" + std::to_string(port_); }
  // What arrived, once the client is done: the server's thread has ended by then.
  const std::string& Request() {
    Finish();
    return request_;
  }

 private:
  void Finish() {
    if (!thread_.joinable()) return;
    shutdown(listener_, SHUT_RDWR);
    thread_.join();
    close(listener_);
  }

  void Serve() {
    const int client = accept(listener_, nullptr, nullptr);
    if (client < 0) return;
    char buffer[4096];
    while (request_.find("\r\n\r\n") == std::string::npos) {
      const ssize_t got = recv(client, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      request_.append(buffer, static_cast<size_t>(got));
    }
    if (!reply_.empty()) {
      send(client, reply_.data(), reply_.size(), MSG_NOSIGNAL);
    } else {
      recv(client, buffer, sizeof buffer, 0);  // until the client gives up and closes
    }
    close(client);
  }

  std::string reply_;
  int listener_ = -1;
  int port_ = 0;
  std::string request_;
  std::thread thread_;
};

TEST(HttpGet, SendsOneGetWithTheGameHeadersAndDropsTheAnswer) {
  TLoopbackServer server("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nConnection: close\r\n\r\nthanks");
  const std::string path = "/cgi/version.pl?hs&prg=Featherstrike&inf=ABC234";
  EXPECT_TRUE(platform::HttpGet(server.Base() + path));
  const std::string request = server.Request();
  EXPECT_EQ(request.substr(0, request.find("\r\n")), "GET " + path + " HTTP/1.1");
  EXPECT_NE(request.find("\r\nHost: 127.0.0.1:"), std::string::npos) << request;
  EXPECT_NE(request.find("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"),
            std::string::npos)
      << request;
  EXPECT_NE(request.find("\r\nAccept: text/html, */*\r\n"), std::string::npos) << request;
  EXPECT_NE(request.find("\r\nContent-Type: text/html\r\n"), std::string::npos) << request;
}

TEST(HttpGet, AnErrorStatusIsAFailure) {
  TLoopbackServer server(
      "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
  EXPECT_FALSE(platform::HttpGet(server.Base() + "/cgi/version.pl?hs"));
}

TEST(HttpGet, AServerThatNeverAnswersIsGivenUpOnAtTheLimit) {
  TLoopbackServer server("");
  // The game's limits are seconds; the test's are shorter, the rule the same.
  EXPECT_FALSE(platform::HttpGet(server.Base() + "/cgi/version.pl?hs", {200, 300}));
  EXPECT_EQ(server.Request().substr(0, 4), "GET ");
}

}  // namespace
