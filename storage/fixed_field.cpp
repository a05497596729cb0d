#include "storage/fixed_field.h"

#include <algorithm>

namespace quorvel {

std::string decimalField(std::int64_t value, int width) {
    std::int64_t largest = 1;
    for (int i = 1; i < width; ++i) largest *= 10;      // width - 1 digits
    const std::int64_t smallest = -(largest / 10) + 1;  // a sign and width - 2 digits
    value = std::clamp(value, smallest, largest - 1);
    std::string field = std::to_string(value);
    field.resize(static_cast<std::size_t>(width), '\0');
    return field;
}

std::int64_t leadingNumber(std::string_view field) {
    std::size_t i = 0;
    bool negative = false;
    if (i < field.size() && (field[i] == '-' || field[i] == '+')) negative = field[i++] == '-';
    std::int64_t value = 0;
    // Fields are at most 10 bytes, far below the range of int64.
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) value = value * 10 + (field[i] - '0');
    return negative ? -value : value;
}

std::optional<std::int64_t> exactNumber(std::string_view field) {
    field = field.substr(0, field.find('\0'));
    std::size_t i = field.starts_with('-') ? 1 : 0;
    if (i == 1 && field.size() == 1) return std::nullopt;
    for (; i < field.size(); ++i)
        if (field[i] < '0' || field[i] > '9') return std::nullopt;
    return leadingNumber(field);
}

}  // namespace quorvel
