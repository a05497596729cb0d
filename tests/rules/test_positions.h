#pragma once
// Positions for the rules tests, set up from FEN with White as the lower side
// unless asked otherwise.

#include <gtest/gtest.h>

#include <variant>

#include "rules/fen.h"

namespace quorvel::testing {

inline GameRecord setUp(const std::string& fen, FenOrientation orientation = FenOrientation::whiteLower) {
    auto parsed = parseFen(fen, orientation);
    if (auto* error = std::get_if<FenError>(&parsed)) {
        ADD_FAILURE() << "bad FEN in test: " << error->message << " : " << fen;
        return GameRecord{};
    }
    return std::get<FenSetup>(parsed).record;
}

}  // namespace quorvel::testing
