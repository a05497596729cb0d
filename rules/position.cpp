#include "position.h"

#include <cassert>
#include <utility>

namespace quorvel {

namespace {

struct BitCell {
    int cell;
    std::uint32_t bit;
};

constexpr BitCell kBitCells[] = {
    {kLowerKingMovedCell, kLowerKingMoved},   {kUpperKingMovedCell, kUpperKingMoved},
    {kLowerRookHMovedCell, kLowerRookHMoved}, {kLowerRookAMovedCell, kLowerRookAMoved},
    {kUpperRookHMovedCell, kUpperRookHMoved}, {kUpperRookAMovedCell, kUpperRookAMoved},
    {kLowerCastledCell, kLowerCastled},       {kUpperCastledCell, kUpperCastled},
};

}  // namespace

StateWord packState(const Position& position, StateWord old) {
    StateWord word = old & 0xFFFF0000u;
    for (const BitCell& entry : kBitCells) {
        if (position[entry.cell] & 1) word |= entry.bit;
    }
    word = withUpperDoubleStepFile(word, position[kUpperDoubleStepFileCell] & 0xF);
    word = withLowerDoubleStepFile(word, position[kLowerDoubleStepFileCell] & 0xF);
    return word;
}

void unpackState(StateWord state, Position& position) {
    for (const BitCell& entry : kBitCells) {
        position[entry.cell] = (state & entry.bit) ? 1 : 0;
    }
    position[kUpperDoubleStepFileCell] = static_cast<std::int8_t>(upperDoubleStepFile(state));
    position[kLowerDoubleStepFileCell] = static_cast<std::int8_t>(lowerDoubleStepFile(state));
}

namespace {

std::int8_t otherArmy(std::int8_t code) {
    if (code > 10) return static_cast<std::int8_t>(code - 10);
    if (code != 0) return static_cast<std::int8_t>(code + 10);
    return 0;
}

}  // namespace

void mirrorPosition(Position& position) {
    for (int x = 1; x <= 8; ++x) {
        for (int y = 1; y <= 4; ++y) {
            const std::int8_t low = position.at(x, y);
            const std::int8_t high = position.at(x, 9 - y);
            position.at(x, y) = otherArmy(high);
            position.at(x, 9 - y) = otherArmy(low);
        }
    }
    constexpr std::pair<int, int> kPairs[] = {
        {kLowerKingMovedCell, kUpperKingMovedCell},   {kLowerRookHMovedCell, kUpperRookHMovedCell},
        {kLowerRookAMovedCell, kUpperRookAMovedCell}, {kUpperDoubleStepFileCell, kLowerDoubleStepFileCell},
        {kUpperCastledCell, kLowerCastledCell},
    };
    for (auto [a, b] : kPairs) std::swap(position[a], position[b]);
}

bool sameSquares(const Position& a, const Position& b) {
    for (int x = 1; x <= 8; ++x)
        for (int y = 1; y <= 8; ++y)
            if (a.at(x, y) != b.at(x, y)) return false;
    return true;
}

void holdLiveBoardFor(GameRecord& record, bool playerIsBlack) {
    if (record.playerIsBlack == playerIsBlack) return;
    mirrorPosition(record.current);
    record.playerIsBlack = playerIsBlack;
    record.state = packState(record.current, record.state);
}

MoveText toChessRanks(const MoveText& text, bool playerIsBlack) {
    MoveText result = text;
    if (playerIsBlack && text[1] > 0 && !text.isCastling()) {
        result[1] = static_cast<char>('i' - text[1]);
        result[4] = static_cast<char>('i' - text[4]);
    }
    return result;
}

}  // namespace quorvel
