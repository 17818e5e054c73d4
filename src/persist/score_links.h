#pragma once

#include <string>

namespace persist {

// The host of our score endpoint and world-records page; perolet-sim --score-url (and a
// test) can put another in its place.
constexpr const char* kScoreHost = "http://perolet.example.net";

// The world-records page on the given host (the default when empty).
std::string WorldRecordsAddress(const std::string& host);
// The same page as a reader would type it: the host without its scheme and the page's path,
// without the query.
std::string WorldRecordsShortAddress(const std::string& host);
// Only the host of it, without the scheme.
std::string WorldRecordsHostName(const std::string& host);

}  // namespace persist
