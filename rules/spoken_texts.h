#pragma once
// What the program says aloud, in French: each move played ("Cavalier f3",
// "Pion prend d5", "Petit roque", "Dame d8, échec"), how the game ends with
// it, and the state of the game on request (the last move, the clocks, the
// pieces of one side, one square of the board). Plain texts; the speaking
// itself belongs to the window.

#include <string>

#include "perft.h"
#include "position.h"
#include "record_positions.h"

namespace quorvel {

// What the position after a move holds for the side to move.
enum class MoveEnding {
    none,
    check,
    checkmate,
    stalemate,
    repetition,
    fiftyMoves,
    insufficientMaterial,
    recordFull,
};

// The words for a legal move of the side to move in `before`.
std::string spokenMove(const ChessPosition& before, const LegalMove& move, MoveEnding ending);

// The ending of the position after the record's plyCount half-moves.
MoveEnding endingOf(const GameRecord& record);

// The words for the record's last half-move (at plyCount), its ending
// included; empty when no move was played.
std::string spokenLastMove(const GameRecord& record);

// On request: "Dernier coup, Blancs : Cavalier f3" or "Aucun coup joué".
std::string spokenLastMoveReport(const GameRecord& record);

// "Blancs : 2 minutes 5 secondes. Noirs : 1 minute 40 secondes".
std::string spokenClocks(int whiteSeconds, int blackSeconds);

// "Blancs : roi g1, dame d1, tours a1 et f1, ..." for White or Black on a
// chess board (White the lower side, rows the ranks).
std::string spokenPieces(const Position& chessBoard, bool white);

// "e4, pion blanc", "d8, dame noire", "c3, vide".
std::string squareContents(const Position& chessBoard, int file, int rank);

}  // namespace quorvel
