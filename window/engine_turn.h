#pragma once
// The controller's side of a move played by an engine of another program:
// what the panel shows of its search, and the state of the move under way.

#include <QElapsedTimer>
#include <string>

#include "rules/record_positions.h"
#include "uci/uci_info_line.h"

class QEventLoop;

namespace quorvel {

class EngineSeat;

// "Noeud :", "Profondeur :" and the line of "Meilleure solution trouvée :"
// while an engine of another program thinks, and after its move until the
// next search.
struct EngineFigures {
    std::string name;
    UciInfo info;          // the latest of each field it sent
    ChessPosition before;  // the position it searched
    bool engineIsWhite = false;
};

// One move of such an engine, from the "go" to its answer.
struct EngineTurn {
    EngineSeat* seat = nullptr;
    int searchNumber = 0;
    bool thinking = false;       // its search runs: a command may drop it
    bool abandoned = false;      // dropped: its answer will not be played
    QEventLoop* wait = nullptr;  // the nested loop waiting for it
    QElapsedTimer lastShown;     // the panel's last update from its lines
};

}  // namespace quorvel
