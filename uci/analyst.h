#pragma once
// An analyst: an engine asked what it thinks of a position, for the coach's
// hint, its warning and the review of a game. It searches one position for
// a bounded time, without blocking the caller, and answers with its best
// move, its score and its line. Quorvel's own engine is one (always there);
// an engine installed on the computer, spoken to through UCI, is another.
//
// Each request gets a number; the answer carries it, so a caller that has
// moved on (another position, a new game) knows an old answer when one
// arrives and drops it.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/uci_position.h"
#include "uci/uci_info_line.h"

namespace quorvel {

// A score from one side's view: an evaluation in hundredths of a pawn, or
// a forced mate.
struct AnalysisScore {
    enum class Kind {
        centipawns,
        mates,  // the side mates in `value` moves
        mated,  // the side is mated in `value` moves; 0: it is checkmated now
    };
    Kind kind = Kind::centipawns;
    int value = 0;

    static AnalysisScore ofCentipawns(int centipawns) { return {Kind::centipawns, centipawns}; }
    static AnalysisScore matesIn(int moves) { return {Kind::mates, moves}; }
    static AnalysisScore matedIn(int moves) { return {Kind::mated, moves}; }

    bool isMate() const { return kind != Kind::centipawns; }
    // The same judgement from the other side's view.
    AnalysisScore opposite() const;

    friend bool operator==(const AnalysisScore&, const AnalysisScore&) = default;
};

// The score of an engine's report, from the side to move's view. nullopt
// without a score, for a bound (a fail-high or -low says only on which side
// the score lies), and for a line other than the best (multipv 2 and on).
std::optional<AnalysisScore> analysisScoreOf(const UciInfo& info);

// "startpos moves e2e4", "fen FEN moves ...": the words after "position"
// that tell an engine the game.
std::string positionWords(const UciGameText& game);

struct AnalysisRequest {
    UciGameText game;                      // the position: the game up to it (see uciGameOf)
    std::chrono::milliseconds time{1000};  // how long the analyst may think
};

struct Analysis {
    std::uint64_t request = 0;           // the number analyse() gave the request
    bool complete = false;               // it thought the whole time asked (not stopped early)
    std::string bestMove;                // UCI notation; empty when it has none
    std::optional<AnalysisScore> score;  // the side to move's view
    std::vector<std::string> line;       // its principal line, UCI notation, from the position
    std::string problem;                 // why it could not answer (French), empty when it did
};

class Analyst {
public:
    // Called once per request, on a thread of the analyst's, never from
    // within analyse() or cancel(); it may ask the next request.
    using Answer = std::function<void(Analysis)>;

    virtual ~Analyst() = default;

    // The engine's name, for the reports: "Quorvel 1.0", "Stockfish 16".
    virtual std::string name() const = 0;
    // Starts analysing and returns the request's number (never 0). A
    // request still running is stopped first; it answers, with what it had.
    virtual std::uint64_t analyse(AnalysisRequest request, Answer answer) = 0;
    // Stops the running request early: it answers soon, with what it found
    // so far (complete false). Nothing when none runs.
    virtual void cancel() = 0;
};

}  // namespace quorvel
