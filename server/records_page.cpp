#include "records_page.h"

#include <ctime>

#include "score/score_endpoint.h"

namespace records {

namespace {

// The game's look: its evening sky, the yellow of its titles and the white of its texts.
constexpr const char* kStyle =
    "body{margin:0;font-family:'PT Sans','DejaVu Sans',sans-serif;color:#fff;"
    "background:linear-gradient(#16306b,#3f7fc9 60%,#f3b75a);background-attachment:fixed;"
    "min-height:100vh}"
    "main{max-width:46rem;margin:0 auto;padding:1rem}"
    "h1{color:#ffd23f;text-align:center;font-size:1.8rem;text-shadow:2px 2px #000}"
    "table{width:100%;border-collapse:collapse;background:rgba(0,0,32,.45)}"
    "th,td{padding:.35rem .5rem;text-align:left;overflow-wrap:anywhere}"
    "th{color:#ffd23f;border-bottom:2px solid #ffd23f}"
    "tr:nth-child(even) td{background:rgba(255,255,255,.08)}"
    "td.n,th.n{text-align:right;white-space:nowrap}"
    "nav{display:flex;justify-content:space-between;margin:1rem 0}"
    "a{color:#ffd23f}p,h2,form{text-align:center}h2{font-size:1.1rem}"
    "@media (max-width:30rem){main{padding:.4rem}h1{font-size:1.3rem}"
    "table{font-size:.8rem}th,td{padding:.3rem .2rem}}";

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

// The other views one click away, and the search, which keeps the view it was made from.
std::string Views(const TListView& view) {
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
  html += "</nav><form method=\"get\" action=\"" + std::string(score::kEndpointPath) +
          "\"><input type=\"hidden\" name=\"prg\" value=\"" + score::kProgramName +
          "\"><input type=\"hidden\" name=\"show\">";
  if (view.everyGame) html += "<input type=\"hidden\" name=\"all\" value=\"1\">";
  if (view.week) html += "<input type=\"hidden\" name=\"week\" value=\"1\">";
  html += "<input name=\"name\" maxlength=\"12\" placeholder=\"Имя начинается с…\" value=\"" +
          HtmlEscape(view.name) + "\"> <button>Найти</button></form>\n";
  return html;
}

std::string Heading(const TListView& view) {
  std::string text = view.everyGame ? "Все игры" : "Лучшая игра каждого игрока";
  text += view.week ? " за эту неделю" : " за всё время";
  if (!view.name.empty()) text += ", имена на «" + HtmlEscape(view.name) + "»";
  return "<h2>" + text + "</h2>\n";
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

std::string RecordsPageHtml(const TRecordsPage& page) {
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"ru\"><head><meta charset=\"utf-8\">"
      "<meta name=\"viewport\" content=\"width=device-width,initial-scale=1\">"
      "<title>Перолёт — мировые рекорды</title><style>";
  html += kStyle;
  html += "</style></head><body><main><h1>Перолёт — мировые рекорды</h1>\n";
  html += Views(page.view) + Heading(page.view);
  if (page.rows.empty()) {
    html += page.total == 0 ? "<p>Рекордов пока нет. Станьте первым!</p>\n"
                            : "<p>Здесь рекордов нет.</p>\n";
  } else {
    html +=
        "<table><thead><tr><th class=\"n\">Место</th><th>Имя</th><th>Страна</th>"
        "<th class=\"n\">Очки</th><th>Дата</th></tr></thead><tbody>\n";
    int64_t rank = page.firstRank;
    for (const TStoredRecord& row : page.rows) {
      html += "<tr><td class=\"n\">" + std::to_string(rank++) + "</td><td>" + HtmlEscape(row.name) +
              "</td><td>" + HtmlEscape(row.country) + "</td><td class=\"n\">" +
              std::to_string(row.score) + "</td><td>" + UtcDate(row.time) + "</td></tr>\n";
    }
    html += "</tbody></table>\n";
  }
  html += Navigation(page);
  html += "<p>Всего результатов: " + std::to_string(page.total) + "</p></main></body></html>\n";
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
            "\",\"key\":\"" + KeyText(row.Key()) + "\"}";
  }
  json += "],\"previous\":" +
          JsonQuery(page, page.earlier, page.rows.empty() ? "" : PreviousQuery(page));
  json += ",\"next\":" + JsonQuery(page, page.later, page.rows.empty() ? "" : NextQuery(page));
  return json + "}\n";
}

}  // namespace records
