#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace records {

// SipHash-2-4: a keyed hash, so a client's address is never kept, and without the key (which
// never leaves memory) a kept hash cannot be traced back to an address.
using TSipKey = std::array<uint64_t, 2>;
uint64_t SipHash24(const TSipKey& key, std::string_view data);

}  // namespace records
