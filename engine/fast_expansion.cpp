// The fast expansion. It lists the same children, in the same order and with
// the same scores, as the literal expansion, but generates targets from
// attack tables instead of trying every square, tests legality only for moves
// that can expose the king, and scores a child from its parent's piece-square
// sum plus the few terms that look at neighbouring squares.

#include <bit>
#include <cstdlib>

#include "engine/bitboard.h"
#include "engine/expansion.h"
#include "engine/fast_terms.h"
#include "rules/move_validity.h"
#include "rules/notation.h"

namespace quorvel {

namespace {

struct Node {
    const Position& position;
    StateWord state;
    bool upper;
    int me, them;           // army index: 0 upper, 1 lower
    int king;               // bit of the mover's king
    bool inCheck;
    Bits kingLines;         // squares on a line with the king: moving from them may expose it
    int staticSum;          // piece-square sum of the node position
    SideTerms mover, opponent;  // neighbour and global terms of the node position
    const EvalSettings& settings;
};

int code(int kind, int army) { return army == 0 ? kind : kind + 10; }

Bits attackersOf(const FastBoard& b, int square, int army, Bits occupied, Bits removed) {
    const AttackTables& t = attackTables();
    const auto s = static_cast<std::size_t>(square);
    auto mine = [&](int kind) { return b.pieces[static_cast<std::size_t>(code(kind, army))] & ~removed; };
    const Bits pawnFrom = army == 0 ? t.lowerPawn[s] : t.upperPawn[s];
    Bits hits = (t.knight[s] & mine(4)) | (t.king[s] & mine(1)) | (pawnFrom & mine(6));
    const Bits queens = mine(2);
    hits |= bishopAttacks(t, square, occupied) & (mine(5) | queens);
    hits |= rookAttacks(t, square, occupied) & (mine(3) | queens);
    return hits;
}

// Pseudo-legal targets under the move test's rules: never onto an own piece
// or onto either king.
Bits targetsOf(const FastBoard& b, const Node& n, int from, int piece, Bits& castlingTargets) {
    const AttackTables& t = attackTables();
    const auto s = static_cast<std::size_t>(from);
    const Bits free = ~b.army[static_cast<std::size_t>(n.me)] & ~(b.pieces[kUpperKing] | b.pieces[kLowerKing]);
    castlingTargets = 0;
    switch (pieceKind(piece)) {
        case 1: {
            const int home = n.upper ? 8 : 1;
            if (from == bitOf(5, home)) {
                const Position& p = n.position;
                const std::uint32_t kingMoved = n.upper ? kUpperKingMoved : kLowerKingMoved;
                const std::uint32_t rookH = n.upper ? kUpperRookHMoved : kLowerRookHMoved;
                const std::uint32_t rookA = n.upper ? kUpperRookAMoved : kLowerRookAMoved;
                const int rook = code(3, n.me);
                if (!(n.state & (kingMoved | rookH)) && p.at(6, home) == 0 && p.at(7, home) == 0 && p.at(8, home) == rook) {
                    castlingTargets |= single(bitOf(7, home));
                }
                if (!(n.state & (kingMoved | rookA)) && p.at(2, home) == 0 && p.at(3, home) == 0 && p.at(4, home) == 0 &&
                    p.at(1, home) == rook) {
                    castlingTargets |= single(bitOf(3, home));
                }
            }
            return (t.king[s] & free) | castlingTargets;
        }
        case 2:
            return (bishopAttacks(t, from, b.occupied) | rookAttacks(t, from, b.occupied)) & free;
        case 3:
            return rookAttacks(t, from, b.occupied) & free;
        case 4:
            return t.knight[s] & free;
        case 5:
            return bishopAttacks(t, from, b.occupied) & free;
        default:
            break;
    }
    // Pawns: straight steps onto empty squares, diagonal captures, en passant.
    const int x = fileOf(from), y = rowOf(from);
    const int step = n.upper ? -1 : 1;
    Bits targets = 0;
    const int next = y + step;
    if (next < 1 || next > 8) return 0;
    if (b.square[static_cast<std::size_t>(bitOf(x, next))] == 0) {
        targets |= single(bitOf(x, next));
        const int second = n.upper ? 7 : 2;
        if (y == second && b.square[static_cast<std::size_t>(bitOf(x, y + 2 * step))] == 0) {
            targets |= single(bitOf(x, y + 2 * step));
        }
    }
    const Bits attacks = n.upper ? t.upperPawn[s] : t.lowerPawn[s];
    targets |= attacks & b.army[static_cast<std::size_t>(n.them)] & free;
    const int passingRow = n.upper ? 4 : 5;
    const int passedFile = n.upper ? lowerDoubleStepFile(n.state) : upperDoubleStepFile(n.state);
    if (y == passingRow && passedFile >= 1 && std::abs(passedFile - x) == 1 &&
        b.square[static_cast<std::size_t>(bitOf(passedFile, y))] == code(6, n.them)) {
        targets |= single(bitOf(passedFile, next)) & free;
    }
    return targets;
}

bool isEnPassant(const FastBoard& b, int piece, int from, int to) {
    return pieceKind(piece) == 6 && fileOf(from) != fileOf(to) && b.square[static_cast<std::size_t>(to)] == 0;
}

bool leavesKingSafe(const FastBoard& b, const Node& n, int piece, int from, int to, bool enPassant) {
    const Bits fromBit = single(from), toBit = single(to);
    if (pieceKind(piece) == 1) {
        const Bits occupied = (b.occupied & ~fromBit) | toBit;
        return attackersOf(b, to, n.them, occupied, toBit) == 0;
    }
    if (!n.inCheck && !enPassant && !(n.kingLines & fromBit)) return true;
    Bits removed = toBit;
    if (enPassant) removed |= single(bitOf(fileOf(to), rowOf(from)));
    const Bits occupied = ((b.occupied & ~fromBit) | toBit) & ~(removed & ~toBit);
    return attackersOf(b, n.king, n.them, occupied, removed) == 0;
}

// The move's text as the notation builds it, without the call.
MoveText moveText(int fx, int fy, int tx, int ty, int placed, bool capture) {
    MoveText text;
    if (pieceKind(placed) == 1 && fx == 5 && (tx == 7 || tx == 3)) {
        text.bytes = tx == 7 ? std::array<char, 8>{'o', '-', 'o', 0, 0, 0, 0, 0}
                             : std::array<char, 8>{'o', '-', 'o', '-', 'o', 0, 0, 0};
        return text;
    }
    text.bytes = {static_cast<char>('a' - 1 + fx), static_cast<char>('0' + fy), capture ? 'x' : '-',
                  static_cast<char>('a' - 1 + tx), static_cast<char>('0' + ty), 0, 0, 0};
    return text;
}

struct Move {
    int piece, from, to;
    Castling castling;
    bool enPassant;
};

void createChild(const FastBoard& b, const Node& n, const Move& m, NodeList& out, ExpansionCounts& counts) {
    const int fx = fileOf(m.from), fy = rowOf(m.from), tx = fileOf(m.to), ty = rowOf(m.to);
    int placed = m.piece;
    if (m.piece == kUpperPawn && ty == 1) placed = kUpperQueen;
    if (m.piece == kLowerPawn && ty == 8) placed = kLowerQueen;
    StateWord next = stateAfterMove(n.state, m.piece, fx, fy, tx, ty);
    FastBoard child = b;
    const int target = b.square[static_cast<std::size_t>(m.to)];
    int staticSum = n.staticSum - pieceSquare(m.piece, m.from, n.settings.plyCount) +
                    pieceSquare(placed, m.to, n.settings.plyCount);
    if (target != 0) staticSum -= pieceSquare(target, m.to, n.settings.plyCount);
    child.remove(m.from);
    child.put(m.to, placed);
    if (m.castling != Castling::none) {
        if (!castlingAllowed(n.position, n.state, n.upper, m.castling)) return;
        next |= n.upper ? kUpperCastled : kLowerCastled;
        const bool kingSide = m.castling == Castling::kingSide;
        const int rookFrom = bitOf(kingSide ? 8 : 1, fy), rookTo = bitOf(kingSide ? 6 : 4, fy);
        const int rook = b.square[static_cast<std::size_t>(rookFrom)];
        child.remove(rookFrom);
        child.put(rookTo, rook);
        staticSum += pieceSquare(rook, rookTo, n.settings.plyCount) - pieceSquare(rook, rookFrom, n.settings.plyCount);
    }
    // Which terms the move can change: the mover's own by the kind it moved,
    // the opponent's only through a capture, rook files through any square
    // on a file that holds a rook.
    const int kind = pieceKind(m.piece), taken = target != 0 ? pieceKind(target) : 0;
    const Bits files = (Bits{0xFF} << (8 * (fx - 1))) | (Bits{0xFF} << (8 * (tx - 1)));
    const Bits rooks = b.pieces[kUpperRook] | b.pieces[kLowerRook];
    const bool rookFilesChange = m.castling != Castling::none || (rooks & files) != 0;
    const TermChanges moverChanges{rookFilesChange, kind == 5, kind == 6,
                                   kind == 1 || kind == 2 || kind == 3 || kind == 6};
    const TermChanges opponentChanges{rookFilesChange, taken == 5, taken == 6, taken == 2 || taken == 6};
    const int ply = n.settings.plyCount;
    const int moverSum = childSideTerms(n.mover, child, next, ply, n.upper, moverChanges).sum();
    const int opponentSum = childSideTerms(n.opponent, child, next, ply, !n.upper, opponentChanges).sum();
    int total = staticSum + (n.upper ? moverSum - opponentSum : opponentSum - moverSum);
    if (n.settings.horizonReduction && n.settings.depthLimit > 2) {
        int term = 0;
        if (pieceKind(placed) == 1 && fx == 5 && std::abs(tx - fx) == 2) {
            term = -30;
        } else if (pieceKind(placed) != 1 && attackersOf(child, m.to, n.them, child.occupied, 0) != 0) {
            term = -kMaterial[static_cast<std::size_t>(pieceKind(placed))];
        }
        total += n.upper ? term : -term;
    }
    ++counts.evaluated;
    if (counts.childCount >= kMaxChildren) {
        ++counts.dropped;
        return;
    }
    SearchNode& entry = out[static_cast<std::size_t>(counts.childCount++)];
    entry.score = static_cast<std::int16_t>(static_cast<std::uint16_t>(total));
    entry.state = next;
    entry.move = moveText(fx, fy, tx, ty, placed, target != 0 || m.enPassant);
}

}  // namespace

ExpansionCounts fastExpand(const Position& position, StateWord state, bool sideIsUpper, const EvalSettings& settings,
                           NodeList& out) {
    const FastBoard board = FastBoard::from(position);
    // Boards the rules allow but chess does not (no king, two kings, a pawn on
    // an end row) go to the literal expansion, which defines them.
    if (!board.ordinary()) return literalExpand(position, state, sideIsUpper, settings, out);
    const AttackTables& t = attackTables();
    const int me = sideIsUpper ? 0 : 1;
    const int king = std::countr_zero(board.pieces[static_cast<std::size_t>(code(1, me))]);
    const auto k = static_cast<std::size_t>(king);
    const Node node{position,
                    state,
                    sideIsUpper,
                    me,
                    1 - me,
                    king,
                    attackersOf(board, king, 1 - me, board.occupied, 0) != 0,
                    t.ray[0][k] | t.ray[1][k] | t.ray[2][k] | t.ray[3][k] | t.ray[4][k] | t.ray[5][k] | t.ray[6][k] |
                        t.ray[7][k],
                    staticTotal(board, settings.plyCount),
                    sideTerms(board, state, settings.plyCount, sideIsUpper),
                    sideTerms(board, state, settings.plyCount, !sideIsUpper),
                    settings};
    ExpansionCounts counts;
    for (Bits movers = board.army[static_cast<std::size_t>(me)]; movers != 0; movers &= movers - 1) {
        const int from = std::countr_zero(movers);
        const int piece = board.square[static_cast<std::size_t>(from)];
        Bits castlingTargets = 0;
        for (Bits targets = targetsOf(board, node, from, piece, castlingTargets); targets != 0; targets &= targets - 1) {
            const int to = std::countr_zero(targets);
            const bool enPassant = isEnPassant(board, piece, from, to);
            if (!leavesKingSafe(board, node, piece, from, to, enPassant)) continue;
            Castling castling = Castling::none;
            if (castlingTargets & single(to)) castling = fileOf(to) == 7 ? Castling::kingSide : Castling::queenSide;
            createChild(board, node, Move{piece, from, to, castling, enPassant}, out, counts);
        }
    }
    if (counts.childCount == 0) counts.stalemate = !node.inCheck;
    return counts;
}

}  // namespace quorvel
