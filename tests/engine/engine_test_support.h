#pragma once
// Positions for the engine tests, set up the way `quorvel-cli search` does
// (the side to move is the computer's, the upper side), and an expansion
// without equal scores.

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

#include "engine/expansion.h"
#include "rules/fen.h"

namespace quorvel::test {

inline std::unique_ptr<GameRecord> recordFromFen(
    const std::string& fen, FenOrientation orientation = FenOrientation::sideToMoveUpper) {
    auto parsed = parseFen(fen, orientation);
    if (!std::holds_alternative<FenSetup>(parsed)) return nullptr;
    return std::make_unique<GameRecord>(std::get<FenSetup>(parsed).record);
}

// The fast expansion with each child's score moved by up to 0.63 pawn,
// a function of its position and move: the equal scores of quiet positions
// become distinct.
inline ExpansionCounts jitteredExpand(const Position& position, StateWord state, bool upperSide,
                                      const EvalSettings& settings, NodeList& out) {
    const ExpansionCounts counts = fastExpand(position, state, upperSide, settings, out);
    std::uint32_t base = 2166136261u;
    for (const auto cell : position.cells) base = (base ^ static_cast<std::uint8_t>(cell)) * 16777619u;
    for (int i = 0; i < counts.childCount; ++i) {
        SearchNode& child = out[static_cast<std::size_t>(i)];
        std::uint32_t h = base;
        for (const char c : child.move.bytes) h = (h ^ static_cast<std::uint8_t>(c)) * 16777619u;
        child.score = static_cast<std::int16_t>(child.score + static_cast<int>(h % 64));
    }
    return counts;
}

}  // namespace quorvel::test
