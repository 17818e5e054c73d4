#pragma once

#include <string>

namespace persist {

class TSettingsFile;

// The host of our score endpoint and world-records page. A player, club or school running
// its own records server puts another in the settings file or on the command line.
constexpr const char* kScoreHost = "http://perolet.example.net";
// The settings file's key for the score host.
constexpr const char* kScoreServerKey = "score_server";

// The world-records page on the given host (the default when empty).
std::string WorldRecordsAddress(const std::string& host);
// The same page as a reader would type it: the host without its scheme and the page's path,
// without the query.
std::string WorldRecordsShortAddress(const std::string& host);
// Only the host of it, without the scheme.
std::string WorldRecordsHostName(const std::string& host);
// True for "http://host[:port][/path]" or https, with no blanks or control bytes: anything
// else would send the player's name to somewhere they did not mean.
bool IsScoreServerAddress(const std::string& address);
// The score host from the settings file: the default when the key is missing (and then the
// file is given the key with the default, so a player can find it) or when its value is not
// an address (the player's line is left for them to mend).
std::string ScoreServerSetting(TSettingsFile& settings);

}  // namespace persist
