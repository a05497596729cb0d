#include "uci/line_splitter.h"

namespace quorvel {

void LineSplitter::feed(std::string_view bytes, const std::function<void(std::string_view)>& line) {
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::string_view piece = bytes.substr(0, end);
        if (!overlong_) {
            if (partial_.size() + piece.size() > maxLength_) {
                overlong_ = true;
                partial_.clear();
                partial_.shrink_to_fit();
            } else {
                partial_.append(piece);
            }
        }
        if (end == std::string_view::npos) return;
        if (overlong_) {
            ++dropped_;
        } else {
            std::string_view text = partial_;
            if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
            line(text);
        }
        partial_.clear();
        overlong_ = false;
        bytes.remove_prefix(end + 1);
    }
}

void LineSplitter::finish(const std::function<void(std::string_view)>& line) {
    if (overlong_) {
        ++dropped_;
    } else if (!partial_.empty()) {
        feed("\n", line);
        return;
    }
    partial_.clear();
    overlong_ = false;
}

}  // namespace quorvel
