#pragma once
// Games for the tests played move by move from SAN, recorded as the window
// and the engine record them (see rules/move_recording.h).

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <variant>

#include "rules/move_recording.h"
#include "rules/record_positions.h"
#include "rules/san.h"
#include "test_positions.h"

namespace quorvel::testing {

// Plays the blank-separated SAN moves; the computer plays the sides flagged.
// Stops at the first move that can't be played (a test failure).
inline void playSan(GameRecord& record, const std::string& line, bool whiteByComputer = false,
                    bool blackByComputer = true) {
    std::istringstream words(line);
    for (std::string token; words >> token;) {
        const ChessPosition before = positionAtPly(record, record.plyCount);
        const auto move = readSan(before.board, before.state, before.whiteToMove, token);
        if (!std::holds_alternative<LegalMove>(move)) {
            ADD_FAILURE() << "move " << token << " can't be read at ply " << record.plyCount;
            return;
        }
        const bool byComputer = before.whiteToMove ? whiteByComputer : blackByComputer;
        if (!recordChessMove(record, std::get<LegalMove>(move), byComputer)) {
            ADD_FAILURE() << "move " << token << " refused at ply " << record.plyCount;
            return;
        }
    }
}

// A game from the given FEN (the start position by default) with the moves played.
inline GameRecord playedGame(const std::string& line, const std::string& fen = kStartFen) {
    GameRecord record = setUp(fen);
    keepSetupInHistory(record);
    playSan(record, line);
    return record;
}

}  // namespace quorvel::testing
