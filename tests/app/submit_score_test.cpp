#include <gtest/gtest.h>

#include "app/form.h"
#include "persist/score_links.h"
#include "persist/score_record.h"
#include "platform/headless/headless_platform.h"
#include "support/temp_dir.h"

namespace {

TEST(ScoreRecord, SubmittingSendsOneRequestAndLetsFailuresGo) {
  test_support::TTempWorkDir dir;
  dir.LinkGameResources();
  platform::THeadlessPlatform platform;
  TMForm form(platform, TFormConfig{1, "http://127.0.0.1:9"});
  form.FormCreate();
  form.PlayerName = "Ann";
  form.Game.Score = 700;
  form.SubmitScore();  // the headless platform refuses, as a machine without network would
  ASSERT_EQ(platform.Requests().size(), 1u);
  const std::string expected = persist::ScoreRequestAddress(
      "http://127.0.0.1:9",
      persist::EncodeScoreRecord(persist::BuildScoreRecord("Ann", 700, form.Options.Country)));
  EXPECT_EQ(platform.Requests()[0], expected);
  EXPECT_TRUE(expected.starts_with("http://127.0.0.1:9/cgi/version.pl?hs&prg=Featherstrike&inf="));
}

}  // namespace
