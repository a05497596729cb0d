#pragma once
// Standard algebraic notation with English piece letters, as chess programs
// exchange moves: "Nf3", "exd6", "O-O-O", "e8=N", "Raxd1+", "Qh5#".
//
// Both directions work on a chess board: White the lower side, rows equal
// to ranks (see record_positions.h), and on the side to move's legal moves.

#include <string>
#include <string_view>
#include <variant>

#include "perft.h"
#include "position.h"

namespace quorvel {

// The notation of a legal move, with '+' or '#' when it checks or mates.
std::string sanOf(const Position& board, StateWord state, bool whiteToMove, const LegalMove& move);

enum class SanError {
    unreadable,  // not a move's notation
    illegal,     // no legal move fits
    ambiguous,   // several legal moves fit
};

// The legal move a notation names. Also read: "0-0" and "o-o" for castling,
// check and annotation marks ("+", "#", "!?"), "e.p.", promotions written
// "e8Q" or "e8(Q)", captures written with ':', and the long forms "Ng1-f3"
// and "e2e4". A promotion without its piece is to a queen.
std::variant<LegalMove, SanError> readSan(const Position& board, StateWord state, bool whiteToMove,
                                          std::string_view token);

// The token with its piece letters as the window shows them (R D T C F),
// for messages: "Nxe4" reads "Cxe4".
std::string frenchLetters(std::string_view token);

}  // namespace quorvel
