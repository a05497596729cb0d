#include "uci/uci_words.h"

namespace quorvel {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

UciWords::UciWords(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) ++i;
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i])) ++i;
        if (i > start) words_.push_back(line.substr(start, i - start));
    }
}

std::string_view UciWords::span(std::size_t first, std::size_t last) const {
    if (first >= last || last > words_.size()) return {};
    const char* begin = words_[first].data();
    const char* end = words_[last - 1].data() + words_[last - 1].size();
    return {begin, static_cast<std::size_t>(end - begin)};
}

}  // namespace quorvel
