#include "persist/score_links.h"

#include <optional>

#include "persist/settings_file.h"
#include "score/score_endpoint.h"

namespace persist {

namespace {

constexpr size_t kLongestAddress = 1024;

}  // namespace

std::string WorldRecordsAddress(const std::string& host) {
  return host + score::kEndpointPath + "?" + score::kPageQuery;
}

std::string WorldRecordsHostName(const std::string& host) {
  std::string name = host;
  const size_t scheme = name.find("://");
  if (scheme != std::string::npos) name.erase(0, scheme + 3);
  while (!name.empty() && name.back() == '/') name.pop_back();
  return name;
}

std::string WorldRecordsShortAddress(const std::string& host) {
  return WorldRecordsHostName(host) + score::kEndpointPath;
}

bool IsScoreServerAddress(const std::string& address) {
  if (address.size() > kLongestAddress) return false;
  for (unsigned char c : address)
    if (c <= ' ' || c >= 0x7F) return false;
  for (const std::string scheme : {"http://", "https://"}) {
    if (address.starts_with(scheme) && address.size() > scheme.size() &&
        address[scheme.size()] != '/')
      return true;
  }
  return false;
}

std::string ScoreServerSetting(TSettingsFile& settings) {
  const std::string builtIn = IsScoreServerAddress(kBuiltInScoreServer) ? kBuiltInScoreServer : "";
  std::optional<std::string> value = settings.Get(kScoreServerKey);
  if (!value || *value == kRetiredScoreHost) {
    value = builtIn;
    settings.Set(kScoreServerKey, builtIn);
  }
  if (value->empty()) return {};
  const std::string host = IsScoreServerAddress(*value) ? *value : builtIn;
  // A trailing slash would double the one the paths start with.
  return host.ends_with('/') ? host.substr(0, host.size() - 1) : host;
}

}  // namespace persist
