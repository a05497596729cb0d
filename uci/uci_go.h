#pragma once
// The lines of one search, both ways: the "position" it is asked about, the
// "go" that bounds it, and the "bestmove" that answers it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// The words of "go"; times in milliseconds.
struct GoRequest {
    std::optional<long long> moveTime;
    std::optional<long long> whiteTime, blackTime;
    std::optional<long long> whiteIncrement, blackIncrement;
    std::optional<int> movesToGo;
    std::optional<int> depth;
    bool infinite = false;
    std::vector<std::string> problems;  // words not understood or badly valued, for the report
};

// The words after "go". A negative time (an overrun clock) reads as none left.
GoRequest parseGo(std::string_view arguments);

// "go ..." for an engine: "infinite", the clocks (an increment only when it
// is above zero, "movestogo" only when it is), "movetime", "depth"; a bare
// "go" when nothing bounds the search (the engine's own limits).
std::string formatGo(const GoRequest& request);

// "position startpos [moves ...]" when `fen` is empty, else "position fen
// FEN [moves ...]".
std::string formatPosition(std::string_view fen, const std::vector<std::string>& moves);

// "bestmove M [ponder P]".
struct BestMove {
    std::string move;                   // as written, not checked
    std::optional<std::string> ponder;  // the reply the engine expects
};

// A whole line; nullopt when it is not "bestmove" followed by a move.
std::optional<BestMove> parseBestMove(std::string_view line);
std::string formatBestMove(std::string_view move);

}  // namespace quorvel
