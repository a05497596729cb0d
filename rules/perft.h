#pragma once
// Legal-move enumeration built on the move test, the attack test and the
// move application, and the perft counts that check them against published
// figures.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "move_validity.h"
#include "position.h"

namespace quorvel {

struct LegalMove {
    int fromX, fromY, toX, toY;  // board coordinates
    Castling castling = Castling::none;
    int promotionPiece = 0;  // the placed piece for a promotion, else 0
};

// Every legal move of the side, promotions once per piece (queen, rook,
// bishop, knight), in square order.
std::vector<LegalMove> legalMoves(const Position& position, StateWord state, bool sideIsUpper);

// The legal move of the side that leads from `before` to the squares of
// `after` (state cells and side marker not compared). No two legal moves
// lead to the same squares, so there is one at most.
std::optional<LegalMove> legalMoveBetween(const Position& before, StateWord state, bool sideIsUpper,
                                          const Position& after);

// Number of leaf positions `depth` half-moves ahead.
std::uint64_t perft(const Position& position, StateWord state, bool sideIsUpper, int depth);

struct DivideLine {
    std::string move;  // long algebraic in chess coordinates ("e2e4", "e7e8q")
    std::uint64_t nodes;
};

// Perft split by root move. `playerIsBlack` tells how rows map to ranks.
std::vector<DivideLine> divide(const Position& position, StateWord state, bool sideIsUpper,
                               bool playerIsBlack, int depth);

}  // namespace quorvel
