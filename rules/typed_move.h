#pragma once
// A move the human types, read against the stored board, where the human's
// army is the lower side (rows reversed when the human has Black).
//
// Read are the notations a French or an English player types: French
// algebraic ("Cf3", "Fxe5", "exd5", "e8=D", "e8D"), English SAN ("Nf3",
// "Bxe5", "e8=Q"), coordinates ("g1f3", "g1-f3", "e7e8q") and castling
// ("O-O", "0-0-0", "o-o"), with or without "+", "#", "!", "?" and "e.p.".
// A capital piece letter is a piece and a small file letter a file, as SAN
// has it ("Bc4" the bishop, "bxc3" the pawn); otherwise the case does not
// matter ("E4", "NF3", "G1F3"). "R" is the French king or the English rook:
// the legal moves decide, and when both fit the move is ambiguous.
//
// The reader finds the move among the side's legal moves (legalMoves), so
// it can't accept what a click would refuse. When no move fits it says why.

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "move_validity.h"
#include "position.h"

namespace quorvel {

// The move found, in squares of the stored board.
struct TypedMove {
    int fromX = 0, fromY = 0, toX = 0, toY = 0;
    Castling castling = Castling::none;
    bool promotes = false;  // a pawn reaching the far row
    int promotionKind = 0;  // the piece the text names (queen 2 .. bishop 5); 0: not named
};

enum class TypedMoveFault {
    empty,
    unreadable,
    noSuchPiece,           // no piece of the kind where the text says
    emptySquare,           // coordinates starting from an empty square
    notYourPiece,          // coordinates starting from an opposing piece
    ownPieceOnTarget,      // the target holds one of the mover's pieces
    cannotReach,           // no piece of the kind can go there
    kingLeftInCheck,       // the move would leave or put the king in check
    castlingLost,          // the king or that rook has moved, or the side has castled
    castlingBlocked,       // pieces between the king and the rook
    castlingOutOfCheck,    // the king is in check
    castlingThroughCheck,  // the king would cross or reach an attacked square
    notPromotion,          // a piece named for a move that does not promote
    ambiguous,
};

// Why no single move fits, with what the message needs to say so.
struct TypedMoveProblem {
    TypedMoveFault fault = TypedMoveFault::unreadable;
    std::string text;                     // the text typed, without its blanks
    int kind = 0;                         // the piece concerned (king 1 .. pawn 6), 0: none
    bool kingOrRook = false;              // the text's "R" fits neither the king nor a rook
    int pieceCount = 0;                   // pieces of the kind that could have been meant
    bool inCheck = false;                 // the mover's king is in check now
    std::string from;                     // what the text says of the from-square: "g1", "b", "1" or ""
    std::string to;                       // the target square, "f4"
    std::vector<std::string> candidates;  // ambiguous: the moves that fit, as the player can type them
};

using TypedMoveResult = std::variant<TypedMove, TypedMoveProblem>;

// The lower side's move that `text` names on `board`.
TypedMoveResult readTypedMove(const Position& board, StateWord state, bool playerIsBlack,
                              std::string_view text);

// The French sentence for the status line: "Coup impossible : le cavalier
// ne peut pas aller en f4", "Coup ambigu : Cbd2 ou Cfd2 ?", ...
std::string typedMoveMessage(const TypedMoveProblem& problem);

}  // namespace quorvel
