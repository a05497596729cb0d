#include "window/engine_play.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "rules/move_application.h"
#include "rules/notation.h"
#include "rules/san.h"
#include "rules/uci_move.h"

namespace quorvel {

namespace {

std::string square(int x, int y) {
    return {static_cast<char>('a' + x - 1), static_cast<char>('0' + y)};
}

// The record's own form of a move: "e2-e4", "e4xd5", "o-o", with the piece
// a pawn becomes.
std::string coordinateText(const Position& board, const LegalMove& move) {
    if (move.castling == Castling::kingSide) return "o-o";
    if (move.castling == Castling::queenSide) return "o-o-o";
    const int mover = board.at(move.fromX, move.fromY);
    // A pawn that changes file onto an empty square takes en passant.
    const bool capture =
        board.at(move.toX, move.toY) != kEmpty || (pieceKind(mover) == kUpperPawn && move.fromX != move.toX);
    std::string text = square(move.fromX, move.fromY) + (capture ? 'x' : '-') + square(move.toX, move.toY);
    if (move.promotionPiece != 0) text += std::string("=") + frenchPieceLetter(move.promotionPiece);
    return text;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> strengthSettings(const EngineStrength& strength,
                                                                  const EngineOffers& offers) {
    std::vector<std::pair<std::string, std::string>> settings;
    if (offers.elo) {
        if (!strength.elo) {
            settings.emplace_back("UCI_LimitStrength", "false");
        } else {
            const int elo = std::clamp(*strength.elo, offers.elo->low, offers.elo->high);
            settings.emplace_back("UCI_LimitStrength", "true");
            settings.emplace_back("UCI_Elo", std::to_string(elo));
        }
    } else if (offers.skillLevel && strength.skillLevel) {
        const int level = std::clamp(*strength.skillLevel, offers.skillLevel->low, offers.skillLevel->high);
        settings.emplace_back("Skill Level", std::to_string(level));
    }
    return settings;
}

GoRequest moveLimits(const TimeLimits& limits, const EngineStrength& strength, const EngineOffers& offers) {
    GoRequest go;
    const bool ownTime = !offers.elo && !offers.skillLevel && strength.moveSeconds;
    const long long seconds = ownTime
                                  ? *strength.moveSeconds
                                  : static_cast<long long>(limits.mainTimeLimit) + limits.secondaryTimeLimit;
    go.moveTime = std::max(1LL, seconds) * 1000;
    return go;
}

std::vector<int> eloLadder(int low, int high, std::size_t most) {
    constexpr int kFirst = 1400, kStep = 200;
    std::vector<int> steps;
    if (high < kFirst || most == 0) return steps;
    // A step closer than half a step to the top gives way to the top itself.
    for (int elo = std::max(kFirst, low); elo < high - kStep / 2 && steps.size() + 1 < most; elo += kStep)
        steps.push_back(elo);
    steps.push_back(high);
    return steps;
}

std::string engineLineText(const ChessPosition& before, const std::vector<std::string>& pv, bool algebraic,
                           std::size_t longest) {
    std::string text;
    Position board = before.board;
    StateWord state = before.state;
    bool whiteToMove = before.whiteToMove;
    for (std::size_t k = 0; k < pv.size() && k < longest; ++k) {
        const auto move = findUciMove(board, state, !whiteToMove, false, pv[k]);
        if (!move || uciMoveOf(*move, false) != pv[k]) break;
        if (!text.empty()) text += "   ";
        text +=
            algebraic ? frenchLetters(sanOf(board, state, whiteToMove, *move)) : coordinateText(board, *move);
        const auto outcome = makeMove(board, state, move->fromX, move->fromY, move->toX, move->toY,
                                      move->castling, move->promotionPiece);
        if (!outcome) break;
        state = outcome->state;
        whiteToMove = !whiteToMove;
    }
    return text;
}

std::string engineScoreText(const UciScore& score, bool engineIsWhite) {
    std::string text = engineIsWhite ? "note finale des Blancs : " : "note finale des Noirs : ";
    if (score.kind == UciScore::Kind::mate) {
        if (score.value > 0) return text + "mat en " + std::to_string(score.value);
        if (score.value == 0) return text + "mat subi";
        return text + "mat subi en " + std::to_string(std::abs(score.value));
    }
    char number[32];
    std::snprintf(number, sizeof number, "%4.2f", score.value / 100.0);
    return text + number;
}

}  // namespace quorvel
