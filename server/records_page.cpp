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
    "a{color:#ffd23f}p{text-align:center}"
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

std::string PageLink(int64_t page) {
  return std::string(score::kEndpointPath) + "?" + score::kPageQuery +
         "&amp;page=" + std::to_string(page);
}

std::string Navigation(const TRecordsPage& page) {
  const bool earlier = page.page > 1;
  const bool later = page.firstRank - 1 + page.pageSize < page.total;
  if (!earlier && !later) return {};
  std::string nav = "<nav>";
  nav += earlier ? "<a href=\"" + PageLink(page.page - 1) + "\">← Предыдущие " +
                       std::to_string(page.pageSize) + "</a>"
                 : "<span></span>";
  if (later)
    nav += "<a href=\"" + PageLink(page.page + 1) + "\">Следующие " +
           std::to_string(page.pageSize) + " →</a>";
  return nav + "</nav>";
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
  if (page.rows.empty()) {
    html += page.total == 0 ? "<p>Рекордов пока нет. Станьте первым!</p>\n"
                            : "<p>На этой странице рекордов нет.</p>\n";
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

std::string RecordsJson(const TRecordsPage& page, int64_t offset, int64_t limit) {
  std::string json = "{\"total\":" + std::to_string(page.total) +
                     ",\"offset\":" + std::to_string(offset) +
                     ",\"limit\":" + std::to_string(limit) + ",\"records\":[";
  int64_t rank = offset + 1;
  for (size_t i = 0; i < page.rows.size(); ++i) {
    const TStoredRecord& row = page.rows[i];
    json += (i ? ",{" : "{");
    json += "\"rank\":" + std::to_string(rank++) + ",\"name\":" + JsonEscape(row.name) +
            ",\"country\":" + JsonEscape(row.country) + ",\"score\":" + std::to_string(row.score) +
            ",\"time\":" + std::to_string(row.time) + ",\"date\":\"" + UtcDate(row.time) + "\"}";
  }
  return json + "]}\n";
}

}  // namespace records
