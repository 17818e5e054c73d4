#include "records_page.h"

#include <ctime>

#include "score/score_endpoint.h"

namespace records {

namespace {

// The game's look: its evening sky, the yellow of its titles and the white of its texts. The
// table scrolls sideways in its own box where a phone is too narrow for it, so the page never
// does; numbers and dates never break across lines, countries only between words, and a long
// name breaks anywhere (though never narrower than a few letters) before the table grows
// wider than the screen.
constexpr const char* kStyle =
    "body{margin:0;font-family:'PT Sans','DejaVu Sans',sans-serif;color:#fff;"
    "background:linear-gradient(#16306b,#3f7fc9 60%,#f3b75a);background-attachment:fixed;"
    "min-height:100vh}"
    "main{max-width:46rem;margin:0 auto;padding:1rem}"
    "h1{color:#ffd23f;text-align:center;font-size:1.8rem;text-shadow:2px 2px #000}"
    ".t{overflow-x:auto}"
    "table{width:100%;border-collapse:collapse;background:rgba(0,0,32,.45)}"
    "th,td{padding:.35rem .5rem;text-align:left;overflow-wrap:anywhere}"
    "th{color:#ffd23f;border-bottom:2px solid #ffd23f}"
    "tr:nth-child(even) td{background:rgba(255,255,255,.08)}"
    ".n,.d{white-space:nowrap}.n{text-align:right}"
    "td:nth-child(2){min-width:5em}td:nth-child(3){overflow-wrap:normal}"
    "nav{display:flex;justify-content:space-between;gap:1rem;margin:1rem 0}"
    "a{color:#ffd23f}p,h2,form{text-align:center}h2{font-size:1.1rem}"
    "input{max-width:60%}"
    ".v{color:#7dff9a;font-weight:bold;cursor:help}"
    "@media (max-width:30rem){main{padding:.4rem}h1{font-size:1.3rem}"
    "table{font-size:.8rem}th,td{padding:.3rem .2rem}}";

// Where the game is to be had: its homepage, as the AppStream metainfo in dist/ gives it.
constexpr const char* kGameHome = "https://perolet.example.net/";

// Thousands apart by a narrow no-break space (U+202F), as Russian sets numbers: a number
// never breaks across lines, and the JSON keeps plain digits.
constexpr const char* kThousandsSeparator = "\xE2\x80\xAF";

constexpr const char* kTitle = "Перолёт — мировые рекорды";
constexpr const char* kDescription =
    "Лучшие результаты игроков «Перолёта» со всего мира: боевая утка расчищает путь к озеру. "
    "Сыграйте и впишите своё имя в таблицу.";

// The game's icon, the fighting duck's head on a round sky, drawn as the launcher's icon is.
constexpr const char* kFavicon =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 48 48\">"
    "<defs><linearGradient id=\"s\" x2=\"0\" y2=\"1\"><stop offset=\"0\" stop-color=\"#3c8ae0\"/>"
    "<stop offset=\"1\" stop-color=\"#bfe6fa\"/></linearGradient></defs>"
    "<circle cx=\"24\" cy=\"24\" r=\"23\" fill=\"url(#s)\" stroke=\"#14304e\" "
    "stroke-width=\"1.5\"/>"
    "<g transform=\"translate(-59.1 -4)\" stroke=\"#1f1a24\" stroke-width=\"2\">"
    "<ellipse cx=\"86\" cy=\"28\" rx=\"15\" ry=\"14\" fill=\"#1f8a4c\"/>"
    "<path d=\"M98 26L114 30L112 34L98 35Z\" fill=\"#f6a21a\"/>"
    "<rect x=\"80\" y=\"15\" width=\"14\" height=\"8\" rx=\"3\" fill=\"#6b4a2a\" "
    "stroke-width=\"1.5\"/>"
    "<ellipse cx=\"91\" cy=\"26\" rx=\"4.5\" ry=\"5\" fill=\"#fff\" stroke-width=\"1.5\"/>"
    "<ellipse cx=\"92.8\" cy=\"26\" rx=\"2.3\" ry=\"2.7\" fill=\"#1f1a24\" stroke=\"none\"/>"
    "<circle cx=\"93.6\" cy=\"24.9\" r=\".8\" fill=\"#fff\" stroke=\"none\"/></g></svg>\n";

// What a shared link shows: the title, a line on the game, and the icon.
std::string Head() {
  std::string head =
      "<!DOCTYPE html>\n<html lang=\"ru\"><head><meta charset=\"utf-8\">"
      "<meta name=\"viewport\" content=\"width=device-width,initial-scale=1\"><title>";
  head +=
      std::string(kTitle) + "</title><meta name=\"description\" content=\"" + kDescription +
      "\"><meta property=\"og:type\" content=\"website\"><meta property=\"og:title\" content=\"" +
      kTitle + "\"><meta property=\"og:description\" content=\"" + kDescription +
      "\"><link rel=\"icon\" href=\"/favicon.svg\" type=\"image/svg+xml\"><style>";
  return head + kStyle + "</style></head>";
}

// What the mark of a verified game says, in its title and under the table.
constexpr const char* kVerifiedTitle =
    "Проверено: сервер сыграл запись этой игры и пришёл к этому счёту";

// How a result gets here, from the game's own questions.
std::string HowToEnter() {
  return std::string("<p>Как попасть в таблицу: сыграйте в <a href=\"") + kGameHome +
         "\">Перолёт</a>, в конце игры введите своё имя и на вопрос «Отправить результат на "
         "страницу мировых рекордов?» ответьте «Да».</p>\n";
}

std::string JsonEscape(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      static const char* kHex = "0123456789abcdef";
      out += "\\u00";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

// The address of the page that shows view, before HTML escaping.
std::string ViewLink(const TListView& view) {
  return std::string(score::kEndpointPath) + "?" + score::kPageQuery + ViewQuery(view);
}

std::string Link(const std::string& href, const std::string& text) {
  return "<a href=\"" + HtmlEscape(href) + "\">" + text + "</a>";
}

// The query for the page before the rows shown and the one after them, keyed on their ends.
std::string PreviousQuery(const TRecordsPage& page) {
  return "before=" + KeyText(page.rows.front().Key()) + "&rank=" + std::to_string(page.firstRank);
}
std::string NextQuery(const TRecordsPage& page) {
  return "after=" + KeyText(page.rows.back().Key()) +
         "&rank=" + std::to_string(page.firstRank + static_cast<int64_t>(page.rows.size()) - 1);
}

std::string Navigation(const TRecordsPage& page) {
  if (page.rows.empty() || (!page.earlier && !page.later)) return {};
  const std::string here = ViewLink(page.view) + "&";
  std::string nav = "<nav>";
  nav += page.earlier
             ? Link(here + PreviousQuery(page), "← Предыдущие " + std::to_string(page.pageSize))
             : "<span></span>";
  if (page.later)
    nav += Link(here + NextQuery(page), "Следующие " + std::to_string(page.pageSize) + " →");
  return nav + "</nav>";
}

// The view of verified games or of all, unless the server shows verified ones alone.
std::string VerifiedView(const TRecordsPage& page) {
  if (page.serverVerifiedOnly) return {};
  TListView other = page.view;
  other.name.clear();
  other.verified = !page.view.verified;
  return page.view.verified ? Link(ViewLink(other), "Все результаты")
                            : Link(ViewLink(other), "Только проверенные");
}

// The other views one click away, and the search, which keeps the view it was made from.
std::string Views(const TRecordsPage& page) {
  const TListView& view = page.view;
  TListView other = view;
  other.name.clear();
  other.everyGame = !view.everyGame;
  std::string html = "<nav>";
  html += view.everyGame ? Link(ViewLink(other), "Лучшая игра каждого")
                         : Link(ViewLink(other), "Все игры");
  other = view;
  other.name.clear();
  other.week = !view.week;
  html += view.week ? Link(ViewLink(other), "За всё время") : Link(ViewLink(other), "За неделю");
  html += VerifiedView(page) + "</nav><form method=\"get\" action=\"" +
          std::string(score::kEndpointPath) + "\"><input type=\"hidden\" name=\"prg\" value=\"" +
          score::kProgramName + "\"><input type=\"hidden\" name=\"show\">";
  if (view.everyGame) html += "<input type=\"hidden\" name=\"all\" value=\"1\">";
  if (view.week) html += "<input type=\"hidden\" name=\"week\" value=\"1\">";
  if (view.verified) html += "<input type=\"hidden\" name=\"verified\" value=\"1\">";
  html += "<input name=\"name\" maxlength=\"12\" placeholder=\"Имя начинается с…\" value=\"" +
          HtmlEscape(view.name) + "\"> <button>Найти</button></form>\n";
  return html;
}

bool VerifiedOnly(const TRecordsPage& page) {
  return page.view.verified || page.serverVerifiedOnly;
}

std::string Heading(const TRecordsPage& page) {
  const TListView& view = page.view;
  std::string text = view.everyGame ? "Все игры" : "Лучшая игра каждого игрока";
  text += view.week ? " за эту неделю" : " за всё время";
  if (VerifiedOnly(page)) text += ", только проверенные";
  if (!view.name.empty()) text += ", имена на «" + HtmlEscape(view.name) + "»";
  return "<h2>" + text + "</h2>\n";
}

bool AnyVerified(const TRecordsPage& page) {
  for (const TStoredRecord& row : page.rows)
    if (row.state == TRecordState::Verified) return true;
  return false;
}

// A row of the table; a verified game is marked, and where the page has such games each
// offers its replay in a column of its own.
std::string Row(const TStoredRecord& row, int64_t rank, bool replays) {
  const bool verified = row.state == TRecordState::Verified;
  std::string html =
      "<tr><td class=\"n\">" + GroupedNumber(rank) + "</td><td>" + HtmlEscape(row.name) +
      (verified ? std::string(" <span class=\"v\" title=\"") + kVerifiedTitle + "\">✓</span>"
                : "") +
      "</td><td>" + ShownCountry(row.country) + "</td><td class=\"n\">" + GroupedNumber(row.score) +
      "</td><td class=\"d\">" + UtcDate(row.time) + "</td>";
  if (replays) {
    html += "<td>";
    if (verified) {
      html += "<a href=\"" + ReplayPath(row.id) + "\" download=\"" + ReplayFileName(row.id) +
              "\">запись</a>";
    }
    html += "</td>";
  }
  return html + "</tr>\n";
}

std::string JsonQuery(const TRecordsPage& page, bool present, const std::string& query) {
  return present && !page.rows.empty() ? JsonEscape(query + ViewQuery(page.view))
                                       : std::string("null");
}

}  // namespace

std::string HtmlEscape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string UtcDate(int64_t time) {
  const std::time_t t = static_cast<std::time_t>(time);
  std::tm parts{};
  if (!gmtime_r(&t, &parts)) return "?";
  char buffer[16];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%d", &parts);
  return buffer;
}

std::string GroupedNumber(int64_t value) {
  const std::string digits = std::to_string(value);
  const size_t first = value < 0 ? 1 : 0;
  std::string out = digits.substr(0, first);
  for (size_t i = first; i < digits.size(); ++i) {
    if (i > first && (digits.size() - i) % 3 == 0) out += kThousandsSeparator;
    out += digits[i];
  }
  return out;
}

std::string ShownCountry(const std::string& country) {
  // The game draws a country not given as a row of underscores and sends it so.
  if (country.find_first_not_of('_') == std::string::npos) return "—";
  return HtmlEscape(country);
}

std::string ReplayPath(int64_t id) {
  return std::string(kReplaysFolder) + std::to_string(id) + std::string(kReplayExtension);
}

std::string ReplayFileName(int64_t id) {
  return "perolet-" + std::to_string(id) + std::string(kReplayExtension);
}

std::string_view FaviconSvg() {
  return kFavicon;
}

std::string RecordsPageHtml(const TRecordsPage& page) {
  std::string html = Head();
  html += std::string("<body><main><h1>") + kTitle + "</h1>\n" + HowToEnter();
  html += Views(page) + Heading(page);
  if (page.rows.empty()) {
    html += page.total == 0 ? "<p>Рекордов пока нет. Станьте первым!</p>\n"
                            : "<p>Здесь рекордов нет.</p>\n";
  } else {
    const bool replays = AnyVerified(page);
    html +=
        "<div class=\"t\"><table><thead><tr><th class=\"n\">№</th><th>Имя</th><th>Страна</th>"
        "<th class=\"n\">Очки</th><th class=\"d\">Дата</th>";
    html += replays ? "<th>Запись</th></tr></thead><tbody>\n" : "</tr></thead><tbody>\n";
    int64_t rank = page.firstRank;
    for (const TStoredRecord& row : page.rows) html += Row(row, rank++, replays);
    html += "</tbody></table></div>\n";
    // A phone shows no titles: the mark is explained beside the table.
    if (replays)
      html += std::string("<p><span class=\"v\">✓</span> ") + kVerifiedTitle +
              ". Такую запись можно скачать и посмотреть в Перолёте.</p>\n";
  }
  html += Navigation(page);
  html += (VerifiedOnly(page) ? "<p>Проверенных результатов: " : "<p>Всего результатов: ") +
          GroupedNumber(page.total) + "</p></main></body></html>\n";
  return html;
}

std::string RecordsJson(const TRecordsPage& page) {
  std::string json = "{\"total\":" + std::to_string(page.total) +
                     ",\"limit\":" + std::to_string(page.pageSize) + ",\"records\":[";
  int64_t rank = page.firstRank;
  for (size_t i = 0; i < page.rows.size(); ++i) {
    const TStoredRecord& row = page.rows[i];
    json += (i ? ",{" : "{");
    json += "\"rank\":" + std::to_string(rank++) + ",\"name\":" + JsonEscape(row.name) +
            ",\"country\":" + JsonEscape(row.country) + ",\"score\":" + std::to_string(row.score) +
            ",\"time\":" + std::to_string(row.time) + ",\"date\":\"" + UtcDate(row.time) +
            "\",\"key\":\"" + KeyText(row.Key()) + "\",\"state\":\"" + StateName(row.state) + "\"";
    if (row.state == TRecordState::Unchecked) json += ",\"version\":" + JsonEscape(row.stateDetail);
    json += "}";
  }
  json += "],\"previous\":" +
          JsonQuery(page, page.earlier, page.rows.empty() ? "" : PreviousQuery(page));
  json += ",\"next\":" + JsonQuery(page, page.later, page.rows.empty() ? "" : NextQuery(page));
  return json + "}\n";
}

}  // namespace records
