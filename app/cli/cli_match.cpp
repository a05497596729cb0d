// quorvel-cli match: games between two engines (either may be Quorvel's own,
// run as "quorvel-cli uci"), one line per game, then the score and the Elo
// difference, and the games as PGN.

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <mutex>
#include <sstream>
#include <variant>

#include "cli_commands.h"
#include "match/match_runner.h"
#include "uci/known_engines.h"

namespace quorvel::cli {

namespace {

struct MatchRequest {
    MatchSettings settings;
    std::string openingsFile;
    std::optional<int> openingPlies;
    std::string pgnFile;
};

// This program's own file: the built-in engine is this program run as "uci".
std::string ownProgram() {
    char path[4096];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string("quorvel-cli");
}

std::optional<EngineCommand> engineCommand(const std::string& text) {
    if (text == "quorvel") return EngineCommand{ownProgram(), {"uci"}};
    auto command = parseEngineCommand(text);
    // Debian's engines live in /usr/games, which not every PATH names.
    if (command) command->program = findProgram(command->program).value_or(command->program);
    return command;
}

std::variant<MatchRequest, std::string> parseMatchArgs(const Args& args) {
    MatchRequest request;
    MatchSettings& s = request.settings;
    s.date = today();
    std::optional<int> moveTime, depth;
    std::array<std::optional<int>, 2> ownMoveTime, ownDepth;
    std::array<bool, 2> ownTime{false, false}, commandGiven{false, false};
    int ownTimeLimit = 120;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--own-time1" || a == "--own-time2") {
            ownTime[a.back() == '1' ? 0 : 1] = true;
            continue;
        }
        // Every other option takes a value.
        if (a.rfind("--", 0) != 0) return "unexpected '" + a + "'";
        if (i + 1 >= args.size()) return a + " needs a value";
        const std::string& value = args[++i];
        auto number = [&](int low, int high) -> std::optional<int> { return wholeNumber(value, low, high); };
        auto bad = [&] { return "bad value '" + value + "' for " + a; };
        const std::size_t side = !a.empty() && a.back() == '2' ? 1 : 0;
        if (a == "--engine1" || a == "--engine2") {
            const auto command = engineCommand(value);
            if (!command) return "no engine command in '" + value + "' for " + a;
            s.engines[side].command = *command;
            commandGiven[side] = true;
        } else if (a == "--option1" || a == "--option2") {
            const std::size_t equals = value.find('=');
            if (equals == std::string::npos || equals == 0)
                return a + " takes NAME=VALUE, not '" + value + "'";
            s.engines[side].options.emplace_back(value.substr(0, equals), value.substr(equals + 1));
        } else if (a == "--games") {
            if (!(s.games = number(1, 1000000).value_or(0))) return bad();
        } else if (a == "--movetime" || a == "--movetime1" || a == "--movetime2") {
            const auto ms = number(1, 86400000);
            if (!ms) return bad();
            (a == "--movetime" ? moveTime : ownMoveTime[side]) = ms;
        } else if (a == "--depth" || a == "--depth1" || a == "--depth2") {
            const auto plies = number(1, 1000);
            if (!plies) return bad();
            (a == "--depth" ? depth : ownDepth[side]) = plies;
        } else if (a == "--own-time-limit") {
            if (!(ownTimeLimit = number(1, 86400).value_or(0))) return bad();
        } else if (a == "--openings") {
            request.openingsFile = value;
        } else if (a == "--opening-plies") {
            if (!(request.openingPlies = number(0, 1000))) return bad();
        } else if (a == "--pgn") {
            request.pgnFile = value;
        } else if (a == "--concurrency") {
            if (!(s.concurrency = number(1, 64).value_or(0))) return bad();
        } else if (a == "--max-moves") {
            const auto cap = number(0, 100000);
            if (!cap) return bad();
            s.maxMoves = *cap;
        } else {
            return "unknown option '" + a + "'";
        }
    }
    for (std::size_t side = 0; side < 2; ++side) {
        const std::string n = std::to_string(side + 1);
        if (!commandGiven[side]) return "--engine" + n + " is missing";
        MatchEngine& engine = s.engines[side];
        if (ownTime[side]) {
            // The engine brings its own thinking time: a bare "go", and a deadline that allows for it.
            if (ownMoveTime[side] || ownDepth[side]) return "--own-time" + n + " takes no movetime or depth";
            engine.deadline = std::chrono::seconds(ownTimeLimit);
            continue;
        }
        // An engine's own bounds replace the common ones, both of them.
        const bool own = ownMoveTime[side] || ownDepth[side];
        const auto ms = own ? ownMoveTime[side] : moveTime;
        const auto plies = own ? ownDepth[side] : depth;
        if (!ms && !plies) return "engine " + n + " needs --movetime, --depth or --own-time" + n;
        if (ms) engine.limits.moveTime = *ms;
        if (plies) engine.limits.depth = *plies;
    }
    return request;
}

std::optional<std::string> readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

int runMatch(const Args& args) {
    auto parsed = parseMatchArgs(args);
    if (const auto* message = std::get_if<std::string>(&parsed)) return usageError(*message);
    MatchRequest& request = std::get<MatchRequest>(parsed);
    if (!request.openingsFile.empty()) {
        const auto text = readWholeFile(request.openingsFile);
        if (!text) return usageError("cannot read the openings '" + request.openingsFile + "'");
        auto openings = readOpenings(*text, request.openingPlies);
        if (const auto* problem = std::get_if<std::string>(&openings))
            return usageError("openings '" + request.openingsFile + "', " + *problem);
        request.settings.openings = std::move(std::get<std::vector<Opening>>(openings));
    }
    std::ofstream pgn;
    if (!request.pgnFile.empty()) {
        pgn.open(request.pgnFile, std::ios::binary | std::ios::trunc);
        if (!pgn) return usageError("cannot write the PGN file '" + request.pgnFile + "'");
    }

    const auto outcome = quorvel::runMatch(
        request.settings,
        [&](const PlayedGame& game) {
            std::printf("game %d: %s - %s  %s  %s\n", game.number, game.white.c_str(), game.black.c_str(),
                        resultToken(game.verdict.result), verdictSentence(game.verdict).c_str());
            std::fflush(stdout);
            if (pgn) {
                pgn << game.pgn;
                pgn.flush();
            }
        },
        [](const std::string& note) { std::fprintf(stderr, "quorvel-cli: %s\n", note.c_str()); });
    if (const auto* problem = std::get_if<std::string>(&outcome)) return usageError(*problem);
    const MatchReport& report = std::get<MatchReport>(outcome);
    const MatchScore& score = report.score;
    const int games = score.games();
    const double share = games > 0 ? 100.0 * (score.wins + score.draws / 2.0) / games : 0.0;
    std::printf("%s against %s: W-D-L %d-%d-%d, %.1f %% in %d games\n", report.names[0].c_str(),
                report.names[1].c_str(), score.wins, score.draws, score.losses, share, games);
    const EloEstimate elo = estimateElo(score);
    std::printf("Elo difference: %s, LOS %.1f %%\n", describeElo(elo).c_str(),
                100.0 * elo.likelihoodOfSuperiority);
    if (report.unfinished > 0)
        std::printf("%d games could not go on and count for no one\n", report.unfinished);
    if (pgn && !pgn.flush()) return usageError("cannot write the PGN file '" + request.pgnFile + "'");
    if (!report.stoppedBecause.empty()) {
        std::fprintf(stderr, "quorvel-cli: the match stopped: %s\n", report.stoppedBecause.c_str());
        return 1;
    }
    return 0;
}

}  // namespace quorvel::cli
