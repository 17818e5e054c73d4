#pragma once

#include <string>

namespace platform {

// One HTTP GET with the game's headers; the answer's body is read and dropped. False for any
// failure (no network, refused, an error status), which the caller may ignore. The connection
// and the whole transfer are bounded in time, so a dead server cannot hold the game forever.
bool HttpGet(const std::string& url);

}  // namespace platform
