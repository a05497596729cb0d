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
    const FastBoard& board;
    const Position& position;
    StateWord state;
    bool upper;
    int me, them;  // army index: 0 upper, 1 lower
    int king;      // bit of the mover's king
    bool inCheck;
    Bits pinned;    // own pieces alone between the king and an opposing slider
    Bits attacked;  // squares an opposing piece could take on, on the node board
    const PieceSquareTable& table;
    PawnTermCache& pawnCache;
    int staticSum;              // piece-square sum of the node position
    SideTerms mover, opponent;  // neighbour and global terms of the node position
    SideBits moverBits, opponentBits;
    const EvalSettings& settings;
};

int code(int kind, int army) {
    return army == 0 ? kind : kind + 10;
}

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

// Own pieces that alone stand between the king and an opposing slider on
// its line. Only they, a king move, an en-passant capture or a check can
// leave the king attacked.
Bits pinnedPieces(const FastBoard& b, int king, int me, int them) {
    const AttackTables& t = attackTables();
    const auto k = static_cast<std::size_t>(king);
    const Bits queens = b.pieces[static_cast<std::size_t>(code(2, them))];
    const Bits diagonal = b.pieces[static_cast<std::size_t>(code(5, them))] | queens;
    const Bits straight = b.pieces[static_cast<std::size_t>(code(3, them))] | queens;
    Bits pinned = 0;
    for (int dir = 0; dir < 8; ++dir) {
        const Bits blockers = t.ray[static_cast<std::size_t>(dir)][k] & b.occupied;
        if (blockers == 0) continue;
        const bool up = dir < 4;
        const int first = up ? std::countr_zero(blockers) : 63 - std::countl_zero(blockers);
        if ((b.army[static_cast<std::size_t>(me)] & single(first)) == 0) continue;
        const Bits rest = blockers & ~single(first);
        if (rest == 0) continue;
        const int second = up ? std::countr_zero(rest) : 63 - std::countl_zero(rest);
        const bool isDiagonal = dir == 2 || dir == 3 || dir == 6 || dir == 7;
        if ((isDiagonal ? diagonal : straight) & single(second)) pinned |= single(first);
    }
    return pinned;
}

// Every square some piece of `army` attacks on the board as it stands.
Bits attackedBy(const FastBoard& b, int army) {
    const AttackTables& t = attackTables();
    auto mine = [&](int kind) { return b.pieces[static_cast<std::size_t>(code(kind, army))]; };
    Bits attacked = 0;
    for (Bits p = mine(4); p != 0; p &= p - 1)
        attacked |= t.knight[static_cast<std::size_t>(std::countr_zero(p))];
    for (Bits p = mine(1); p != 0; p &= p - 1)
        attacked |= t.king[static_cast<std::size_t>(std::countr_zero(p))];
    const auto& pawn = army == 0 ? t.upperPawn : t.lowerPawn;
    for (Bits p = mine(6); p != 0; p &= p - 1)
        attacked |= pawn[static_cast<std::size_t>(std::countr_zero(p))];
    for (Bits p = mine(5) | mine(2); p != 0; p &= p - 1)
        attacked |= bishopAttacks(t, std::countr_zero(p), b.occupied);
    for (Bits p = mine(3) | mine(2); p != 0; p &= p - 1)
        attacked |= rookAttacks(t, std::countr_zero(p), b.occupied);
    return attacked;
}

// Could an opposing piece take on `to` once the mover left `from`? Leaving
// can only open lines, so a square not attacked before is attacked after
// only through a line that passes `from`.
bool attackedAfterMove(const FastBoard& b, const Node& n, int from, int to, Bits occupied) {
    if (n.attacked & single(to)) return true;
    if ((attackTables().lines[static_cast<std::size_t>(to)] & single(from)) == 0) return false;
    return attackersOf(b, to, n.them, occupied, 0) != 0;
}

// Pseudo-legal targets under the move test's rules: never onto an own piece
// or onto either king.
Bits targetsOf(const FastBoard& b, const Node& n, int from, int piece, Bits& castlingTargets) {
    const AttackTables& t = attackTables();
    const auto s = static_cast<std::size_t>(from);
    const Bits free =
        ~b.army[static_cast<std::size_t>(n.me)] & ~(b.pieces[kUpperKing] | b.pieces[kLowerKing]);
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
                if (!(n.state & (kingMoved | rookH)) && p.at(6, home) == 0 && p.at(7, home) == 0 &&
                    p.at(8, home) == rook) {
                    castlingTargets |= single(bitOf(7, home));
                }
                if (!(n.state & (kingMoved | rookA)) && p.at(2, home) == 0 && p.at(3, home) == 0 &&
                    p.at(4, home) == 0 && p.at(1, home) == rook) {
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
    if (!n.inCheck && !enPassant && !(n.pinned & fromBit)) return true;
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
    text.bytes = {static_cast<char>('a' - 1 + fx),
                  static_cast<char>('0' + fy),
                  capture ? 'x' : '-',
                  static_cast<char>('a' - 1 + tx),
                  static_cast<char>('0' + ty),
                  0,
                  0,
                  0};
    return text;
}

struct Move {
    int piece, from, to;
    Castling castling;
    bool enPassant;
};

// The sets the terms read, after the move, for the mover and the opponent.
struct ChildBits {
    Bits occupied;
    SideBits mover, opponent;
};

ChildBits childBits(const Node& n, const Move& m, int placed, int target) {
    const FastBoard& b = n.board;
    const Bits fromBit = single(m.from), toBit = single(m.to);
    ChildBits c{(b.occupied & ~fromBit) | toBit, n.moverBits, n.opponentBits};
    const int queenHome = bitOf(4, n.upper ? 8 : 1);
    switch (pieceKind(m.piece)) {
        case 2:
            if (m.from == queenHome) c.mover.queenAtHome = false;
            break;
        case 3:
            c.mover.rooks = (c.mover.rooks & ~fromBit) | toBit;
            break;
        case 5:
            c.mover.bishops = (c.mover.bishops & ~fromBit) | toBit;
            break;
        case 6:
            c.mover.pawns &= ~fromBit;
            if (pieceKind(placed) == 6) c.mover.pawns |= toBit;
            break;
        default:
            break;
    }
    if (pieceKind(placed) == 2 && m.to == queenHome) c.mover.queenAtHome = true;
    if (target != 0) {
        c.opponent.rooks &= ~toBit;
        c.opponent.bishops &= ~toBit;
        c.opponent.pawns &= ~toBit;
        if (m.to == bitOf(4, n.upper ? 1 : 8)) c.opponent.queenAtHome = false;
    }
    if (m.castling != Castling::none) {
        const int row = rowOf(m.from);
        const bool kingSide = m.castling == Castling::kingSide;
        const Bits rookFrom = single(bitOf(kingSide ? 8 : 1, row)),
                   rookTo = single(bitOf(kingSide ? 6 : 4, row));
        c.occupied = (c.occupied & ~rookFrom) | rookTo;
        c.mover.rooks = (c.mover.rooks & ~rookFrom) | rookTo;
    }
    return c;
}

// One side's terms after the move, as a change to the node's: only what the
// move can change is recomputed. A rook's open-file count reads its own file
// alone, so only rooks on the files whose squares changed are counted again.
// `kind` is the kind that left or was taken from this side.
inline int childSideSum(const SideTerms& parent, const SideBits& before, const SideBits& after,
                        Bits parentOccupied, Bits occupied, Bits files, StateWord state, int ply, bool upper,
                        int kind, bool mover, PawnTermCache& pawnCache) {
    int sum = parent.sum();
    const Bits rooksBefore = before.rooks & files, rooksAfter = after.rooks & files;
    if ((rooksBefore | rooksAfter) != 0) {
        sum += rookFiles(rooksAfter, occupied, upper) - rookFiles(rooksBefore, parentOccupied, upper);
    }
    if (kind == 5) sum += bishopNeighbours(after.bishops, upper) - parent.bishops;
    if (kind == 6) sum += pawnCache.terms(after.pawns, ply, upper) - parent.pawns;
    const bool global = mover ? (kind == 1 || kind == 2 || kind == 3) : kind == 2;
    if (global) sum += globalState(after.queenAtHome, state, ply, upper) - parent.global;
    return sum;
}

void createChild(const Node& n, const Move& m, NodeList& out, ExpansionCounts& counts) {
    const FastBoard& b = n.board;
    const int fx = fileOf(m.from), fy = rowOf(m.from), tx = fileOf(m.to), ty = rowOf(m.to);
    int placed = m.piece;
    if (m.piece == kUpperPawn && ty == 1) placed = kUpperQueen;
    if (m.piece == kLowerPawn && ty == 8) placed = kLowerQueen;
    StateWord next = stateAfterMove(n.state, m.piece, fx, fy, tx, ty);
    const int target = b.square[static_cast<std::size_t>(m.to)];
    const auto& value = n.table.value;
    auto at = [&](int code, int bit) {
        return value[static_cast<std::size_t>(code)][static_cast<std::size_t>(bit)];
    };
    int staticSum = n.staticSum - at(m.piece, m.from) + at(placed, m.to);
    if (target != 0) staticSum -= at(target, m.to);
    if (m.castling != Castling::none) {
        if (!castlingAllowed(n.position, n.state, n.upper, m.castling)) return;
        next |= n.upper ? kUpperCastled : kLowerCastled;
        const bool kingSide = m.castling == Castling::kingSide;
        const int rookFrom = bitOf(kingSide ? 8 : 1, fy), rookTo = bitOf(kingSide ? 6 : 4, fy);
        const int rook = b.square[static_cast<std::size_t>(rookFrom)];
        staticSum += at(rook, rookTo) - at(rook, rookFrom);
    }
    const ChildBits c = childBits(n, m, placed, target);
    // The files whose squares the move changed.
    auto file = [](int x) { return Bits{0xFF} << (8 * (x - 1)); };
    Bits files = file(fx) | file(tx);
    if (m.castling != Castling::none) files |= file(1) | file(4) | file(6) | file(8);
    const int ply = n.settings.plyCount;
    const int moverSum = childSideSum(n.mover, n.moverBits, c.mover, b.occupied, c.occupied, files, next, ply,
                                      n.upper, pieceKind(m.piece), true, n.pawnCache);
    const int opponentSum =
        childSideSum(n.opponent, n.opponentBits, c.opponent, b.occupied, c.occupied, files, next, ply,
                     !n.upper, target != 0 ? pieceKind(target) : 0, false, n.pawnCache);
    int total = staticSum + (n.upper ? moverSum - opponentSum : opponentSum - moverSum);
    if (n.settings.horizonReduction && n.settings.depthLimit > 2) {
        int term = 0;
        if (pieceKind(placed) == 1 && fx == 5 && std::abs(tx - fx) == 2) {
            term = -30;
        } else if (pieceKind(placed) != 1 && attackedAfterMove(b, n, m.from, m.to, c.occupied)) {
            // The opposing pieces are the node's: one taken on the to-square
            // cannot attack its own square.
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

ExpansionCounts fastExpand(const Position& position, StateWord state, bool sideIsUpper,
                           const EvalSettings& settings, NodeList& out) {
    const FastBoard board = FastBoard::from(position);
    // Boards the rules allow but chess does not (no king, two kings, a pawn on
    // an end row) go to the literal expansion, which defines them.
    if (!board.ordinary()) return literalExpand(position, state, sideIsUpper, settings, out);
    const int me = sideIsUpper ? 0 : 1;
    const int king = std::countr_zero(board.pieces[static_cast<std::size_t>(code(1, me))]);
    const PieceSquareTable& table = pieceSquareTable(settings.plyCount);
    PawnTermCache& pawns = pawnTermCache();
    const Node node{board,
                    position,
                    state,
                    sideIsUpper,
                    me,
                    1 - me,
                    king,
                    attackersOf(board, king, 1 - me, board.occupied, 0) != 0,
                    pinnedPieces(board, king, me, 1 - me),
                    attackedBy(board, 1 - me),
                    table,
                    pawns,
                    staticTotal(board, settings.plyCount),
                    sideTerms(board, state, settings.plyCount, sideIsUpper, pawns),
                    sideTerms(board, state, settings.plyCount, !sideIsUpper, pawns),
                    sideBits(board, sideIsUpper),
                    sideBits(board, !sideIsUpper),
                    settings};
    ExpansionCounts counts;
    for (Bits movers = board.army[static_cast<std::size_t>(me)]; movers != 0; movers &= movers - 1) {
        const int from = std::countr_zero(movers);
        const int piece = board.square[static_cast<std::size_t>(from)];
        Bits castlingTargets = 0;
        for (Bits targets = targetsOf(board, node, from, piece, castlingTargets); targets != 0;
             targets &= targets - 1) {
            const int to = std::countr_zero(targets);
            const bool enPassant = isEnPassant(board, piece, from, to);
            if (!leavesKingSafe(board, node, piece, from, to, enPassant)) continue;
            Castling castling = Castling::none;
            if (castlingTargets & single(to))
                castling = fileOf(to) == 7 ? Castling::kingSide : Castling::queenSide;
            createChild(node, Move{piece, from, to, castling, enPassant}, out, counts);
        }
    }
    if (counts.childCount == 0) counts.stalemate = !node.inCheck;
    return counts;
}

}  // namespace quorvel
