#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "record_queries.h"

namespace records {

// A network an operator bans, written ADDR/LEN: LEN up to 32 after an IPv4 address, up to 128
// after an IPv6 one. Its addresses run from low to high, each as the 32 hex digits of its 16
// bytes (an IPv4 address as ::ffff:a.b.c.d, as clients' addresses are kept), so both stores
// compare them as plain text, byte by byte.
struct TAddressRange {
  std::string text;  // written back with the host bits cleared: "192.0.2.0/24"
  std::string low;
  std::string high;
};

// Nothing for text that is not ADDR/LEN with LEN in range.
std::optional<TAddressRange> ParseAddressRange(std::string_view text);

// The client's address as the ranges are written, or "" for text that is no address, which
// falls in no range.
std::string AddressHex(const std::string& address);

// One row, whether a submission is banned: ?1 (or $1) the name as stored, ?2 (or $2) the
// address as AddressHex gives it. 1 or 0 on SQLite, true or false on PostgreSQL.
const char* BannedQuery(TSqlDialect dialect);

// The names a ban may hold: what a name from the game can be, at most 12 characters of UTF-8.
bool BannableName(const std::string& name);

}  // namespace records
