#include "match/match_runner.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

#include "match/match_pgn.h"
#include "uci/sync_engine.h"

namespace quorvel {

namespace {

// One engine process of one pair, with its name.
struct Seat {
    std::unique_ptr<SyncEngine> engine;
    std::string name;
};

// Starts engine `index` (0 or 1) and sets its options, each checked against
// what the engine offers, under the name the engine gives it; `notes` gets
// what was changed.
std::variant<Seat, std::string> launch(const MatchSettings& settings, int index,
                                       std::vector<std::string>& notes) {
    const MatchEngine& side = settings.engines[static_cast<std::size_t>(index)];
    const std::string which = "engine " + std::to_string(index + 1);
    Seat seat{std::make_unique<SyncEngine>(makeUciEngine(settings.timeouts)), {}};
    const auto started = seat.engine->start(side.command);
    if (const auto* fault = std::get_if<EngineFault>(&started))
        return which + " ('" + side.command.text() + "') does not answer: " + fault->detail;
    const EngineOffers& offers = std::get<EngineOffers>(started);
    seat.name = offers.name;
    for (const auto& [name, value] : side.options) {
        const UciOption* option = offers.find(name);
        if (option == nullptr) return which + " (" + offers.name + ") has no option '" + name + "'";
        std::string setting = value;
        if (const auto clamped = clampedSpinValue(*option, value)) {
            setting = std::to_string(*clamped);
            notes.push_back(which + " (" + offers.name + "): " + option->name + " " + value + " is outside " +
                            std::to_string(option->min.value_or(0)) + ".." +
                            std::to_string(option->max.value_or(0)) + ": " + setting + " is used");
        }
        if (const auto problem = checkOptionValue(*option, setting))
            return which + " (" + offers.name + "): " + *problem;
        seat.engine->setOption(option->name, setting);
    }
    return seat;
}

GameEnd endOfFault(EngineFaultKind kind) {
    switch (kind) {
        case EngineFaultKind::notAnswering:
            return GameEnd::notAnswering;
        case EngineFaultKind::stopped:
            return GameEnd::engineStopped;
        case EngineFaultKind::illegalMove:
            return GameEnd::illegalMove;
        case EngineFaultKind::timeout:
            return GameEnd::timeout;
    }
    return GameEnd::aborted;
}

class Match {
public:
    Match(const MatchSettings& settings, const std::function<void(const PlayedGame&)>& gameOver,
          const std::function<void(const std::string&)>& notice)
        : settings_(settings), gameOver_(gameOver), notice_(notice) {}

    std::variant<MatchReport, std::string> run() {
        const int pairs = std::clamp(settings_.concurrency, 1, std::max(1, settings_.games));
        // Every pair is started before the first game: a wrong command or
        // option is said before anything is played.
        std::vector<std::array<Seat, 2>> seats(static_cast<std::size_t>(pairs));
        std::vector<std::string> notes;
        for (auto& pair : seats) {
            for (int i = 0; i < 2; ++i) {
                auto seat = launch(settings_, i, notes);
                if (auto* problem = std::get_if<std::string>(&seat)) return *problem;
                pair[static_cast<std::size_t>(i)] = std::move(std::get<Seat>(seat));
            }
            // Every pair sets the same options: the first says what was changed.
            if (&pair == &seats.front() && notice_) {
                for (const std::string& note : notes) notice_(note);
            }
        }
        report_.names = {seats[0][0].name, seats[0][1].name};
        if (report_.names[0] == report_.names[1]) {
            report_.names[0] += " (1)";
            report_.names[1] += " (2)";
        }
        std::vector<std::thread> threads;
        for (auto& pair : seats) threads.emplace_back([this, &pair] { playGames(pair); });
        for (std::thread& thread : threads) thread.join();
        return report_;
    }

private:
    void playGames(std::array<Seat, 2>& pair) {
        while (!stopped_.load()) {
            const int index = next_.fetch_add(1);
            if (index >= settings_.games) return;
            PlayedGame game = play(index, pair);
            {
                std::lock_guard lock(reportMutex_);
                const int score = firstEngineScore(game);
                if (game.verdict.result == GameResult::ongoing) {
                    ++report_.unfinished;
                } else {
                    ++(score > 0   ? report_.score.wins
                       : score < 0 ? report_.score.losses
                                   : report_.score.draws);
                }
                if (gameOver_) gameOver_(game);
            }
            // An engine that ended is started again for the next game.
            for (int i = 0; i < 2; ++i) {
                Seat& seat = pair[static_cast<std::size_t>(i)];
                if (seat.engine->running()) continue;
                seat.engine.reset();
                std::vector<std::string> notes;
                auto again = launch(settings_, i, notes);
                if (auto* problem = std::get_if<std::string>(&again)) {
                    std::lock_guard lock(reportMutex_);
                    if (report_.stoppedBecause.empty()) report_.stoppedBecause = *problem;
                    stopped_.store(true);
                    return;
                }
                seat = std::move(std::get<Seat>(again));
            }
        }
    }

    PlayedGame play(int index, std::array<Seat, 2>& pair) {
        PlayedGame played;
        played.number = index + 1;
        played.firstIsWhite = index % 2 == 0;
        played.white = report_.names[played.firstIsWhite ? 0 : 1];
        played.black = report_.names[played.firstIsWhite ? 1 : 0];
        // Each opening twice in a row, once with each colour.
        const Opening opening =
            settings_.openings.empty()
                ? Opening{}
                : settings_.openings[static_cast<std::size_t>(index / 2) % settings_.openings.size()];
        auto started = MatchGame::start(opening.fen);
        if (auto* problem = std::get_if<std::string>(&started)) {
            played.verdict = {GameResult::ongoing, GameEnd::aborted, *problem};
            return played;
        }
        MatchGame& game = std::get<MatchGame>(started);
        for (const std::string& move : opening.moves) game.play(move);
        for (Seat& seat : pair) seat.engine->newGame();

        std::optional<Verdict> verdict;
        while (!(verdict = game.adjudicate(settings_.maxMoves))) {
            const std::size_t mover = game.whiteToMove() == played.firstIsWhite ? 0 : 1;
            const MatchEngine& side = settings_.engines[mover];
            const SearchOutcome outcome =
                pair[mover].engine->search({game.startFen(), game.moves(), side.limits, side.deadline});
            if (outcome.fault) {
                const EngineFault& fault = *outcome.fault;
                verdict =
                    game.forfeit(endOfFault(fault.kind),
                                 fault.kind == EngineFaultKind::illegalMove ? fault.move : fault.detail);
            } else if (!outcome.answer) {
                verdict = Verdict{GameResult::ongoing, GameEnd::aborted, outcome.refused};
            } else if (!game.play(outcome.answer->move,
                                  moveComment(outcome.answer->info, outcome.answer->elapsed))) {
                verdict = game.forfeit(GameEnd::illegalMove, outcome.answer->move);
            }
            if (verdict) break;
        }
        played.verdict = *verdict;
        MatchPgnTags tags;
        tags.date = settings_.date;
        tags.round = played.number;
        tags.white = played.white;
        tags.black = played.black;
        played.pgn = matchGamePgn(game, played.verdict, tags);
        return played;
    }

    const MatchSettings& settings_;
    const std::function<void(const PlayedGame&)>& gameOver_;
    const std::function<void(const std::string&)>& notice_;
    std::atomic<int> next_{0};
    std::atomic<bool> stopped_{false};
    std::mutex reportMutex_;
    MatchReport report_;  // names written before the games; the rest under reportMutex_
};

}  // namespace

int firstEngineScore(const PlayedGame& game) {
    switch (game.verdict.result) {
        case GameResult::whiteWins:
            return game.firstIsWhite ? 1 : -1;
        case GameResult::blackWins:
            return game.firstIsWhite ? -1 : 1;
        case GameResult::draw:
        case GameResult::ongoing:
            break;
    }
    return 0;
}

std::variant<MatchReport, std::string> runMatch(const MatchSettings& settings,
                                                const std::function<void(const PlayedGame&)>& gameOver,
                                                const std::function<void(const std::string&)>& notice) {
    return Match(settings, gameOver, notice).run();
}

}  // namespace quorvel
