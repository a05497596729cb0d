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
#include "storage/pgn_reader.h"

namespace quorvel {

// What a review says of one half-move, written after it as other chess
// programs read it: "Qg5 $4 {[%eval 13.70]} (2... Nc6)".
struct PgnMoveNote {
    int nag = 0;             // an annotation glyph ($6 "?!", $2 "?", $4 "??"); 0 for none
    std::string eval;        // the position after the move, White's view ("0.35", "#-2"); empty for none
    std::string betterMove;  // the analyst's move instead, SAN; empty for none
};

struct PgnExportOptions {
    std::string date = "????.??.??";   // the export's date, "YYYY.MM.DD"
    std::string humanName = "Joueur";  // the user's login name
    PlayerRoles fallbackRoles;         // who plays a side that has not moved yet
    std::vector<PgnMoveNote> notes;    // by half-move index (0 = White's first); none past its end
    std::string annotator;             // the [Annotator] tag, left out when empty
    // A game read from PGN written back: its own tags take the roster's
    // places (and follow it), and its result stands when the board has
    // none (a resignation, a time forfeit).
    std::vector<PgnTag> sourceTags;
    std::string sourceResult;
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
