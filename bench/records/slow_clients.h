#pragma once

#include <boost/asio/ip/tcp.hpp>

namespace bench {

// Holds `trickling` connections that send a header byte every 2 s and `idle` ones that send
// nothing (coming back whenever the server closes them) while a visitor asks for the page
// over and over for `seconds`; prints the visitor's times and how many attackers were held.
int RunSlowClients(const boost::asio::ip::tcp::endpoint& server, int trickling, int idle,
                   int seconds);

}  // namespace bench
