// A scripted UCI engine for the client's tests: it plays legal moves on
// command, or misbehaves as told by its arguments (any number of them):
//
//   crash-at-start     exits with status 3 before reading anything
//   no-uciok           answers "uci" with its name, never with "uciok"
//   slow-ready=MS      answers "isready" after MS milliseconds
//   crash-on-go=N      aborts at its Nth "go" (from 1)
//   exit-on-go=N       exits with status 0 at its Nth "go"
//   hang-on-go=N       never answers its Nth "go" and those after, not even "stop"
//   illegal-on-go=N    answers its Nth "go" with an illegal move
//   malformed-on-go=N  answers its Nth "go" with "bestmove" and nothing else
//   flood=N            sends N info lines before each bestmove
//   long-line=N        sends a line of N bytes at each "go"
//   junk               sends lines that are no protocol, control bytes among them
//   spurious-bestmove  sends a bestmove nobody asked for after each "ucinewgame"
//   answer-idle-stop   answers "stop" with a bestmove even when not searching
//   slow-stop=MS       answers "stop" MS milliseconds late
//   ignore-quit        ignores "quit" and the end of its input
//   ignore-term        ignores SIGTERM
//   stderr-flood=N     writes N bytes to its error stream at start
//   close-output       closes its output after the first "readyok" and lives on
//   think=MS           thinks MS milliseconds (default 20), less when "movetime" says so
//   name=TEXT          its "id name" (default "Fake Engine")
//   no-elo             offers no UCI_LimitStrength and UCI_Elo
//   no-skill           offers no "Skill Level"
//   log=FILE           writes every line it reads ("< ") and writes ("> ") to FILE
//
// It is strict about the protocol: a "go", "position", "setoption" or
// "ucinewgame" while it owes a bestmove, a second "stop" for one search, or a "setoption" without
// "value" for an option other than a button make it exit at once with
// status 40 and a word on its error stream, which the client sees as an
// engine that stopped.

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "rules/perft.h"
#include "rules/uci_move.h"
#include "rules/uci_position.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

struct Script {
    bool crashAtStart = false, noUciOk = false, junk = false, spuriousBestMove = false;
    bool answerIdleStop = false, ignoreQuit = false, ignoreTerm = false, closeOutput = false;
    bool noElo = false, noSkill = false;
    int slowReady = 0, crashOnGo = 0, exitOnGo = 0, hangOnGo = 0, illegalOnGo = 0, malformedOnGo = 0;
    long flood = 0, longLine = 0, stderrFlood = 0;
    int slowStop = -1;
    int think = 20;
    std::string name = "Fake Engine";
    std::string log;
};

Script readScript(int argc, char** argv) {
    Script s;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        const std::size_t equals = word.find('=');
        const std::string key = word.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : word.substr(equals + 1);
        const long number = std::atol(value.c_str());
        const int small = static_cast<int>(number);
        if (key == "crash-at-start") s.crashAtStart = true;
        if (key == "no-uciok") s.noUciOk = true;
        if (key == "junk") s.junk = true;
        if (key == "spurious-bestmove") s.spuriousBestMove = true;
        if (key == "answer-idle-stop") s.answerIdleStop = true;
        if (key == "ignore-quit") s.ignoreQuit = true;
        if (key == "ignore-term") s.ignoreTerm = true;
        if (key == "close-output") s.closeOutput = true;
        if (key == "no-elo") s.noElo = true;
        if (key == "no-skill") s.noSkill = true;
        if (key == "slow-ready") s.slowReady = small;
        if (key == "crash-on-go") s.crashOnGo = small;
        if (key == "exit-on-go") s.exitOnGo = small;
        if (key == "hang-on-go") s.hangOnGo = small;
        if (key == "illegal-on-go") s.illegalOnGo = small;
        if (key == "malformed-on-go") s.malformedOnGo = small;
        if (key == "flood") s.flood = number;
        if (key == "long-line") s.longLine = number;
        if (key == "stderr-flood") s.stderrFlood = number;
        if (key == "slow-stop") s.slowStop = small;
        if (key == "think") s.think = small;
        if (key == "name") s.name = value;
        if (key == "log") s.log = value;
    }
    return s;
}

class FakeEngine {
public:
    explicit FakeEngine(Script script) : s_(std::move(script)) {
        if (!s_.log.empty()) log_.open(s_.log, std::ios::app);
    }

    int run() {
        if (s_.stderrFlood > 0) {
            const std::string chunk(4096, 'e');
            for (long written = 0; written < s_.stderrFlood; written += 4096)
                if (::write(2, chunk.data(), chunk.size()) < 0) break;
        }
        std::string pending;
        while (true) {
            int timeout = -1;
            if (searching_ && !hung_ && answerAt_) {
                timeout = static_cast<int>(std::max<long long>(
                    0, std::chrono::duration_cast<milliseconds>(*answerAt_ - Clock::now()).count()));
            }
            pollfd in{0, POLLIN, 0};
            const int ready = inputOpen_ ? ::poll(&in, 1, timeout) : ::poll(nullptr, 0, timeout);
            if (ready == 0 || (answerAt_ && Clock::now() >= *answerAt_ && searching_ && !hung_)) {
                answer();
                continue;
            }
            if (!inputOpen_) continue;
            char buffer[4096];
            const ssize_t n = ::read(0, buffer, sizeof buffer);
            if (n <= 0) {
                // The end of the input is a quit, unless told to ignore it.
                inputOpen_ = false;
                if (!s_.ignoreQuit) return 0;
                if (!searching_ || hung_) ::pause();
                continue;
            }
            pending.append(buffer, static_cast<std::size_t>(n));
            for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
                std::string line = pending.substr(0, end);
                pending.erase(0, end + 1);
                if (!line.empty() && line.back() == '\r') line.pop_back();
                if (log_) log_ << "< " << line << std::endl;
                if (!handle(line)) return 0;
            }
        }
    }

private:
    void say(const std::string& line) {
        if (log_) log_ << "> " << line.substr(0, 200) << std::endl;
        if (outputClosed_) return;
        const std::string text = line + "\n";
        if (::write(1, text.data(), text.size()) < 0) {
        }
    }

    [[noreturn]] void protocolError(const std::string& what) {
        const std::string text = "fake engine: protocol error: " + what + "\n";
        if (log_) log_ << "! " << what << std::endl;
        if (::write(2, text.data(), text.size()) < 0) {
        }
        std::_Exit(40);
    }

    // False on "quit".
    bool handle(const std::string& line) {
        const std::string command = line.substr(0, line.find(' '));
        const std::string arguments = line.size() > command.size() ? line.substr(command.size() + 1) : "";
        if (command == "uci") {
            say("id name " + s_.name);
            say("id author the Quorvel tests");
            if (s_.junk) junk();
            say("option name Hash type spin default 16 min 1 max 1024");
            if (!s_.noSkill) say("option name Skill Level type spin default 20 min 0 max 20");
            if (!s_.noElo) {
                say("option name UCI_LimitStrength type check default false");
                say("option name UCI_Elo type spin default 1500 min 1320 max 3190");
            }
            say("option name Play Style type combo default Normal var Solid var Normal var Risky Play");
            say("option name Book File type string default <empty>");
            say("option name Clear Hash type button");
            if (!s_.noUciOk) say("uciok");
        } else if (command == "isready") {
            if (s_.slowReady > 0) ::usleep(static_cast<useconds_t>(s_.slowReady) * 1000);
            say("readyok");
            if (s_.closeOutput && !outputClosed_) {
                ::close(1);
                outputClosed_ = true;
            }
        } else if (command == "setoption") {
            if (searching_) protocolError("setoption during a search");
            const bool button = arguments.find("Clear Hash") != std::string::npos;
            if (!button && arguments.find(" value") == std::string::npos)
                protocolError("setoption without value");
        } else if (command == "ucinewgame") {
            if (searching_) protocolError("ucinewgame during a search");
            if (s_.spuriousBestMove) say("bestmove e2e4");
        } else if (command == "position") {
            if (searching_) protocolError("position during a search");
            position_ = arguments;
        } else if (command == "go") {
            go(arguments);
        } else if (command == "stop") {
            if (searching_) {
                if (stopSeen_) protocolError("a second stop for one search");
                stopSeen_ = true;
                if (!hung_) answerAt_ = Clock::now() + milliseconds(std::max(0, s_.slowStop));
            } else if (s_.answerIdleStop) {
                say("bestmove a1a1");
            }
        } else if (command == "quit") {
            return s_.ignoreQuit;
        }
        // "ucinewgame" and anything else need nothing.
        return true;
    }

    void junk() {
        say("Hello from the fake engine, which prints what it likes");
        say(std::string("\x01\x02\xff\xfe binary \x7f bytes"));
        say("info string just text");
        say("readyok");  // nobody asked
        say("uciokay");
        say("");
    }

    void go(const std::string& arguments) {
        if (searching_) protocolError("go while a bestmove is owed");
        ++goCount_;
        if (goCount_ == s_.crashOnGo) {
            say("info depth 1 score cp 10 pv e2e4");
            std::abort();
        }
        if (goCount_ == s_.exitOnGo) std::exit(0);
        searching_ = true;
        stopSeen_ = false;
        hung_ = s_.hangOnGo > 0 && goCount_ >= s_.hangOnGo;
        if (s_.longLine > 0) say(std::string(static_cast<std::size_t>(s_.longLine), 'x'));
        if (s_.junk) junk();
        answerAt_.reset();
        if (arguments.find("infinite") != std::string::npos) return;
        int think = s_.think;
        const std::size_t at = arguments.find("movetime ");
        if (at != std::string::npos) think = std::min(think, std::atoi(arguments.c_str() + at + 9));
        answerAt_ = Clock::now() + milliseconds(think);
    }

    void answer() {
        searching_ = false;
        answerAt_.reset();
        const auto setUp = quorvel::setUpUciPosition(position_);
        std::vector<std::string> moves;
        if (setUp.position) {
            const quorvel::GameRecord& r = *setUp.position->record;
            for (const auto& move : quorvel::legalMoves(r.current, r.state, true))
                moves.push_back(quorvel::uciMoveOf(move, r.playerIsBlack));
        }
        for (long i = 0; i < s_.flood; ++i)
            say("info depth " + std::to_string(i % 60 + 1) + " score cp " + std::to_string(i % 100) +
                " nodes " + std::to_string(i * 1000) + " pv " + (moves.empty() ? "0000" : moves.front()));
        if (goCount_ == s_.malformedOnGo) {
            say("bestmove");
            return;
        }
        if (goCount_ == s_.illegalOnGo) {
            for (const char* candidate : {"e2e5", "a1a8", "h8h1", "d1d8"}) {
                if (std::find(moves.begin(), moves.end(), candidate) == moves.end()) {
                    say(std::string("bestmove ") + candidate);
                    return;
                }
            }
        }
        // A move that changes with the game, so games do not all look alike.
        const std::string move = moves.empty() ? "0000" : moves[(position_.size() * 7) % moves.size()];
        say("info depth 3 seldepth 5 score cp 12 nodes 4242 nps 100000 time 42 pv " + move);
        say("bestmove " + move);
    }

    Script s_;
    std::ofstream log_;
    std::string position_ = "startpos";
    bool inputOpen_ = true, outputClosed_ = false;
    bool searching_ = false, stopSeen_ = false, hung_ = false;
    std::optional<Clock::time_point> answerAt_;
    int goCount_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    Script script = readScript(argc, argv);
    if (script.crashAtStart) {
        std::fputs("fake engine: crashing at start\n", stderr);
        return 3;
    }
    if (script.ignoreTerm) std::signal(SIGTERM, SIG_IGN);
    return FakeEngine(std::move(script)).run();
}
