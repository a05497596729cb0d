#pragma once
// A program started as a child with its three standard streams on pipes:
// the one owner of that process. It is started in a process group of its
// own (so the signals that end it reach any helper it started too), with
// the default signal handling and no signal blocked, whatever the caller's
// thread had; the pipes' ends are closed in every other program this
// process starts. Destroying it kills and reaps a process still running:
// no child is ever left behind.
//
// Not thread-safe: one thread drives it.

#include <sys/types.h>

#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "uci/engine_command.h"

namespace quorvel {

class EngineProcess {
public:
    // The running process, or why it could not start ("cannot start 'x':
    // No such file or directory").
    static std::variant<std::unique_ptr<EngineProcess>, std::string> spawn(const EngineCommand& command);

    ~EngineProcess();
    EngineProcess(const EngineProcess&) = delete;
    EngineProcess& operator=(const EngineProcess&) = delete;

    // Our ends of its streams, non-blocking; -1 once closed.
    int inputFd() const { return input_; }
    int outputFd() const { return output_; }
    int errorFd() const { return errors_; }
    // Readable once the process has ended; -1 when the system offers no way
    // to wait for a child this way (then ask reapIfEnded() from time to time).
    int exitFd() const { return exitFd_; }
    pid_t pid() const { return pid_; }

    void closeInput();
    void closeOutput();
    void closeErrors();

    // Sends `signal` to the process group; nothing once reaped.
    void signal(int signal);

    // Reaps the process when it has ended: how it ended ("exit status 3",
    // "killed by signal 11"); nullopt while it runs. Once reaped, the same
    // text again.
    std::optional<std::string> reapIfEnded();
    // SIGKILL to the group, then waits for the process: the last resort,
    // which a process cannot refuse.
    std::string killAndReap();
    bool reaped() const { return exit_.has_value(); }

private:
    EngineProcess() = default;

    pid_t pid_ = -1;
    int input_ = -1, output_ = -1, errors_ = -1, exitFd_ = -1;
    std::optional<std::string> exit_;
};

// The environment an engine is started with: `environment` (NAME=value
// texts) with the engine's own folder at the end of PATH when `program` is
// a path. Debian's gnuchessu, in /usr/games, runs "gnuchess" by name, which
// a PATH without /usr/games would not find.
std::vector<std::string> engineEnvironment(const std::string& program,
                                           const std::vector<std::string>& environment);

// How a status from waitpid reads.
std::string describeExit(int status);

}  // namespace quorvel
