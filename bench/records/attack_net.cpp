#include "attack_net.h"

#include <netinet/in.h>
#include <sys/resource.h>

#include <algorithm>
#include <fstream>
#include <string>

namespace bench {

namespace {

constexpr int kHostsPerRow = 250;

}  // namespace

boost::asio::ip::address_v4 LoopbackAddress(int block, int index) {
  const auto row = static_cast<unsigned>(index / kHostsPerRow) & 0xFFu;
  const auto host = static_cast<unsigned>(index % kHostsPerRow + 1);
  return boost::asio::ip::address_v4((127u << 24) | (static_cast<unsigned>(block) << 16) |
                                     (row << 8) | host);
}

void OpenFrom(boost::asio::ip::tcp::socket& socket, const boost::asio::ip::address& source,
              boost::system::error_code& error) {
  using TNoPortAtBind =
      boost::asio::detail::socket_option::boolean<IPPROTO_IP, IP_BIND_ADDRESS_NO_PORT>;
  socket.open(source.is_v4() ? boost::asio::ip::tcp::v4() : boost::asio::ip::tcp::v6(), error);
  if (error) return;
  socket.set_option(TNoPortAtBind(true), error);
  if (error) return;
  socket.bind({source, 0}, error);
}

size_t RaiseOpenFilesLimit() {
  rlimit files{};
  getrlimit(RLIMIT_NOFILE, &files);
  files.rlim_cur = files.rlim_max;
  setrlimit(RLIMIT_NOFILE, &files);
  getrlimit(RLIMIT_NOFILE, &files);
  return static_cast<size_t>(files.rlim_cur);
}

double ResidentMb(int pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string field;
  while (status >> field) {
    if (field == "VmRSS:") {
      double kilobytes = 0;
      status >> kilobytes;
      return kilobytes / 1024;
    }
  }
  return -1;
}

double Percentile(std::vector<double> values, int percent) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t at = values.size() * static_cast<size_t>(percent) / 100;
  return values[std::min(values.size() - 1, at)];
}

}  // namespace bench
