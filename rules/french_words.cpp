#include "french_words.h"

#include <array>

#include "position.h"

namespace quorvel {

namespace {

struct KindWords {
    std::string_view name;
    std::string_view plural;
    std::string_view article;  // "le " or "la "
};

// At kind - 1: king 1 .. pawn 6.
constexpr std::array<KindWords, 6> kWords{{
    {"roi", "rois", "le "},
    {"dame", "dames", "la "},
    {"tour", "tours", "la "},
    {"cavalier", "cavaliers", "le "},
    {"fou", "fous", "le "},
    {"pion", "pions", "le "},
}};

const KindWords* wordsOf(int kind) {
    return kind >= kUpperKing && kind <= kUpperPawn ? &kWords[static_cast<std::size_t>(kind - 1)] : nullptr;
}

}  // namespace

std::string_view pieceName(int kind) {
    const KindWords* w = wordsOf(kind);
    return w ? w->name : std::string_view{};
}

std::string_view piecePluralName(int kind) {
    const KindWords* w = wordsOf(kind);
    return w ? w->plural : std::string_view{};
}

std::string withArticle(int kind) {
    const KindWords* w = wordsOf(kind);
    return w ? std::string(w->article) + std::string(w->name) : std::string{};
}

bool isFeminine(int kind) {
    const KindWords* w = wordsOf(kind);
    return w && w->article == "la ";
}

std::string squareName(int file, int rank) {
    return {static_cast<char>('a' + file - 1), static_cast<char>('0' + rank)};
}

std::string frenchList(const std::vector<std::string>& items, std::string_view word) {
    std::string result;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0 && i + 1 == items.size()) {
            result.append(" ").append(word).append(" ");
        } else if (i > 0) {
            result.append(", ");
        }
        result.append(items[i]);
    }
    return result;
}

std::string capitalised(std::string text) {
    if (text.empty()) return text;
    // "é" is the one accented first letter these texts have ("échec").
    if (text.rfind("é", 0) == 0) return "É" + text.substr(std::string_view("é").size());
    if (text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

}  // namespace quorvel
