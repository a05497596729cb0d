#pragma once
// Cuts the bytes a program writes into lines, whatever the size of the
// pieces they arrive in. A line longer than the cap is dropped whole (and
// counted), so a program that never ends its line costs at most the cap.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace quorvel {

class LineSplitter {
public:
    explicit LineSplitter(std::size_t maxLength) : maxLength_(maxLength) {}

    // Calls `line` for each line completed by `bytes`, without its line end
    // ("\n" or "\r\n").
    void feed(std::string_view bytes, const std::function<void(std::string_view)>& line);
    // The input has ended: a last line without its line end, if any.
    void finish(const std::function<void(std::string_view)>& line);

    std::size_t droppedLines() const { return dropped_; }

private:
    std::size_t maxLength_;
    std::string partial_;
    bool overlong_ = false;  // the line under way passed the cap: the rest of it is skipped
    std::size_t dropped_ = 0;
};

}  // namespace quorvel
