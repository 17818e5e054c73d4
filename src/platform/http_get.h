#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// How long a request may take: a server that does not answer must not hold the game. The
// "sending" frame stays on screen meanwhile.
struct THttpLimits {
  long connectMs = 5000;
  long totalMs = 10000;
};

// One HTTP GET with the game's headers; the answer's body is read and dropped. False for any
// failure (no network, refused, an error status, the time is up), which the caller may ignore.
bool HttpGet(const std::string& url, const THttpLimits& limits = {});

// One HTTP POST of body as application/octet-stream, with the same headers and limits; the
// answer is dropped. False for any failure.
bool HttpPost(const std::string& url, const std::vector<uint8_t>& body,
              const THttpLimits& limits = {});

}  // namespace platform
