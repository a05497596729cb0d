#pragma once
// The commands that speak the other chess programs' formats: exporting the
// game as PGN and importing a PGN game ("Fichier"), copying and pasting a
// position as FEN through the clipboard ("Partie"). The format work is the
// core's; these only ask for files, move text to and from the clipboard and
// report. The command guard keeps them from a game under a search (the
// record is the search thread's then); a file or a position that can't be
// read leaves the game exactly as it was.

#include <QString>

namespace quorvel {

class FileCommands;
class GameController;

class FormatCommands {
public:
    // `files` names the game file, whose name the PGN export suggests.
    FormatCommands(GameController& controller, const FileCommands& files)
        : controller_(controller), files_(files) {}

    void exportPgn();
    void importPgn();
    void copyFen();
    void pasteFen();

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
};

}  // namespace quorvel
