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
#include <vector>

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

// The pieces of any PGN text Quorvel writes (the match runner's too): a tag
// pair on its line, quotes and backslashes escaped, line ends and tabs
// made blanks; and move text tokens joined by blanks in lines of at most 80
// characters, ended by a line end.
std::string pgnTagLine(const std::string& name, const std::string& value);
std::string pgnWrapped(const std::vector<std::string>& tokens);

}  // namespace quorvel
