#pragma once
// The words of one protocol line, each still pointing into the line, so a
// run of words (an option's name, a path) can be taken back with the blanks
// inside it as they were written.

#include <cstddef>
#include <string_view>
#include <vector>

namespace quorvel {

class UciWords {
public:
    // Words are separated by blanks, tabs and line ends. `line` must outlive this.
    explicit UciWords(std::string_view line);

    std::size_t size() const { return words_.size(); }
    std::string_view operator[](std::size_t i) const { return words_[i]; }
    // The text from word `first` to the end of word `last - 1`; empty when
    // first >= last.
    std::string_view span(std::size_t first, std::size_t last) const;

private:
    std::vector<std::string_view> words_;
};

}  // namespace quorvel
