#pragma once

// Where the game sends a record and where the world-records page is, on any score host:
//   <host>/cgi/version.pl?hs&prg=Featherstrike&inf=<symbols>     a submission
//   <host>/cgi/version.pl?prg=Featherstrike&type=0&show          the page
//   POST <host>/api/replays?inf=<symbols>                          the game's replay, after
//                                                                  its record, as the proof
namespace score {

constexpr const char* kEndpointPath = "/cgi/version.pl";
constexpr const char* kProgramName = "Featherstrike";
constexpr const char* kSubmitQueryHead = "hs&prg=Featherstrike&inf=";
constexpr const char* kPageQuery = "prg=Featherstrike&type=0&show";
constexpr const char* kReplayPath = "/api/replays";
constexpr const char* kReplayQueryHead = "inf=";

}  // namespace score
