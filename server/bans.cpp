#include "bans.h"

#include <arpa/inet.h>

#include <charconv>

#include "ip_address.h"
#include "list_request.h"
#include "record_parser.h"

namespace records {

namespace {

constexpr int kAddressBits = 128;
constexpr int kV4Bits = 32;
constexpr int kV4Offset = 12;  // bytes: where ::ffff:a.b.c.d keeps a.b.c.d
constexpr int kV4PrefixBits = kV4Offset * 8;

std::string Hex(const std::array<uint8_t, 16>& bytes) {
  static const char* kDigits = "0123456789abcdef";
  std::string out;
  for (uint8_t byte : bytes) {
    out += kDigits[byte >> 4];
    out += kDigits[byte & 15];
  }
  return out;
}

// The address with every bit from `bits` on cleared (or set).
std::array<uint8_t, 16> Masked(std::array<uint8_t, 16> bytes, int bits, bool set) {
  for (int bit = bits; bit < kAddressBits; ++bit) {
    const auto mask = static_cast<uint8_t>(0x80 >> (bit % 8));
    uint8_t& byte = bytes[static_cast<size_t>(bit / 8)];
    byte = set ? (byte | mask) : (byte & ~mask);
  }
  return bytes;
}

std::string AddressText(const std::array<uint8_t, 16>& bytes, bool v4) {
  char text[INET6_ADDRSTRLEN] = {};
  if (v4) {
    inet_ntop(AF_INET, bytes.data() + kV4Offset, text, sizeof text);
  } else {
    inet_ntop(AF_INET6, bytes.data(), text, sizeof text);
  }
  return text;
}

}  // namespace

std::optional<TAddressRange> ParseAddressRange(std::string_view text) {
  const size_t slash = text.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  const std::string_view address = text.substr(0, slash);
  const auto parsed = ParseIpAddress(address);
  if (!parsed) return std::nullopt;
  // The length counts in the address's own notation: after a.b.c.d it is IPv4's.
  const bool v4Notation = address.find(':') == std::string_view::npos;
  const std::string_view length = text.substr(slash + 1);
  int bits = -1;
  const auto [end, error] = std::from_chars(length.data(), length.data() + length.size(), bits);
  if (error != std::errc() || end != length.data() + length.size() || bits < 0 ||
      bits > (v4Notation ? kV4Bits : kAddressBits))
    return std::nullopt;
  const int prefix = v4Notation ? bits + kV4PrefixBits : bits;
  // A network of IPv4 addresses is written back as IPv4 however it was given, so that one
  // network has one name.
  const bool v4 = parsed->v4 && prefix >= kV4PrefixBits;
  const int shown = v4 ? prefix - kV4PrefixBits : prefix;
  const auto low = Masked(parsed->bytes, prefix, false);
  return TAddressRange{AddressText(low, v4) + "/" + std::to_string(shown), Hex(low),
                       Hex(Masked(parsed->bytes, prefix, true))};
}

std::string AddressHex(const std::string& address) {
  const auto parsed = ParseIpAddress(address);
  return parsed ? Hex(parsed->bytes) : std::string();
}

const char* BannedQuery(TSqlDialect dialect) {
  // A ban of a network holds the ends of its range; a ban of a name has none, so the range
  // test is never true for it, nor for the empty text that stands for no address.
  return dialect == TSqlDialect::Sqlite
             ? "SELECT EXISTS (SELECT 1 FROM bans WHERE (kind = 'name' AND value = ?1)"
               " OR (kind = 'prefix' AND low <= ?2 AND high >= ?2))"
             : "SELECT EXISTS (SELECT 1 FROM bans WHERE (kind = 'name' AND value = $1)"
               " OR (kind = 'prefix' AND low <= $2 AND high >= $2))";
}

bool BannableName(const std::string& name) {
  const auto length = Utf8Length(name);
  return length && *length > 0 && *length <= TSubmissionLimits().longestName;
}

}  // namespace records
