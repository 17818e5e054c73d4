#include "persist/score_links.h"

namespace persist {

std::string WorldRecordsAddress(const std::string& host) {
  return (host.empty() ? std::string(kScoreHost) : host) +
         "/cgi/version.pl?prg=Featherstrike&type=0&show";
}

}  // namespace persist
