#include "platform/http_get.h"

#include <curl/curl.h>

#include <cstdlib>

namespace platform {

namespace {

constexpr const char* kUserAgent = "Mozilla/3.0 (compatible; Indy Library)";

size_t DropBody(char*, size_t size, size_t count, void*) {
  return size * count;
}

// A records server whose certificate comes from a CA of its own (a club's, a test's) is
// trusted by naming that CA's file in the variables curl(1) reads, CURL_CA_BUNDLE or
// SSL_CERT_FILE: libcurl itself reads neither and trusts only the system's CAs.
void UseCaFileFromEnvironment(CURL* curl) {
  for (const char* variable : {"CURL_CA_BUNDLE", "SSL_CERT_FILE"}) {
    const char* path = std::getenv(variable);
    if (path == nullptr || *path == '\0') continue;
    curl_easy_setopt(curl, CURLOPT_CAINFO, path);
    return;
  }
}

struct TCurlGlobal {
  TCurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
  ~TCurlGlobal() { curl_global_cleanup(); }
};

// One request with the game's headers; a body makes it a POST of that body.
bool Request(const std::string& url, const std::vector<uint8_t>* body, const THttpLimits& limits) {
  static TCurlGlobal global;
  CURL* curl = curl_easy_init();
  if (!curl) return false;
  curl_slist* headers = nullptr;
  headers = curl_slist_append(headers, "Accept: text/html, */*");
  headers = curl_slist_append(
      headers, body ? "Content-Type: application/octet-stream" : "Content-Type: text/html");
  if (body) {
    // The server answers at once; no waiting for its "100 Continue" first.
    headers = curl_slist_append(headers, "Expect:");
    curl_easy_setopt(curl, CURLOPT_POST, 1L);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body->data());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body->size()));
  }
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_USERAGENT, kUserAgent);
  curl_easy_setopt(curl, CURLOPT_COOKIEFILE, "");  // cookies accepted, kept in memory
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  UseCaFileFromEnvironment(curl);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, limits.connectMs);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, limits.totalMs);
  curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, DropBody);
  const CURLcode result = curl_easy_perform(curl);
  curl_slist_free_all(headers);
  curl_easy_cleanup(curl);
  return result == CURLE_OK;
}

}  // namespace

bool HttpGet(const std::string& url, const THttpLimits& limits) {
  return Request(url, nullptr, limits);
}

bool HttpPost(const std::string& url, const std::vector<uint8_t>& body, const THttpLimits& limits) {
  return Request(url, &body, limits);
}

}  // namespace platform
