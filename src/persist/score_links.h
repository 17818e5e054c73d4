#pragma once

#include <string>

namespace persist {

class TSettingsFile;

// The records server the game sends results to and whose world-records page it opens. None
// is built in unless a packager chooses one (CMake's PEROLET_SCORE_SERVER); a player, club
// or school running a records server sets theirs in the settings file or on the command line.
#ifndef PEROLET_SCORE_SERVER
#define PEROLET_SCORE_SERVER ""
#endif
constexpr const char* kBuiltInScoreServer = PEROLET_SCORE_SERVER;
// The settings file's key for the score host.
constexpr const char* kScoreServerKey = "score_server";
// The address earlier versions wrote into every settings file; no server answers there, so it
// reads as the built-in choice.
constexpr const char* kRetiredScoreHost = "http://perolet.example.net";

// The world-records page on the given host (never empty: without a server there is no page).
std::string WorldRecordsAddress(const std::string& host);
// The same page as a reader would type it: the host without its scheme and the page's path,
// without the query.
std::string WorldRecordsShortAddress(const std::string& host);
// Only the host of it, without the scheme.
std::string WorldRecordsHostName(const std::string& host);
// True for "http://host[:port][/path]" or https, with no blanks or control bytes: anything
// else would send the player's name to somewhere they did not mean.
bool IsScoreServerAddress(const std::string& address);
// The score host from the settings file, empty for none. The built-in choice when the key is
// missing or holds the retired address (and then the file is given the key with that choice,
// so a player can find it) or when its value is not an address (the player's line is left
// for them to mend); an empty value is the player's "none".
std::string ScoreServerSetting(TSettingsFile& settings);

}  // namespace persist
