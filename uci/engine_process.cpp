#include "uci/engine_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <string_view>
#include <vector>

extern char** environ;

namespace quorvel {

namespace {

// A pipe whose two ends are closed in any program started later; the
// child's ends are given to it as its standard streams by the spawn.
struct Pipe {
    int read = -1, write = -1;
};

bool openPipe(Pipe& pipe) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return false;
    pipe = {ends[0], ends[1]};
    return true;
}

void closeFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

// Our end only: the child's end of the same pipe is another open file and
// stays blocking, as programs expect of their streams.
void makeNonBlocking(int fd) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
}

// A descriptor that becomes readable when the child ends, so the reading
// thread waits for the end with the streams, never by asking in a loop.
int openExitFd(pid_t pid) {
#ifdef SYS_pidfd_open
    const long fd = ::syscall(SYS_pidfd_open, pid, 0);
    return fd >= 0 ? static_cast<int>(fd) : -1;
#else
    (void)pid;
    return -1;
#endif
}

}  // namespace

std::string describeExit(int status) {
    if (WIFEXITED(status)) return "exit status " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status)) {
        const int number = WTERMSIG(status);
        const char* name = ::sigabbrev_np(number);
        return "killed by signal " + std::to_string(number) + (name ? std::string(" (SIG") + name + ")" : "");
    }
    return "ended with status " + std::to_string(status);
}

std::vector<std::string> engineEnvironment(const std::string& program,
                                           const std::vector<std::string>& environment) {
    std::vector<std::string> result = environment;
    const std::size_t slash = program.rfind('/');
    if (slash == std::string::npos) return result;
    const std::string folder = slash == 0 ? std::string("/") : program.substr(0, slash);
    auto path = std::find_if(result.begin(), result.end(),
                             [](const std::string& entry) { return entry.starts_with("PATH="); });
    if (path == result.end()) {
        result.push_back("PATH=");
        path = result.end() - 1;
    }
    const std::string_view folders = std::string_view(*path).substr(5);
    for (std::size_t at = 0; at <= folders.size();) {
        const std::size_t colon = std::min(folders.find(':', at), folders.size());
        if (folders.substr(at, colon - at) == folder) return result;
        at = colon + 1;
    }
    if (!folders.empty()) path->push_back(':');
    path->append(folder);
    return result;
}

std::variant<std::unique_ptr<EngineProcess>, std::string> EngineProcess::spawn(const EngineCommand& command) {
    const std::string quoted = "cannot start '" + command.program + "': ";
    if (command.program.empty()) return quoted + "no program named";
    Pipe in, out, err;
    if (!openPipe(in) || !openPipe(out) || !openPipe(err)) {
        const std::string reason = std::strerror(errno);
        for (Pipe* p : {&in, &out, &err}) {
            closeFd(p->read);
            closeFd(p->write);
        }
        return quoted + reason;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in.read, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out.write, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err.write, STDERR_FILENO);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    // Signals a parent may ignore (a shell's nohup, a program that ignores
    // SIGPIPE) would stay ignored in the child.
    for (int s : {SIGPIPE, SIGINT, SIGQUIT, SIGHUP, SIGTERM, SIGCHLD, SIGALRM, SIGUSR1, SIGUSR2})
        sigaddset(&defaults, s);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(command.program.c_str()));
    for (const std::string& argument : command.arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    std::vector<std::string> inherited;
    for (char** entry = environ; *entry != nullptr; ++entry) inherited.emplace_back(*entry);
    const std::vector<std::string> environment = engineEnvironment(command.program, inherited);
    std::vector<char*> envp;
    for (const std::string& entry : environment) envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);

    pid_t pid = -1;
    // A name without a slash is looked up on PATH, as a shell would.
    const int error =
        ::posix_spawnp(&pid, command.program.c_str(), &actions, &attributes, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    closeFd(in.read);
    closeFd(out.write);
    closeFd(err.write);
    if (error != 0) {
        closeFd(in.write);
        closeFd(out.read);
        closeFd(err.read);
        return quoted + std::strerror(error);
    }

    std::unique_ptr<EngineProcess> process(new EngineProcess);
    process->pid_ = pid;
    process->input_ = in.write;
    process->output_ = out.read;
    process->errors_ = err.read;
    for (int fd : {in.write, out.read, err.read}) makeNonBlocking(fd);
    process->exitFd_ = openExitFd(pid);
    return process;
}

EngineProcess::~EngineProcess() {
    if (!reaped()) killAndReap();
    closeInput();
    closeOutput();
    closeErrors();
    closeFd(exitFd_);
}

void EngineProcess::closeInput() {
    closeFd(input_);
}

void EngineProcess::closeOutput() {
    closeFd(output_);
}

void EngineProcess::closeErrors() {
    closeFd(errors_);
}

void EngineProcess::signal(int number) {
    // Until it is reaped the process keeps its number, so the group is
    // ours; the process itself is named too, in case it left the group.
    if (reaped() || pid_ <= 0) return;
    ::kill(-pid_, number);
    ::kill(pid_, number);
}

std::optional<std::string> EngineProcess::reapIfEnded() {
    if (exit_) return exit_;
    int status = 0;
    pid_t result;
    do {
        result = ::waitpid(pid_, &status, WNOHANG);
    } while (result < 0 && errno == EINTR);
    if (result == pid_) {
        exit_ = describeExit(status);
    } else if (result < 0) {
        exit_ = std::string("lost: ") + std::strerror(errno);  // reaped elsewhere
    }
    if (exit_) closeFd(exitFd_);
    return exit_;
}

std::string EngineProcess::killAndReap() {
    if (exit_) return *exit_;
    signal(SIGKILL);
    int status = 0;
    pid_t result;
    do {
        result = ::waitpid(pid_, &status, 0);
    } while (result < 0 && errno == EINTR);
    exit_ = result == pid_ ? describeExit(status) : std::string("lost: ") + std::strerror(errno);
    closeFd(exitFd_);
    return *exit_;
}

}  // namespace quorvel
