#pragma once
// Numbers stored as fixed-width fields of decimal ASCII, padded with NUL
// bytes, as both of the program's file formats keep them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// `value` in decimal, NUL-padded to `width` bytes. The value is capped to
// what fits with a terminating NUL, so a field never overflows.
std::string decimalField(std::int64_t value, int width);

// The leading-digits rule: an optional sign, then the digits up to the first
// other character; no digit gives 0.
std::int64_t leadingNumber(std::string_view field);

// Strict form for fields that decide how much is read: the text up to the
// first NUL must be an optional '-' and digits only (empty is 0).
std::optional<std::int64_t> exactNumber(std::string_view field);

}  // namespace quorvel
