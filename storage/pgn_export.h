#pragma once
// A game record as PGN, for any chess program to read: the seven tag roster
// (Event "Partie Quorvel", Site, Date, Round "-", White, Black, Result), the
// players' types, [SetUp]/[FEN] for a game set up from a position, our time
// tags when the clocks ran, then the moves in standard algebraic notation
// with English letters, numbered, in lines of at most 80 characters, and
// the result.

#include <optional>
#include <string>
#include <variant>

#include "rules/position.h"
#include "storage/pgn_players.h"

namespace quorvel {

struct PgnExportOptions {
    std::string date = "????.??.??";   // the export's date, "YYYY.MM.DD"
    std::string humanName = "Joueur";  // the user's login name
    PlayerRoles fallbackRoles;         // who plays a side that has not moved yet
};

// Why a record can't be written: a move that does not lead from one of its
// positions to the next (a damaged record), in French.
struct PgnExportError {
    std::string message;
};

// The PGN text of the half-moves up to plyCount.
std::variant<std::string, PgnExportError> exportPgn(const GameRecord& record,
                                                    const PgnExportOptions& options);

}  // namespace quorvel
