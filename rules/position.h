#pragma once
// The board with its special-move state, the packed copy of that state, the
// text form of a move and the record of the game.
//
// The model is asymmetric on purpose: the upper side (codes 1..6, home rows 8
// and 7) is always the computer's army and the lower side (codes 11..16, home
// rows 1 and 2) always the human's. When the human plays Black the stored
// board is mirrored, so both players always find their army where the rules
// expect it.

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

namespace quorvel {

// Piece codes: upper side 1..6, lower side 11..16, 0 = empty.
enum PieceCode : std::int8_t {
    kEmpty = 0,
    kUpperKing = 1,
    kUpperQueen = 2,
    kUpperRook = 3,
    kUpperKnight = 4,
    kUpperBishop = 5,
    kUpperPawn = 6,
    kLowerKing = 11,
    kLowerQueen = 12,
    kLowerRook = 13,
    kLowerKnight = 14,
    kLowerBishop = 15,
    kLowerPawn = 16,
};

inline bool isUpperPiece(int code) {
    return code > 0 && code < 10;
}
inline bool isLowerPiece(int code) {
    return code > 10;
}
// The kind of a piece whichever side holds it: king 1 .. pawn 6.
inline int pieceKind(int code) {
    return code > 10 ? code - 10 : code;
}

// Cell indices of the ten state cells (cells with X = 0 or Y = 0).
enum StateCell : int {
    kLowerDoubleStepFileCell = 1,  // (0,1) 0..8
    kUpperDoubleStepFileCell = 2,  // (0,2) 0..8
    kLowerCastledCell = 3,         // (0,3)
    kUpperCastledCell = 4,         // (0,4)
    kUpperRookAMovedCell = 9,      // (1,0)
    kUpperRookHMovedCell = 18,     // (2,0)
    kUpperKingMovedCell = 27,      // (3,0)
    kLowerRookAMovedCell = 36,     // (4,0)
    kLowerRookHMovedCell = 45,     // (5,0)
    kLowerKingMovedCell = 54,      // (6,0)
};

// Packed special-move state. Low 16 bits: the ten cells; high 16 bits carry
// nothing about the position and survive every repack.
using StateWord = std::uint32_t;

enum StateBits : std::uint32_t {
    kLowerKingMoved = 0x0001,
    kUpperKingMoved = 0x0002,
    kLowerRookHMoved = 0x0004,
    kLowerRookAMoved = 0x0008,
    kUpperRookHMoved = 0x0010,
    kUpperRookAMoved = 0x0020,
    kUpperDoubleStepMask = 0x03C0,  // bits 6..9
    kLowerDoubleStepMask = 0x3C00,  // bits 10..13
    kLowerCastled = 0x4000,
    kUpperCastled = 0x8000,
};
constexpr int kUpperDoubleStepShift = 6;
constexpr int kLowerDoubleStepShift = 10;

inline int upperDoubleStepFile(StateWord s) {
    return (s & kUpperDoubleStepMask) >> kUpperDoubleStepShift;
}
inline int lowerDoubleStepFile(StateWord s) {
    return (s & kLowerDoubleStepMask) >> kLowerDoubleStepShift;
}
inline StateWord withUpperDoubleStepFile(StateWord s, int file) {
    return (s & ~std::uint32_t{kUpperDoubleStepMask}) |
           ((std::uint32_t(file) & 0xF) << kUpperDoubleStepShift);
}
inline StateWord withLowerDoubleStepFile(StateWord s, int file) {
    return (s & ~std::uint32_t{kLowerDoubleStepMask}) |
           ((std::uint32_t(file) & 0xF) << kLowerDoubleStepShift);
}

// 81 signed bytes indexed X*9 + Y: X the file 1..8 (a..h), Y the row 1..8
// (row 1 the lower side's home row). Cell 0 holds the side marker in history
// entries; no rule reads it.
struct Position {
    std::array<std::int8_t, 81> cells{};

    std::int8_t& operator[](int index) { return cells[static_cast<std::size_t>(index)]; }
    std::int8_t operator[](int index) const { return cells[static_cast<std::size_t>(index)]; }
    std::int8_t& at(int x, int y) { return cells[static_cast<std::size_t>(x * 9 + y)]; }
    std::int8_t at(int x, int y) const { return cells[static_cast<std::size_t>(x * 9 + y)]; }

    friend bool operator==(const Position&, const Position&) = default;
};
static_assert(sizeof(Position) == 81);

inline int squareIndex(int x, int y) {
    return x * 9 + y;
}

// Side marker stored in cell 0 of history entries.
constexpr std::int8_t kMarkerPlayerBlack = 1;
constexpr std::int8_t kMarkerPlayerWhite = 2;

// Builds the low 16 bits from the cells, keeps the high 16 bits of `old`.
StateWord packState(const Position& position, StateWord old);
// Writes every state cell from its bits.
void unpackState(StateWord state, Position& position);

// Exchanges the two armies' places and codes and the state cells pairwise.
// The caller toggles playerIsBlack.
void mirrorPosition(Position& position);

// The same piece on each of the 64 squares; state cells and the side marker
// are not compared.
bool sameSquares(const Position& a, const Position& b);

// A move in text form: 8 bytes, NUL-terminated ASCII ("e2-e4", "e4xd5",
// "o-o", "o-o-o"). Byte 5 may hold a marker ('+', or "++"/"P" in tree
// nodes), byte 6 a second '+' (mate) in the game record.
struct MoveText {
    std::array<char, 8> bytes{};

    const char* c_str() const { return bytes.data(); }
    char& operator[](int i) { return bytes[static_cast<std::size_t>(i)]; }
    char operator[](int i) const { return bytes[static_cast<std::size_t>(i)]; }
    bool empty() const { return bytes[0] == 0; }
    bool isCastling() const { return std::strchr(bytes.data(), 'o') != nullptr; }
    bool isLongCastling() const { return std::strstr(bytes.data(), "o-o-o") != nullptr; }
    // The visible text up to the first NUL.
    std::string str() const { return std::string(bytes.data(), strnlen(bytes.data(), bytes.size())); }
    void clear() { bytes.fill(0); }

    static MoveText fromString(const char* text) {
        MoveText m;
        for (std::size_t i = 0; i < m.bytes.size() && text[i] != 0; ++i) m.bytes[i] = text[i];
        return m;
    }

    friend bool operator==(const MoveText&, const MoveText&) = default;
};
static_assert(sizeof(MoveText) == 8);

// The game played so far and the live position.
struct GameRecord {
    static constexpr int kCapacity = 300;

    std::array<MoveText, kCapacity> moves{};    // entry k = half-move k+1, chess ranks
    std::int32_t plyCount = 0;                  // half-moves up to the position shown
    std::int32_t recordLength = 0;              // half-moves held; >= plyCount
    std::array<Position, kCapacity> history{};  // entry k = position after half-move k+1
    Position current{};                         // the live position
    StateWord state = 0;                        // packed state of `current`
    bool playerIsBlack = false;                 // the human plays Black; `current` is mirrored

    // Kept beside the record because the game file stores them (seconds).
    std::int32_t whiteClock = 0;
    std::int32_t blackClock = 0;

    // Half-moves without a capture or a pawn move before the position the
    // game was set up from (a FEN's clock). The game file has no room for it,
    // so a loaded game starts counting at its set-up position.
    std::int32_t setupHalfMoveClock = 0;
};

// Holds the live board for a player of the given colour: when the colour
// changes, the board is mirrored and its state word packed again.
void holdLiveBoardFor(GameRecord& record, bool playerIsBlack);

// Rank conversion of a text: digit d becomes 'i' - d (bytes 1 and 4) when
// playerIsBlack is set, byte 1 is a digit and the text is not a castling.
MoveText toChessRanks(const MoveText& text, bool playerIsBlack);

}  // namespace quorvel
