#include <charconv>
#include <iostream>

#include "cli_commands.h"

namespace quorvel::cli {

int usageError(const std::string& message) {
    std::cerr << "quorvel-cli: " << message << '\n';
    return 2;
}

std::optional<int> wholeNumber(const std::string& word, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

}  // namespace quorvel::cli
