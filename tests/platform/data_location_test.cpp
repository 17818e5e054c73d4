#include "platform/data_location.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using platform::TLocationFacts;

// A file system of named folders, some of them writable.
TLocationFacts Facts(std::set<std::string> dirs, std::set<std::string> writable,
                     std::optional<std::string> xdg, std::optional<std::string> home) {
  TLocationFacts f;
  f.executableDir = "/opt/game/bin";
  f.isDir = [dirs](const std::string& p) { return dirs.count(p) > 0; };
  f.writable = [writable](const std::string& p) { return writable.count(p) > 0; };
  f.xdgDataHome = std::move(xdg);
  f.home = std::move(home);
  return f;
}

TEST(DataLocation, DataBesideTheExecutableComesFirstThenTheInstalledShare) {
  EXPECT_EQ(platform::FindDataRoot(
                Facts({"/opt/game/bin/Data/Res", "/opt/game/share/perolet/Data/Res"}, {}, {}, {})),
            "/opt/game/bin");
  EXPECT_EQ(platform::FindDataRoot(Facts({"/opt/game/share/perolet/Data/Res"}, {}, {}, {})),
            "/opt/game/share/perolet");
  EXPECT_EQ(platform::FindDataRoot(Facts({}, {}, {}, {})), std::nullopt);
}

TEST(DataLocation, SavesStayBesideTheDataWhenTheyCanElseFollowXdg) {
  const std::string root = "/opt/game/share/perolet";
  // Portable: an existing writable Data/Save, or a writable Data to make it in.
  EXPECT_EQ(platform::SaveFolder(
                root, Facts({root + "/Data/Save"}, {root + "/Data/Save"}, "/x", "/home/u")),
            "Data/Save");
  EXPECT_EQ(platform::SaveFolder(root, Facts({}, {root + "/Data"}, "/x", "/home/u")), "Data/Save");
  // Installed read-only: the XDG folder, with an empty or relative variable counting as unset.
  const auto readOnly = [&](std::optional<std::string> xdg, std::optional<std::string> home) {
    return platform::SaveFolder(root, Facts({root + "/Data/Save"}, {root + "/Data"}, xdg, home));
  };
  EXPECT_EQ(readOnly("/data", "/home/u"), "/data/perolet/Save");
  EXPECT_EQ(readOnly("", "/home/u"), "/home/u/.local/share/perolet/Save");
  EXPECT_EQ(readOnly("relative/dir", "/home/u"), "/home/u/.local/share/perolet/Save");
  EXPECT_EQ(readOnly(std::nullopt, "/home/u"), "/home/u/.local/share/perolet/Save");
  EXPECT_EQ(readOnly(std::nullopt, std::nullopt), "Data/Save");
}

}  // namespace
