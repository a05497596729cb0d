#include "spoken_texts.h"

#include <algorithm>
#include <vector>

#include "french_words.h"
#include "game_end.h"
#include "game_outcome.h"
#include "san.h"

namespace quorvel {

namespace {

bool isPawn(int code) {
    return pieceKind(code) == kUpperPawn;
}

// The from-file or from-square SAN writes to tell the move from a rival's:
// "b" in "Cbd2", "1" in "T1a3", "a1" in "Da1b2"; empty when there is none.
std::string disambiguation(const ChessPosition& before, const LegalMove& move) {
    if (isPawn(before.board.at(move.fromX, move.fromY))) {
        // SAN writes the file of every pawn capture; the words name it only
        // when another pawn could take on the same square.
        if (move.fromX == move.toX) return {};
        for (const LegalMove& other : legalMoves(before.board, before.state, !before.whiteToMove)) {
            if (other.toX == move.toX && other.toY == move.toY && other.fromX != move.fromX &&
                other.fromX != other.toX && isPawn(before.board.at(other.fromX, other.fromY)))
                return std::string(1, static_cast<char>('a' + move.fromX - 1));
        }
        return {};
    }
    const std::string san = sanOf(before.board, before.state, before.whiteToMove, move);
    const std::string target = squareName(move.toX, move.toY);
    const std::size_t end = std::min(san.find('x'), san.find(target, 1));
    return end == std::string::npos || end < 1 ? std::string{} : san.substr(1, end - 1);
}

std::string endingWords(MoveEnding ending, bool whiteMoved) {
    switch (ending) {
        case MoveEnding::check:
            return ", échec";
        case MoveEnding::checkmate:
            return whiteMoved ? ". Échec et mat, les Blancs gagnent" : ". Échec et mat, les Noirs gagnent";
        case MoveEnding::stalemate:
            return ". Pat";
        case MoveEnding::repetition:
            return ". Partie nulle par répétition";
        case MoveEnding::fiftyMoves:
            return ". Partie nulle par la règle des cinquante coups";
        case MoveEnding::insufficientMaterial:
            return ". Partie nulle, matériel insuffisant";
        case MoveEnding::recordFull:
            return ". Partie nulle, trois cents demi-coups joués";
        case MoveEnding::none:
            break;
    }
    return {};
}

// "1 heure 2 minutes 5 secondes", "0 seconde".
std::string durationWords(int seconds) {
    seconds = std::max(seconds, 0);
    const int hours = seconds / 3600, minutes = seconds / 60 % 60, rest = seconds % 60;
    auto part = [](int n, const char* unit) { return std::to_string(n) + " " + unit + (n > 1 ? "s" : ""); };
    std::vector<std::string> parts;
    if (hours > 0) parts.push_back(part(hours, "heure"));
    if (minutes > 0) parts.push_back(part(minutes, "minute"));
    if (rest > 0 || parts.empty()) parts.push_back(part(rest, "seconde"));
    std::string words;
    for (const std::string& p : parts) words += (words.empty() ? "" : " ") + p;
    return words;
}

}  // namespace

std::string spokenMove(const ChessPosition& before, const LegalMove& move, MoveEnding ending) {
    std::string words;
    if (move.castling != Castling::none) {
        words = move.castling == Castling::kingSide ? "Petit roque" : "Grand roque";
    } else {
        const int code = before.board.at(move.fromX, move.fromY);
        const bool pawn = isPawn(code);
        const bool enPassant = pawn && move.fromX != move.toX && before.board.at(move.toX, move.toY) == 0;
        const bool capture = before.board.at(move.toX, move.toY) != 0 || enPassant;
        words = capitalised(std::string(pieceName(pieceKind(code))));
        if (const std::string from = disambiguation(before, move); !from.empty()) words += " " + from;
        words += capture ? " prend " : " ";
        words += squareName(move.toX, move.toY);
        if (enPassant) words += " en passant";
        if (move.promotionPiece != 0)
            words += ", promotion en " + std::string(pieceName(pieceKind(move.promotionPiece)));
    }
    return words + endingWords(ending, before.whiteToMove);
}

MoveEnding endingOf(const GameRecord& record) {
    const ChessPosition now = positionAtPly(record, record.plyCount);
    const bool moverIsUpper = !now.whiteToMove;  // White is the lower side
    const bool inCheck = isInCheck(now.board, now.state, moverIsUpper);
    if (!hasLegalMove(now.board, now.state, moverIsUpper))
        return inCheck ? MoveEnding::checkmate : MoveEnding::stalemate;
    switch (drawReason(record)) {
        case DrawReason::repetition:
            return MoveEnding::repetition;
        case DrawReason::fiftyMoves:
            return MoveEnding::fiftyMoves;
        case DrawReason::insufficientMaterial:
            return MoveEnding::insufficientMaterial;
        case DrawReason::none:
            break;
    }
    if (record.plyCount >= GameRecord::kCapacity) return MoveEnding::recordFull;
    return inCheck ? MoveEnding::check : MoveEnding::none;
}

std::string spokenLastMove(const GameRecord& record) {
    const int ply = std::min(record.plyCount, GameRecord::kCapacity);
    if (ply <= setupPly(record)) return {};
    const ChessPosition before = positionAtPly(record, ply - 1);
    const ChessPosition after = positionAtPly(record, ply);
    const auto move = legalMoveBetween(before.board, before.state, !before.whiteToMove, after.board);
    // A record no legal move explains (a damaged file) still says its text.
    if (!move) return record.moves[static_cast<std::size_t>(ply - 1)].str();
    return spokenMove(before, *move, endingOf(record));
}

std::string spokenLastMoveReport(const GameRecord& record) {
    const std::string words = spokenLastMove(record);
    if (words.empty()) return "Aucun coup joué";
    const bool whiteMoved = record.plyCount % 2 == 1;
    return std::string("Dernier coup, ") + (whiteMoved ? "Blancs : " : "Noirs : ") + words;
}

std::string spokenClocks(int whiteSeconds, int blackSeconds) {
    return "Blancs : " + durationWords(whiteSeconds) + ". Noirs : " + durationWords(blackSeconds);
}

std::string spokenPieces(const Position& chessBoard, bool white) {
    static constexpr int kOrder[] = {kUpperKing,   kUpperQueen,  kUpperRook,
                                     kUpperBishop, kUpperKnight, kUpperPawn};
    std::vector<std::string> groups;
    for (const int kind : kOrder) {
        std::vector<std::string> squares;
        for (int x = 1; x <= 8; ++x) {
            for (int y = 1; y <= 8; ++y) {
                const int code = chessBoard.at(x, y);
                if (code != 0 && isLowerPiece(code) == white && pieceKind(code) == kind)
                    squares.push_back(squareName(x, y));
            }
        }
        if (squares.empty()) continue;
        const std::string_view name = squares.size() > 1 ? piecePluralName(kind) : pieceName(kind);
        groups.push_back(std::string(name) + " " + frenchList(squares));
    }
    std::string words = white ? "Blancs : " : "Noirs : ";
    if (groups.empty()) return words + "aucune pièce";
    for (std::size_t i = 0; i < groups.size(); ++i) words += (i > 0 ? ", " : "") + groups[i];
    return words;
}

std::string squareContents(const Position& chessBoard, int file, int rank) {
    const int code = chessBoard.at(file, rank);
    const std::string square = squareName(file, rank);
    if (code == 0) return square + ", vide";
    const int kind = pieceKind(code);
    const bool white = isLowerPiece(code);
    const char* colour = isFeminine(kind) ? (white ? "blanche" : "noire") : (white ? "blanc" : "noir");
    return square + ", " + std::string(pieceName(kind)) + " " + colour;
}

}  // namespace quorvel
