#include "platform/links.h"

#include <gtest/gtest.h>

#include "platform/headless/headless_platform.h"
#include "support/temp_dir.h"

namespace {

TEST(Links, OnlyWebAddressesCount) {
  EXPECT_TRUE(platform::IsWebUrl("http://example.org/"));
  EXPECT_TRUE(platform::IsWebUrl("HTTPS://example.org/cgi/version.pl?a=1"));
  EXPECT_FALSE(platform::IsWebUrl("https://"));
  EXPECT_FALSE(platform::IsWebUrl("file:///etc/passwd"));
  EXPECT_FALSE(platform::IsWebUrl("javascript:alert(1)"));
  EXPECT_FALSE(platform::IsWebUrl("http://a.org/x y"));
  EXPECT_FALSE(platform::IsWebUrl("http://a.org/\n; rm -rf ~"));
  EXPECT_FALSE(platform::IsWebUrl("moregames.url"));
}

TEST(Links, ShortcutGivesTheUrlOfItsSection) {
  EXPECT_EQ(platform::ParseInternetShortcut("[InternetShortcut]\r\nURL=http://a.org/\r\n"),
            "http://a.org/");
  EXPECT_EQ(
      platform::ParseInternetShortcut(
          "[Other]\nURL=http://wrong/\n[internetshortcut]\nIconIndex=0\n url = http://b.org \n"),
      std::nullopt)
      << "the key is 'URL=' at the start of the line";
  EXPECT_EQ(platform::ParseInternetShortcut(
                "[Other]\nURL=http://wrong/\n[InternetShortcut]\nURL=http://b.org\n"),
            "http://b.org");
  EXPECT_EQ(platform::ParseInternetShortcut("URL=http://outside/\n"), std::nullopt);
  EXPECT_EQ(platform::ParseInternetShortcut(""), std::nullopt);
}

TEST(Links, OpenLinkOpensWebAddressesOnly) {
  test_support::TTempWorkDir dir;
  dir.Write("good.url", "[InternetShortcut]\nURL=https://example.org/more\n");
  dir.Write("evil.url", "[InternetShortcut]\nURL=file:///bin/sh\n");
  dir.Write("huge.url", "[InternetShortcut]\nURL=https://a.org/\n" + std::string(70000, 'x'));
  platform::THeadlessPlatform p;
  EXPECT_TRUE(platform::OpenLink(p, "good.url"));
  EXPECT_TRUE(platform::OpenLink(p, "https://example.org/direct"));
  EXPECT_FALSE(platform::OpenLink(p, "evil.url"));
  EXPECT_FALSE(platform::OpenLink(p, "huge.url"));
  EXPECT_FALSE(platform::OpenLink(p, "missing.url"));
  EXPECT_EQ(p.OpenedUrls(),
            (std::vector<std::string>{"https://example.org/more", "https://example.org/direct"}));
}

// The build puts the main menu's "more games" link beside Data/, where the game opens it.
TEST(Links, TheShippedMoreGamesLinkOpensAWebPage) {
  platform::THeadlessPlatform p;
  EXPECT_TRUE(platform::OpenLink(p, PEROLET_GAME_DATA_DIR "/../moregames.url"));
  ASSERT_EQ(p.OpenedUrls().size(), 1u);
  EXPECT_EQ(p.OpenedUrls()[0].rfind("https://", 0), 0u) << p.OpenedUrls()[0];
}

}  // namespace
