#include "persist/score_links.h"

namespace persist {

namespace {

constexpr const char* kPagePath = "/cgi/version.pl";

std::string HostOrDefault(const std::string& host) {
  return host.empty() ? std::string(kScoreHost) : host;
}

}  // namespace

std::string WorldRecordsAddress(const std::string& host) {
  return HostOrDefault(host) + kPagePath + "?prg=Featherstrike&type=0&show";
}

std::string WorldRecordsHostName(const std::string& host) {
  std::string name = HostOrDefault(host);
  const size_t scheme = name.find("://");
  if (scheme != std::string::npos) name.erase(0, scheme + 3);
  while (!name.empty() && name.back() == '/') name.pop_back();
  return name;
}

std::string WorldRecordsShortAddress(const std::string& host) {
  return WorldRecordsHostName(host) + kPagePath;
}

}  // namespace persist
