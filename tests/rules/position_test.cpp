#include "rules/position.h"

#include <gtest/gtest.h>

#include "rules/move_application.h"
#include "test_positions.h"

namespace quorvel {
namespace {

TEST(StateWord, PackAfterUnpackKeepsLowBitsAndTheOldHighHalf) {
    for (StateWord low : {0x0000u, 0x0001u, 0x3FFFu, 0xC3C5u, 0xFFFFu, 0x8A4Bu}) {
        Position position{};
        unpackState(low, position);
        EXPECT_EQ(packState(position, 0xABCD0000u), 0xABCD0000u | low) << std::hex << low;
    }
}

TEST(StateWord, CellsHoldSingleBitsAndFiles) {
    Position position{};
    unpackState(
        kUpperKingMoved | kLowerCastled | (5u << kUpperDoubleStepShift) | (8u << kLowerDoubleStepShift),
        position);
    EXPECT_EQ(position[kUpperKingMovedCell], 1);
    EXPECT_EQ(position[kLowerCastledCell], 1);
    EXPECT_EQ(position[kLowerKingMovedCell], 0);
    EXPECT_EQ(position[kUpperDoubleStepFileCell], 5);
    EXPECT_EQ(position[kLowerDoubleStepFileCell], 8);
}

TEST(Mirror, TwiceRestoresPositionAndCells) {
    GameRecord record = testing::setUp("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R b Kq e3 0 1");
    record.current[kUpperCastledCell] = 1;
    const Position before = record.current;
    Position position = before;
    mirrorPosition(position);
    EXPECT_NE(position, before);
    mirrorPosition(position);
    EXPECT_EQ(position, before);
}

TEST(Mirror, ExchangesStateCellsPairwise) {
    Position position{};
    position[kLowerKingMovedCell] = 1;
    position[kUpperRookAMovedCell] = 1;
    position[kLowerDoubleStepFileCell] = 4;
    position[kUpperCastledCell] = 1;
    mirrorPosition(position);
    EXPECT_EQ(position[kUpperKingMovedCell], 1);
    EXPECT_EQ(position[kLowerKingMovedCell], 0);
    EXPECT_EQ(position[kLowerRookAMovedCell], 1);
    EXPECT_EQ(position[kUpperDoubleStepFileCell], 4);
    EXPECT_EQ(position[kLowerCastledCell], 1);
}

TEST(Mirror, InitialPositionMirrorsOntoItself) {
    Position position{};
    setInitialPosition(position);
    Position mirrored = position;
    mirrorPosition(mirrored);
    EXPECT_EQ(mirrored, position);
    EXPECT_EQ(mirrored.at(4, 1), kLowerQueen);
    EXPECT_EQ(mirrored.at(5, 8), kUpperKing);
}

TEST(RankConversion, ConvertsDigitsForABlackPlayerOnly) {
    const MoveText text = MoveText::fromString("e2-e4");
    EXPECT_EQ(toChessRanks(text, true).str(), "e7-e5");
    EXPECT_EQ(toChessRanks(text, false).str(), "e2-e4");
    EXPECT_EQ(toChessRanks(MoveText::fromString("o-o-o"), true).str(), "o-o-o");
    EXPECT_EQ(toChessRanks(MoveText::fromString("o-o"), true).str(), "o-o");
}

TEST(MoveTextForm, MarkersFollowFiveCharacterTextsButHideBehindShortCastling) {
    MoveText text = MoveText::fromString("e2-e4");
    text[5] = '+';
    EXPECT_EQ(text.str(), "e2-e4+");
    MoveText castle = MoveText::fromString("o-o");
    castle[5] = '+';
    EXPECT_EQ(castle.str(), "o-o");
    EXPECT_TRUE(castle.isCastling());
    EXPECT_FALSE(castle.isLongCastling());
}

}  // namespace
}  // namespace quorvel
