#pragma once
// One game between two engines, refereed by the rules: it takes the moves
// the engines send (in their notation), keeps each one's standard algebraic
// notation for the PGN, and says when the game is over and why: mate,
// stalemate, threefold repetition, the fifty-move rule, insufficient
// material, the move cap, or a side that failed (an illegal move, an engine
// that stopped, ran out of time or did not answer), which loses.
//
// The rules' record holds 300 half-moves; a longer game keeps its last ones
// there (the draws look back at most a hundred), and all its moves here.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "rules/game_outcome.h"
#include "rules/position.h"

namespace quorvel {

enum class GameEnd {
    checkmate,
    stalemate,
    repetition,
    fiftyMoves,
    insufficientMaterial,
    moveCap,
    illegalMove,    // the side to move sent a move the rules refuse
    engineStopped,  // its engine's process ended
    timeout,        // no move within the time given and a grace
    notAnswering,   // its engine could not be started again, or did not get ready
    aborted,        // neither side's fault: the game could not go on
};

struct Verdict {
    GameResult result = GameResult::ongoing;
    GameEnd reason = GameEnd::aborted;
    std::string detail;  // for a failure: what the engine did ("e2e5")
};

// "checkmate", "threefold repetition", "illegal move"...
const char* gameEndName(GameEnd end);
// The PGN Termination: "normal", "adjudication", "rules infraction",
// "time forfeit", "abandoned", "unterminated".
const char* terminationTag(GameEnd end);
// A sentence for the PGN's last comment: "White mates", "Black's engine
// made an illegal move: e2e5".
std::string verdictSentence(const Verdict& verdict);

class MatchGame {
public:
    // The game from `fen` (empty: the initial position); nullopt-like error
    // text when the rules refuse the position.
    static std::variant<MatchGame, std::string> start(const std::string& fen);

    MatchGame(MatchGame&&) noexcept;
    MatchGame& operator=(MatchGame&&) noexcept;
    ~MatchGame();

    // Plays a move of the side to move; false, the game unchanged, when the
    // move is malformed or illegal. `comment` goes after it in the PGN.
    bool play(std::string_view uciMove, std::string comment = {});
    // The side to move's legal moves, in the engines' notation.
    std::vector<std::string> legalMoves() const;
    // The move a SAN token names for the side to move, in the engines' notation.
    std::optional<std::string> uciOfSan(std::string_view san) const;

    // Over by the rules, or at the cap of `maxMoves` full moves played in
    // this game (0: none); nullopt while it goes on.
    std::optional<Verdict> adjudicate(int maxMoves) const;
    // The side to move failed: it loses.
    Verdict forfeit(GameEnd reason, std::string detail) const;

    bool whiteToMove() const;
    const std::string& startFen() const { return startFen_; }  // empty for the initial position
    int firstMoveNumber() const { return firstMoveNumber_; }
    bool blackStarts() const { return blackStarts_; }
    const std::vector<std::string>& moves() const { return moves_; }   // the engines' notation
    const std::vector<std::string>& sanMoves() const { return san_; }  // standard algebraic
    const std::vector<std::string>& comments() const { return comments_; }

private:
    MatchGame();

    std::string startFen_;
    int firstMoveNumber_ = 1;
    bool blackStarts_ = false;
    std::unique_ptr<GameRecord> record_;  // the last 300 half-moves, for the rules
    std::vector<std::string> moves_, san_, comments_;
};

}  // namespace quorvel
