#include "scripted_game.h"

#include <sstream>

#include "rules/move_application.h"
#include "rules/move_validity.h"
#include "rules/notation.h"

namespace quorvel::test {

GameRecord newScriptedGame(bool playerIsBlack) {
    GameRecord record;
    newGame(record);
    holdLiveBoardFor(record, playerIsBlack);
    return record;
}

namespace {

// The placed piece of a promotion token's fifth letter (0: the queen).
int promotionCode(char letter, bool lower) {
    const int type = letter == 'r'   ? kUpperRook
                     : letter == 'b' ? kUpperBishop
                     : letter == 'n' ? kUpperKnight
                                     : 0;
    return type == 0 ? 0 : lower ? type + 10 : type;
}

}  // namespace

bool playScripted(GameRecord& record, const std::string& token) {
    if (token.size() != 4 && token.size() != 5) return false;
    const bool whiteMoves = record.plyCount % 2 == 0;
    const bool humanMoves = whiteMoves != record.playerIsBlack;
    auto row = [&](char rank) { return record.playerIsBlack ? 9 - (rank - '0') : rank - '0'; };
    const int fromX = token[0] - 'a' + 1, fromY = row(token[1]);
    const int toX = token[2] - 'a' + 1, toY = row(token[3]);
    if (fromX < 1 || fromX > 8 || toX < 1 || toX > 8 || fromY < 1 || fromY > 8 || toY < 1 || toY > 8)
        return false;

    const StateWord state = packState(record.current, record.state);
    const MoveCheck check = checkMove(record.current, state, fromX, fromY, toX, toY, false);
    if (!check.valid || isUpperPiece(check.piece) == humanMoves) return false;
    if (check.castling == Castling::none &&
        kingAttacked(record.current, state, fromX, fromY, toX, toY, 0, 0, 0, 0, !humanMoves))
        return false;
    Position after = record.current;
    const int promotion = token.size() == 5 ? promotionCode(token[4], humanMoves) : 0;
    const auto outcome = makeMove(after, state, fromX, fromY, toX, toY, check.castling, promotion);
    if (!outcome) return false;
    record.current = after;
    const MoveText text = buildMoveText(fromX, fromY, toX, toY, check.piece, outcome->capture);
    return recordMove(record, text, outcome->state, humanMoves) == RecordResult::recorded;
}

std::vector<std::string> splitTokens(const std::string& tokens) {
    std::istringstream in(tokens);
    std::vector<std::string> result;
    for (std::string t; in >> t;) result.push_back(t);
    return result;
}

int playScriptedLine(GameRecord& record, const std::string& tokens) {
    int played = 0;
    for (const std::string& t : splitTokens(tokens)) {
        if (!playScripted(record, t)) break;
        ++played;
    }
    return played;
}

}  // namespace quorvel::test
