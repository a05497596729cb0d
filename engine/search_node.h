#pragma once
// One node of the explicit search tree. All children of a node lie in one
// contiguous array handed out by the NodeArena; links are 32-bit indices into
// that arena rather than pointers, which keeps a node at 24 bytes on 64-bit
// builds (a million nodes cost 24 MB).

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "rules/position.h"

namespace quorvel {

using NodeIndex = std::uint32_t;
constexpr NodeIndex kNoNode = 0;  // the null link

struct SearchNode {
    std::int8_t siblingsLeft = 0;  // entry i of an n-entry array holds n - i; 0 in a terminal array
    std::int8_t depth = 0;         // ply from the root (root 0)
    std::int16_t score = 0;        // hundredths of a pawn, positive for the computer's side
    StateWord state = 0;           // state after this node's move
    MoveText move{};               // move from the parent; marker "++" or "P" at byte 5
    NodeIndex parent = kNoNode;    // entry in the parent's array; none for a root
    NodeIndex children = kNoNode;  // first entry of the child array; none while unexpanded
};
static_assert(sizeof(SearchNode) == 24, "a tree node must stay at 24 bytes");

// The fixed list a node's children are generated into (at most 100).
constexpr int kMaxChildren = 100;
using NodeList = std::array<SearchNode, kMaxChildren>;

// Substring search in a move text. A marker at byte 5 overwrites the
// terminator of a five-character text (e2-e4++), so it is found; behind "o-o"
// it stays hidden, as the walks expect.
inline bool moveContains(const MoveText& move, std::string_view needle) {
    const std::string_view text(move.bytes.data(), strnlen(move.bytes.data(), move.bytes.size()));
    return text.find(needle) != std::string_view::npos;
}

// Marks written by the expansion at byte 5 of a node's move.
inline void writeMateMarker(MoveText& move) {
    move[5] = '+';
    move[6] = '+';
    move[7] = 0;
}
inline void writeStalemateMarker(MoveText& move) {
    move[5] = 'P';
    move[6] = 0;
    move[7] = 0;
}
inline bool hasStalemateMarker(const MoveText& move) {
    return move[5] == 'P' && move[6] == 0;
}

}  // namespace quorvel
