#pragma once
// The commands that speak the other chess programs' formats: exporting the
// game as PGN and importing a PGN game ("Fichier"), copying and pasting a
// position as FEN through the clipboard ("Partie"). The format work is the
// core's; these only ask for files, move text to and from the clipboard and
// report. The command guard keeps them from a game under a search (the
// record is the search thread's then); a file or a position that can't be
// read leaves the game exactly as it was.

#include <QString>
#include <functional>

#include "rules/position.h"

namespace quorvel {

class FileCommands;
class GameController;
struct PgnExportOptions;

class FormatCommands {
public:
    // `files` names the game file, whose name the PGN export suggests.
    FormatCommands(GameController& controller, const FileCommands& files)
        : controller_(controller), files_(files) {}

    void exportPgn();
    void importPgn();
    void copyFen();
    void pasteFen();

    // Where the review of the game comes from, for the export: it fills the
    // options' notes and answers true when the game has one.
    using ReviewSource = std::function<bool(const GameRecord&, PgnExportOptions&)>;
    void setReviewSource(ReviewSource source) { reviewSource_ = std::move(source); }

    // The name a human player goes by in exported games: the login name, or
    // "Joueur" when the system gives none.
    static QString humanName();
    // The name the PGN export suggests for the game file `gameFile`: its
    // own name with ".pgn" ("g1.ech" gives "g1.pgn").
    static QString pgnNameFor(const QString& gameFile);

private:
    void gameReplaced();

    GameController& controller_;
    const FileCommands& files_;
    ReviewSource reviewSource_;
};

}  // namespace quorvel
