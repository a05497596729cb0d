#pragma once
// A match game as PGN: the seven tag roster, the set-up position when the
// game did not start from the initial one, PlyCount and Termination; the
// moves in standard algebraic notation, each engine move followed by what
// its engine last said of it ("{+0.31/12 0.98s}": the score from the
// mover's side in pawns, or "M3" for a mate, the depth and the time), and a
// last comment saying how the game ended.

#include <chrono>
#include <string>

#include "match/match_game.h"
#include "uci/uci_info_line.h"

namespace quorvel {

struct MatchPgnTags {
    std::string event = "quorvel-cli match";
    std::string site = "?";
    std::string date = "????.??.??";  // "YYYY.MM.DD"
    int round = 1;
    std::string white, black;
};

std::string matchGamePgn(const MatchGame& game, const Verdict& verdict, const MatchPgnTags& tags);

// "+0.31/12 0.98s", "-M3/20 1.00s", "0.05s" when the engine said nothing.
std::string moveComment(const UciInfo& info, std::chrono::milliseconds elapsed);

}  // namespace quorvel
