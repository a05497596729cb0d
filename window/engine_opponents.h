#pragma once
// The computer's opponents: Quorvel's own engine, or an engine of another
// program, for "Ordinateur / Humain" and for each side of "Ordinateur /
// Ordinateur". Holds the list of engines and the choices (kept in
// "moteurs.ini" beside quorvel.ini, written after each change), the engines
// found installed, and one EngineSeat per role that plays with an engine of
// another program, started when it is first asked to move and kept for the
// next moves and games.
//
// Everything runs on the window's thread. The waits (an engine tried before
// it is added, or asked what it offers) are nested event loops that return
// on the engine's answer or on a timer.

#include <QObject>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "storage/engine_list_file.h"
#include "uci/chess_engine.h"
#include "uci/known_engines.h"
#include "window/engine_seat.h"

namespace quorvel {

class DialogService;

class EngineOpponents : public QObject {
    Q_OBJECT
public:
    enum class Role { opponent, white, black };

    explicit EngineOpponents(DialogService& dialogs, QObject* parent = nullptr);
    ~EngineOpponents() override;  // ends every engine and waits for it

    // Start-up: the list kept at `path` (empty: none is kept this session),
    // with the engines found installed added; a damaged file is said once
    // and what could not be read is left out.
    void load(const std::string& path, const std::vector<KnownEngine>& found);
    // How long each step of an engine may take; tests shorten them.
    void setTimeouts(EngineTimeouts timeouts) { timeouts_ = timeouts; }
    const EngineTimeouts& timeouts() const { return timeouts_; }

    // The list and the choices
    const EngineChoices& choices() const { return choices_; }
    // The engine's program is there and may be run; true for Quorvel's own.
    bool installed(int choice) const;
    // "Quorvel (moteur intégré)" for 0, else the engine's name.
    QString label(int choice) const;
    int chosen(Role role) const;
    // An engine of another program plays in this role.
    bool otherEngineChosen(Role role) const { return choices_.engine(chosen(role)) != nullptr; }
    void choose(Role role, int choice);
    void setStrength(int choice, const EngineStrength& strength);
    // The list as "Gérer les moteurs..." left it.
    void replaceList(EngineChoices choices);
    // Tries the program (a handshake within its time) and adds it, named
    // from its "id name", as the opponent. Nullopt, with the message "Le
    // moteur X ne répond pas", when it does not answer.
    std::optional<int> addEngine(const EngineCommand& command);
    // What the engine offers: asked of a running engine, or of the program
    // started for the question. Nullopt, with the message, when it does not
    // answer.
    std::optional<EngineOffers> probe(const EngineEntry& entry);

    // Playing
    // The engine that plays the side to move: nullptr for Quorvel's own.
    EngineSeat* seatFor(bool whiteToMove, bool computerVsComputer);
    // The engine could not start: Quorvel's own engine plays in its place
    // until a new game or a new choice.
    void standIn(const EngineSeat* seat);
    // A new game, or another game loaded: the engines that could not start
    // are tried again.
    void newGame();
    // Ends every engine (in the background; the destructor waits).
    void quitAll();
    // Engine processes running or ending (for tests).
    int processCount() const;

    // For the levels that Stockfish (or another known engine) plays:
    // `program` is its known name ("stockfish").
    // The range of UCI_Elo the engine offers, as it said when last asked, or
    // asked now; nullopt when it is not installed or offers none.
    std::optional<std::pair<int, int>> eloRange(std::string_view program);
    // The same from what the engine said when last asked, without asking.
    std::optional<std::pair<int, int>> knownEloRange(std::string_view program) const;
    // Makes the known engine, at UCI_Elo `elo` (brought within its range),
    // the opponent of "Ordinateur / Humain". False when it is not installed.
    bool playKnownEngineAtElo(std::string_view program, int elo);
    // Quorvel's own engine is the opponent again.
    void playBuiltInEngine() { choose(Role::opponent, 0); }
    // The known engine is the opponent at that Elo (for the levels' check marks).
    bool playsKnownEngineAtElo(std::string_view program, int elo) const;

Q_SIGNALS:
    // The list or a name changed: the menu is built again.
    void listChanged();

private:
    // The entry of a known engine, 0 when it is not in the list or removed.
    int knownEntry(std::string_view program) const;
    void refreshInstalled();
    void save();
    // What a running engine said of itself, kept in the list.
    void learnFrom(const EngineSeat& seat);
    static std::size_t index(Role role) { return static_cast<std::size_t>(role); }
    void dropSeat(Role role);

    DialogService& dialogs_;
    std::string path_;
    EngineChoices choices_;
    std::vector<bool> installed_;  // by choice - 1
    EngineTimeouts timeouts_;
    bool writeFailureSaid_ = false;
    std::array<std::unique_ptr<EngineSeat>, 3> seats_;
    std::array<bool, 3> standIn_{};
    std::vector<std::unique_ptr<EngineSeat>> leaving_;  // replaced seats whose engines still end
};

}  // namespace quorvel
