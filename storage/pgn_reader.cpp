#include "storage/pgn_reader.h"

#include <algorithm>
#include <cctype>

#include "storage/text_encoding.h"

namespace quorvel {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Ends a symbol: blanks and the characters with a meaning of their own.
bool endsSymbol(char c) {
    return isBlank(c) || std::string_view("{}()[];$\"").find(c) != std::string_view::npos;
}

bool isResult(std::string_view token) {
    return token == "1-0" || token == "0-1" || token == "1/2-1/2" || token == "*" || token == "\u00BD-\u00BD";
}

// What the lexer is in the middle of.
class PgnLexer {
public:
    explicit PgnLexer(std::string_view text) : text_(text) {}

    std::vector<PgnGameText> games() {
        while (at_ < text_.size()) step();
        if (inGame_) finishGame("*");
        return std::move(games_);
    }

private:
    void step() {
        const char c = text_[at_];
        if (lineStart_ && c == '%') {
            skipLine();
            return;
        }
        lineStart_ = c == '\n';
        if (isBlank(c)) {
            ++at_;
        } else if (c == '[') {
            // Tags after a move text without a result start the next game.
            if (inMoves_) finishGame("*");
            readTag();
        } else if (c == '{') {
            skipComment();
        } else if (c == ';') {
            skipLine();
        } else if (c == '(') {
            skipVariation();
        } else if (c == '$') {
            ++at_;
            while (at_ < text_.size() && isDigit(text_[at_])) ++at_;
        } else if (c == ')' || c == ']' || c == '}' || c == '"') {
            ++at_;  // stray closing marks carry nothing
        } else {
            readSymbol();
        }
    }

    void skipLine() {
        while (at_ < text_.size() && text_[at_] != '\n') ++at_;
    }

    void fail(const char* problem) {
        inGame_ = true;
        if (current_.problem.empty()) current_.problem = problem;
        at_ = text_.size();
    }

    void skipComment() {
        const auto end = text_.find('}', at_);
        if (end == std::string_view::npos) return fail("Commentaire non fermé");
        at_ = end + 1;
    }

    void skipVariation() {
        int depth = 0;
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == '{') {
                skipComment();
                continue;
            }
            if (c == ';') {
                skipLine();
                continue;
            }
            ++at_;
            if (c == '(') ++depth;
            if (c == ')' && --depth == 0) return;
        }
        fail("Variante non fermée");
    }

    // [Name "value"] on one line; a malformed pair is skipped.
    void readTag() {
        const std::size_t lineEnd = std::min(text_.find('\n', at_), text_.size());
        std::size_t i = at_ + 1;
        while (i < lineEnd && isBlank(text_[i])) ++i;
        const std::size_t nameStart = i;
        while (i < lineEnd && (std::isalnum(static_cast<unsigned char>(text_[i])) || text_[i] == '_')) ++i;
        PgnTag tag{std::string(text_.substr(nameStart, i - nameStart)), {}};
        while (i < lineEnd && isBlank(text_[i])) ++i;
        bool closed = false;
        if (!tag.name.empty() && i < lineEnd && text_[i] == '"') {
            for (++i; i < lineEnd; ++i) {
                if (text_[i] == '\\' && i + 1 < lineEnd) {
                    tag.value += text_[++i];
                } else if (text_[i] == '"') {
                    closed = true;
                    ++i;
                    break;
                } else {
                    tag.value += text_[i];
                }
            }
        }
        while (i < lineEnd && text_[i] != ']') ++i;
        at_ = i < lineEnd ? i + 1 : lineEnd;
        if (!closed) return;
        inGame_ = true;
        current_.tags.push_back(std::move(tag));
    }

    void readSymbol() {
        const std::size_t start = at_;
        while (at_ < text_.size() && !endsSymbol(text_[at_])) ++at_;
        std::string_view token = text_.substr(start, at_ - start);
        if (isResult(token)) {
            inGame_ = true;
            return finishGame(token == "\u00BD-\u00BD" ? "1/2-1/2" : std::string(token));
        }
        // A move number, attached or not: "12." "12..." "12.Nf3" "12...Nf6".
        std::size_t digits = 0;
        while (digits < token.size() && isDigit(token[digits])) ++digits;
        if (digits > 0 && (digits == token.size() || token[digits] == '.')) token.remove_prefix(digits);
        while (!token.empty() && token.front() == '.') token.remove_prefix(1);
        if (token.empty() || token == "e.p." || token.find_first_not_of("!?") == std::string_view::npos)
            return;
        inGame_ = inMoves_ = true;
        current_.moves.emplace_back(token);
    }

    void finishGame(std::string result) {
        current_.result = std::move(result);
        games_.push_back(std::move(current_));
        current_ = PgnGameText{};
        inGame_ = inMoves_ = false;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    bool lineStart_ = true;
    bool inGame_ = false;   // something of a game has been read
    bool inMoves_ = false;  // its move text has begun
    PgnGameText current_;
    std::vector<PgnGameText> games_;
};

}  // namespace

std::string PgnGameText::tag(std::string_view name) const {
    for (const PgnTag& t : tags)
        if (t.name == name) return t.value;
    return {};
}

std::string PgnGameText::summary() const {
    auto shown = [this](std::string_view name) {
        const std::string value = tag(name);
        return value.empty() ? std::string("?") : value;
    };
    const std::string outcome = tag("Result").empty() ? result : tag("Result");
    return shown("White") + " \u2013 " + shown("Black") + ", " + shown("Event") + ", " + shown("Date") +
           ", " + (outcome.empty() ? std::string("*") : outcome);
}

std::vector<PgnGameText> readPgnGames(std::string_view bytes) {
    const std::string text = unixLineEnds(utf8FromAnyText(bytes));
    return PgnLexer(text).games();
}

}  // namespace quorvel
