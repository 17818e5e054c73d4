#pragma once

#include <string>

namespace persist {

// The host of our score endpoint and world-records page; perolet-sim --score-url (and a
// test) can put another in its place.
constexpr const char* kScoreHost = "http://perolet.example.net";

// The world-records page on the given host (the default when empty).
std::string WorldRecordsAddress(const std::string& host);

}  // namespace persist
