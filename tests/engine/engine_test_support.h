#pragma once
// Positions for the engine tests, set up the way `quorvel-cli search` does:
// the side to move is the computer's, the upper side.

#include <memory>
#include <string>
#include <variant>

#include "rules/fen.h"

namespace quorvel::test {

inline std::unique_ptr<GameRecord> recordFromFen(const std::string& fen) {
    auto parsed = parseFen(fen, FenOrientation::sideToMoveUpper);
    if (!std::holds_alternative<FenSetup>(parsed)) return nullptr;
    return std::make_unique<GameRecord>(std::get<FenSetup>(parsed).record);
}

}  // namespace quorvel::test
