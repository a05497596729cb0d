#include "coach/game_review.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "rules/game_end.h"
#include "rules/game_outcome.h"
#include "rules/perft.h"
#include "rules/san.h"
#include "rules/uci_move.h"
#include "rules/uci_position.h"

namespace quorvel {

namespace {

// The SAN of a UCI move from a chess position; empty when it names none.
std::string sanOfUci(const ChessPosition& at, const std::string& uci) {
    if (uci.empty()) return {};
    const auto move = findUciMove(at.board, at.state, !at.whiteToMove, false, uci);
    return move ? sanOf(at.board, at.state, at.whiteToMove, *move) : std::string();
}

}  // namespace

const char* markSymbol(MoveMark mark) {
    switch (mark) {
        case MoveMark::inaccuracy:
            return "?!";
        case MoveMark::mistake:
            return "?";
        case MoveMark::blunder:
            return "??";
        case MoveMark::none:
            break;
    }
    return "";
}

int markNag(MoveMark mark) {
    switch (mark) {
        case MoveMark::inaccuracy:
            return 6;
        case MoveMark::mistake:
            return 2;
        case MoveMark::blunder:
            return 4;
        case MoveMark::none:
            break;
    }
    return 0;
}

int boundedScore(const AnalysisScore& score) {
    switch (score.kind) {
        case AnalysisScore::Kind::mates:
            return kDecisiveScore;
        case AnalysisScore::Kind::mated:
            return -kDecisiveScore;
        case AnalysisScore::Kind::centipawns:
            break;
    }
    return std::clamp(score.value, -kDecisiveScore, kDecisiveScore);
}

MoveLoss moveLoss(const AnalysisScore& best, const AnalysisScore& after) {
    MoveLoss loss;
    loss.centipawns = std::max(0, boundedScore(best) - boundedScore(after));
    const bool plain = !best.isMate() && !after.isMate();
    loss.evaluationLoss = plain ? std::max(0, best.value - after.value) : loss.centipawns;
    loss.allowsMate = after.kind == AnalysisScore::Kind::mated && best.kind != AnalysisScore::Kind::mated;
    loss.missesMate = best.kind == AnalysisScore::Kind::mates && after.kind != AnalysisScore::Kind::mates;
    return loss;
}

MoveMark markFor(const MoveLoss& loss, const AnalysisScore& best) {
    if (loss.allowsMate && boundedScore(best) > -kDecisiveScore) return MoveMark::blunder;
    if (loss.centipawns >= kBlunderLoss) return MoveMark::blunder;
    if (loss.centipawns >= kMistakeLoss) return MoveMark::mistake;
    if (loss.centipawns >= kInaccuracyLoss) return MoveMark::inaccuracy;
    return MoveMark::none;
}

std::vector<ReviewPosition> reviewPositions(const GameRecord& record) {
    const int start = setupPly(record);
    const int end = std::clamp(record.recordLength, start, GameRecord::kCapacity);
    std::vector<ReviewPosition> positions;
    ChessPosition after = positionAtPly(record, start);
    for (int ply = start; ply <= end; ++ply) {
        ReviewPosition entry;
        entry.ply = ply;
        entry.position = after;
        const ChessPosition& at = entry.position;
        const bool upper = !at.whiteToMove;
        const std::vector<LegalMove> moves = legalMoves(at.board, at.state, upper);
        entry.legalMoves = static_cast<int>(moves.size());
        if (moves.empty()) {
            entry.decided = isInCheck(at.board, at.state, upper) ? AnalysisScore::matedIn(0)
                                                                 : AnalysisScore::ofCentipawns(0);
        } else if (ply == end) {
            // A game that ended in a draw of the rules ends at a score of 0.
            auto shown = std::make_unique<GameRecord>(record);
            shown->plyCount = end;
            if (drawReason(*shown) != DrawReason::none) entry.decided = AnalysisScore::ofCentipawns(0);
        }
        auto game = uciGameOf(record, ply);
        if (!game) return {};
        entry.game = std::move(*game);
        if (ply < end) {
            after = positionAtPly(record, ply + 1);
            const auto move = legalMoveBetween(at.board, at.state, upper, after.board);
            if (!move) return {};
            entry.played = uciMoveOf(*move, false);
            entry.playedSan = sanOf(at.board, at.state, at.whiteToMove, *move);
        }
        positions.push_back(std::move(entry));
    }
    return positions;
}

double SideSummary::averageLoss() const {
    return scoredMoves == 0 ? 0.0 : totalLoss / 100.0 / scoredMoves;
}

std::optional<AnalysisScore> GameReview::scoreAt(int ply) const {
    if (ply == firstPly) return start;
    const int index = ply - firstPly - 1;
    if (index < 0 || index >= static_cast<int>(moves.size())) return std::nullopt;
    return moves[static_cast<std::size_t>(index)].after;
}

GameReview reviewGame(const std::vector<ReviewPosition>& positions,
                      const std::vector<PositionScore>& scores) {
    GameReview review;
    if (positions.empty()) return review;
    review.firstPly = positions.front().ply;
    review.complete = true;
    std::vector<std::optional<AnalysisScore>> own;  // each position's score, side to move's view
    for (std::size_t i = 0; i < positions.size(); ++i) {
        std::optional<AnalysisScore> score = positions[i].decided;
        if (!score && i < scores.size()) score = scores[i].score;
        if (!score) review.complete = false;
        own.push_back(score);
    }
    auto whiteView = [&](std::size_t i) -> std::optional<AnalysisScore> {
        if (!own[i]) return std::nullopt;
        return positions[i].position.whiteToMove ? *own[i] : own[i]->opposite();
    };
    review.start = whiteView(0);
    for (std::size_t i = 0; i + 1 < positions.size(); ++i) {
        const ReviewPosition& at = positions[i];
        ReviewedMove move;
        move.ply = at.ply;
        move.whiteMoved = at.position.whiteToMove;
        move.played = at.played;
        move.playedSan = at.playedSan;
        if (i < scores.size() && !at.decided) {
            move.bestMove = scores[i].bestMove;
            move.bestSan = sanOfUci(at.position, move.bestMove);
            if (move.bestSan.empty()) move.bestMove.clear();
        }
        move.after = whiteView(i + 1);
        if (own[i] && own[i + 1]) {
            const bool chosen = !move.bestMove.empty() && move.bestMove == move.played;
            const bool forced = at.legalMoves == 1;
            MoveLoss loss = moveLoss(*own[i], own[i + 1]->opposite());
            if (chosen || forced) loss = MoveLoss{};
            move.loss = loss;
            move.mark = markFor(loss, *own[i]);
            SideSummary& side = move.whiteMoved ? review.white : review.black;
            ++side.scoredMoves;
            side.totalLoss += loss.centipawns;
            side.inaccuracies += move.mark == MoveMark::inaccuracy;
            side.mistakes += move.mark == MoveMark::mistake;
            side.blunders += move.mark == MoveMark::blunder;
        }
        review.moves.push_back(std::move(move));
    }
    return review;
}

std::string pgnEvalText(const AnalysisScore& whiteView) {
    switch (whiteView.kind) {
        // A side checkmated already needs no number: the move says "#".
        case AnalysisScore::Kind::mates:
            return whiteView.value == 0 ? std::string()
                                        : std::string("#").append(std::to_string(whiteView.value));
        case AnalysisScore::Kind::mated:
            return whiteView.value == 0 ? std::string()
                                        : std::string("#-").append(std::to_string(whiteView.value));
        case AnalysisScore::Kind::centipawns:
            break;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%s%d.%02d", whiteView.value < 0 ? "-" : "",
                  std::abs(whiteView.value) / 100, std::abs(whiteView.value) % 100);
    return text;
}

std::vector<PgnMoveNote> pgnNotesOf(const GameReview& review) {
    std::vector<PgnMoveNote> notes;
    for (const ReviewedMove& move : review.moves) {
        if (move.ply < 0) continue;
        if (notes.size() <= static_cast<std::size_t>(move.ply))
            notes.resize(static_cast<std::size_t>(move.ply) + 1);
        PgnMoveNote& note = notes[static_cast<std::size_t>(move.ply)];
        note.nag = markNag(move.mark);
        if (move.after) note.eval = pgnEvalText(*move.after);
        if (move.mark != MoveMark::none && move.bestMove != move.played) note.betterMove = move.bestSan;
    }
    return notes;
}

}  // namespace quorvel
