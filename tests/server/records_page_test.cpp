#include "records_page.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "records_service.h"
#include "sqlite_store.h"
#include "support/temp_dir.h"

namespace {

constexpr const char* kGap = "\xE2\x80\xAF";  // the narrow no-break space between thousands

TEST(RecordsPage, GroupsThousandsAndShowsTheGamesBlankCountryAsADash) {
  const struct {
    int64_t number;
    std::string shown;
  } numbers[] = {
      {0, "0"},
      {999, "999"},
      {1000, std::string("1") + kGap + "000"},
      {1234567, std::string("1") + kGap + "234" + kGap + "567"},
      {-12345, std::string("-12") + kGap + "345"},
  };
  for (const auto& [number, shown] : numbers) EXPECT_EQ(records::GroupedNumber(number), shown);

  const struct {
    std::string country;
    std::string shown;
  } countries[] = {
      {"_______", "—"}, {"", "—"}, {"_RU_", "_RU_"}, {"<b>", "&lt;b&gt;"}, {"Россия", "Россия"},
  };
  for (const auto& [country, shown] : countries)
    EXPECT_EQ(records::ShownCountry(country), shown) << country;
}

TEST(RecordsPage, SaysWhatItIsToALinkPreviewAndServesItsIcon) {
  records::TRecordsPage page;
  page.rows = {{"Вася", "_______", 1'234'567, 1'796'822'400, 1}};
  page.total = 1;
  const std::string html = records::RecordsPageHtml(page);
  const char* expected[] = {
      "<title>Перолёт — мировые рекорды</title>",
      "<meta property=\"og:title\" content=\"Перолёт — мировые рекорды\">",
      "<meta property=\"og:type\" content=\"website\">",
      "<meta property=\"og:description\" content=\"Лучшие результаты",
      "<link rel=\"icon\" href=\"/favicon.svg\" type=\"image/svg+xml\">",
      "<a href=\"https://perolet.example.net/\">Перолёт</a>",
      "ответьте «Да»",
      "<td>Вася</td><td>—</td><td class=\"n\">1\xE2\x80\xAF"
      "234\xE2\x80\xAF"
      "567</td>"
      "<td class=\"d\">2026-12-09</td>",
  };
  for (const char* part : expected) EXPECT_NE(html.find(part), std::string::npos) << part;
  // The JSON is for programs: plain digits, the country as sent.
  EXPECT_NE(records::RecordsJson(page).find("\"country\":\"_______\",\"score\":1234567,"),
            std::string::npos);

  test_support::TTempWorkDir dir;
  records::TSqliteStore store((dir.Path() / "r.sqlite").string());
  records::TRecordsService service(store, {});
  const records::TReply icon = service.Handle("GET", "/favicon.svg", "192.0.2.1", 0);
  EXPECT_EQ(icon.status, 200);
  EXPECT_EQ(icon.contentType, "image/svg+xml");
  EXPECT_EQ(icon.body.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\"", 0), 0u);
}

}  // namespace
