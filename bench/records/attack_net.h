#pragma once

// What the attacks share: connections from many loopback addresses, the open files they
// need, the server's memory and the figures they print.
#include <boost/asio/ip/address_v4.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/system/error_code.hpp>
#include <cstddef>
#include <vector>

namespace bench {

// The index-th address of a block of loopback addresses, 127.block.x.y with y from 1 to 250:
// each attack comes from addresses of its own, and Linux answers on all of 127/8 unasked.
boost::asio::ip::address_v4 LoopbackAddress(int block, int index);

// Opens the socket and binds it to the source address; the port is chosen at connect, so that
// many thousand sockets may share one address.
void OpenFrom(boost::asio::ip::tcp::socket& socket, const boost::asio::ip::address& source,
              boost::system::error_code& error);

// Lifts the soft limit on open files to the hard one, and returns it.
size_t RaiseOpenFilesLimit();

// The resident memory of a process (VmRSS) in MB; a negative number when it has gone.
double ResidentMb(int pid);

// The value below which percent per cent of the values lie; 0 for none.
double Percentile(std::vector<double> values, int percent);

}  // namespace bench
