#pragma once
// The French words the program says about pieces and squares, shared by the
// messages about typed moves and by the spoken texts. UTF-8.

#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// Kinds: king 1 .. pawn 6 (pieceKind). "roi", "dame", "tour", "fou",
// "cavalier", "pion"; empty for anything else.
std::string_view pieceName(int kind);
// "rois", "dames", ...
std::string_view piecePluralName(int kind);
// "le roi", "la dame", ...
std::string withArticle(int kind);
// The dame and the tour take feminine words ("aucune tour").
bool isFeminine(int kind);

// "e4" for file 5, rank 4 (both 1..8).
std::string squareName(int file, int rank);

// "a", "a et b", "a, b et c"; with `word` "ou": "a ou b".
std::string frenchList(const std::vector<std::string>& items, std::string_view word = "et");

// The first letter in upper case ("cavalier f3" -> "Cavalier f3"); the
// accented capitals of the words used here ("é" -> "É") included.
std::string capitalised(std::string text);

}  // namespace quorvel
