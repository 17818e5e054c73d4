#include "app/command_line.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(CommandLine, ReadsEveryFlagInBothForms) {
  EXPECT_FALSE(ParseCommandLine({}).scoreServer);
  EXPECT_TRUE(ParseCommandLine({"--help"}).help);
  EXPECT_TRUE(ParseCommandLine({"--version"}).version);
  EXPECT_EQ(ParseCommandLine({"--score-server", "http://club.example:8080"}).scoreServer,
            "http://club.example:8080");
  EXPECT_EQ(ParseCommandLine({"--score-server=https://school.example/records/"}).scoreServer,
            "https://school.example/records");  // the paths bring their own slash
  const auto both = ParseCommandLine({"--score-server", "http://a", "--help"});
  EXPECT_TRUE(both.help);
  EXPECT_EQ(both.scoreServer, "http://a");
}

TEST(CommandLine, RefusesWhatItCannotUseWithTheFlagNamed) {
  const std::vector<std::vector<std::string>> bad = {
      {"--colour"},
      {"-x"},
      {"perolet.example"},
      {"--score-server"},
      {"--score-server", "ftp://host"},
      {"--score-server", "http://"},
      {"--score-server", "http:///path"},
      {"--score-server", "http://host name"},
      {"--score-server=http://host\n"},
      {"--help=yes"},
  };
  for (const auto& args : bad) {
    try {
      ParseCommandLine(args);
      ADD_FAILURE() << args[0] << " was taken";
    } catch (const std::invalid_argument& error) {
      const std::string flag = args[0].substr(0, args[0].find('='));
      EXPECT_NE(std::string(error.what()).find(flag), std::string::npos) << error.what();
    }
  }
}

TEST(CommandLine, TheUsageListsEveryFlag) {
  const std::string usage = CommandLineUsage();
  for (const char* flag : {"--help", "--version", "--score-server URL"})
    EXPECT_NE(usage.find(flag), std::string::npos) << flag;
}

}  // namespace
