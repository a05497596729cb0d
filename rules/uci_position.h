#pragma once
// The game a chess program describes with "position startpos|fen FEN
// [moves ...]", set up as Quorvel plays it: the side to move is the engine's,
// the upper side (the stored board is mirrored when that side is White), and
// the moves are recorded one by one as a game, so the engine's repetition
// rule sees them. The record holds 300 half-moves: past that the oldest are
// left out, two at a time so the side to move keeps its parity.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "position.h"

namespace quorvel {

struct UciPosition {
    std::unique_ptr<GameRecord> record;  // plyCount at most 299: the engine's move still fits
    bool engineIsWhite = true;           // White is to move
    bool fromInitialPosition = false;    // the game began at the initial position (the book may follow it)
    int droppedHalfMoves = 0;            // the oldest half-moves left out of the record
};

struct UciPositionResult {
    std::optional<UciPosition> position;  // none when no start position could be read
    std::string problem;                  // what was wrong, empty when nothing
};

// `arguments` are the words after "position". A malformed or illegal move
// ends the list: the position is the one before it, and `problem` names it.
UciPositionResult setUpUciPosition(std::string_view arguments);

// Plays `text`, a move of the side to move in the engines' notation, on a
// record set up as above (White to move after an even plyCount; the sides
// keep the places the set-up gave them), and records it as a game records
// it. When the record is full the two oldest half-moves are left out first,
// and `dropped` grows by two. False, the record unchanged, for a malformed
// or illegal move.
bool playUciMove(GameRecord& record, std::string_view text, int& dropped);

// A game as engines are told it: the position it started from as a FEN
// (empty for the initial position) and the moves played since, in the
// engines' notation.
struct UciGameText {
    std::string fen;
    std::vector<std::string> moves;

    friend bool operator==(const UciGameText&, const UciGameText&) = default;
};

// The game of `record` up to `ply` half-moves (setupPly(record) <= ply <=
// recordLength). nullopt when a move of the record does not lead from its
// position to the next.
std::optional<UciGameText> uciGameOf(const GameRecord& record, int ply);

// The record's half-moves from `from` to `to` as UCI texts ("e2e4",
// "e7e8q"); nullopt when two recorded positions are not one legal move
// apart.
std::optional<std::vector<std::string>> uciMovesOf(const GameRecord& record, int from, int to);

// Leaves out the `count` oldest half-moves of the record (moves and history
// move down; plyCount and recordLength shrink).
void dropOldestHalfMoves(GameRecord& record, int count);

}  // namespace quorvel
