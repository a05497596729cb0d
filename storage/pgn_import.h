#pragma once
// A game read from PGN becomes the game record it would be had its moves
// been played in the window: the texts with their check and mate marks, the
// positions in the history, each held as the window held it for the side
// that moved (the computer's side is the one PGN calls "program" or
// "Quorvel"), the clocks from our own time tags.

#include <optional>
#include <string>

#include "rules/position.h"
#include "storage/pgn_reader.h"

namespace quorvel {

// Why a game can't be imported, in French, naming the game and the move:
// "Coup illégal 23... Cxe4 dans la partie 2".
struct PgnImportError {
    std::string message;
};

// Builds the game numbered `gameNumber` (from 1, for the messages) into
// `record`. On failure `record` is left exactly as it was. The live board
// goes to the player the side to move belongs to, unless that side is the
// program's.
std::optional<PgnImportError> importPgnGame(const PgnGameText& game, int gameNumber, GameRecord& record);

// The seconds of a time tag: "1:02:03", "2:03" or "123"; nullopt when it
// is none of these.
std::optional<int> readTimeTag(const std::string& value);
std::string timeTagText(int seconds);

}  // namespace quorvel
