#pragma once
// The judgement of a game's moves from an analyst's scores: each position
// is scored once, and a move loses what separates the score of the best
// move (the position's own score) from the score of the position it led
// to, both from the mover's view. The marks follow what chess sites use:
// from half a pawn lost an inaccuracy "?!", from one pawn a mistake "?",
// from three pawns a blunder "??".
//
// Beyond ten pawns a game is decided: scores are compared within that
// edge, and a forced mate counts as the edge itself. So a move that keeps
// a won game won loses nothing (a slower mate included), while a move that
// lets the opponent mate by force, from a position that was not already
// lost, is a blunder whatever the numbers.

#include <optional>
#include <string>
#include <vector>

#include "rules/record_positions.h"
#include "storage/pgn_export.h"
#include "uci/analyst.h"

namespace quorvel {

// Losses, hundredths of a pawn.
constexpr int kInaccuracyLoss = 50;
constexpr int kMistakeLoss = 100;
constexpr int kBlunderLoss = 300;
// Scores beyond it are a decided game; a mate is worth exactly it.
constexpr int kDecisiveScore = 1000;

enum class MoveMark { none, inaccuracy, mistake, blunder };

// "?!", "?", "??"; empty for none.
const char* markSymbol(MoveMark mark);
// The PGN annotation glyphs: $6, $2, $4; 0 for none.
int markNag(MoveMark mark);

// A score as a number within the decisive edge, mates at the edge.
int boundedScore(const AnalysisScore& score);

// What one move cost its side.
struct MoveLoss {
    int centipawns = 0;       // bounded scores compared, never below 0
    int evaluationLoss = 0;   // the plain difference when neither score is a mate, never below 0
    bool allowsMate = false;  // the opponent now mates by force, and the best move avoided that
    bool missesMate = false;  // the best move mated by force, the move played does not
};

// `best`: the position's score before the move; `after`: the score of the
// position after it; both from the mover's view.
MoveLoss moveLoss(const AnalysisScore& best, const AnalysisScore& after);

// The mark of a move that lost `loss`. A move that lets the opponent mate
// is a blunder unless the mover was already lost.
MoveMark markFor(const MoveLoss& loss, const AnalysisScore& best);

// One position of the game under review.
struct ReviewPosition {
    int ply = 0;  // half-moves played before it
    ChessPosition position;
    UciGameText game;  // the position as the analyst is told it
    int legalMoves = 0;
    // The score the rules give without an analyst: a side without a move
    // (mated or stalemated), or a draw that ends the game here.
    std::optional<AnalysisScore> decided;
    std::string played;     // the move played from here (UCI), empty for the last position
    std::string playedSan;  // the same in English SAN
};

// The positions of `record` from its set-up position to its last move
// (recordLength), each with the move played from it. Empty when a move of
// the record does not lead from its position to the next.
std::vector<ReviewPosition> reviewPositions(const GameRecord& record);

// What the analyst said of one position (the side to move's view).
struct PositionScore {
    std::optional<AnalysisScore> score;  // none: not analysed (yet)
    std::string bestMove;                // UCI
};

struct ReviewedMove {
    int ply = 0;  // the half-move's index in the record: 0 is White's first move
    bool whiteMoved = true;
    std::string played, playedSan;       // UCI, English SAN
    std::string bestMove, bestSan;       // the analyst's choice; empty when unknown or none
    std::optional<AnalysisScore> after;  // the position after the move, White's view
    std::optional<MoveLoss> loss;        // none when either position lacks a score
    MoveMark mark = MoveMark::none;
};

struct SideSummary {
    int inaccuracies = 0;
    int mistakes = 0;
    int blunders = 0;
    int scoredMoves = 0;  // moves whose loss is known
    int totalLoss = 0;    // hundredths of a pawn, bounded losses
    // Average loss per scored move, pawns; 0 without any.
    double averageLoss() const;
};

struct GameReview {
    int firstPly = 0;                    // the set-up position's ply
    std::optional<AnalysisScore> start;  // the first position, White's view
    std::vector<ReviewedMove> moves;
    SideSummary white, black;
    std::string analyst;    // who scored the positions
    int moveTimeMs = 0;     // how long each position was thought over
    bool complete = false;  // every position was scored
    bool scored = false;    // the analyst scored at least one position
    std::string problem;    // the first reason the analyst gave for not answering

    // The score of the position after `ply` half-moves, White's view.
    std::optional<AnalysisScore> scoreAt(int ply) const;
};

// The review of the positions with the analyst's scores, one per position
// (a decided position's own score wins over the analyst's). Losses and
// marks need both positions of a move scored; a move that was the
// analyst's choice, or the only legal one, loses nothing.
GameReview reviewGame(const std::vector<ReviewPosition>& positions, const std::vector<PositionScore>& scores);

// A score in a PGN "[%eval]" comment: pawns with two decimals ("0.35",
// "-1.20"), a mate "#3" or "#-2", all from White's view. Empty for a
// position whose side to move is checkmated already.
std::string pgnEvalText(const AnalysisScore& whiteView);

// The review as notes for the PGN export, by half-move index: each move's
// mark as a glyph, the score after it, and the analyst's move instead of a
// marked one.
std::vector<PgnMoveNote> pgnNotesOf(const GameReview& review);

}  // namespace quorvel
