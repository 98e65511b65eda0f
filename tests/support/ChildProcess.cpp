#include "tests/support/ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace testing_support {
namespace {

std::vector<std::string> environmentFor(const Environment& env) {
    std::map<std::string, std::string> vars;
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        const std::size_t eq = entry.find('=');
        if (eq != std::string::npos)
            vars[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    for (const std::string& name : env.unset)
        vars.erase(name);
    for (const auto& [name, value] : env.set)
        vars[name] = value;
    std::vector<std::string> entries;
    for (const auto& [name, value] : vars)
        entries.push_back(name + "=" + value);
    return entries;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> p;
    for (std::string& s : strings)
        p.push_back(s.data());
    p.push_back(nullptr);
    return p;
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const Environment& env,
                           std::optional<int> extraFd) {
    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        return;
    if (pipe2(err, O_CLOEXEC) != 0) {
        close(out[0]);
        close(out[1]);
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    // Duplicating a descriptor onto itself would leave it closed on exec.
    const int spare = extraFd && *extraFd == 3 ? fcntl(3, F_DUPFD_CLOEXEC, 10) : -1;
    if (extraFd)
        posix_spawn_file_actions_adddup2(&actions, spare >= 0 ? spare : *extraFd, 3);

    std::vector<std::string> args = argv;
    std::vector<std::string> vars = environmentFor(env);
    std::vector<char*> argp = pointers(args);
    std::vector<char*> envp = pointers(vars);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argp[0], &actions, nullptr, argp.data(), envp.data()) == 0)
        pid_ = pid;
    posix_spawn_file_actions_destroy(&actions);
    if (spare >= 0)
        close(spare);
    close(out[1]);
    close(err[1]);
    outFd_ = out[0];
    errFd_ = err[0];
    fcntl(outFd_, F_SETFL, O_NONBLOCK);
    fcntl(errFd_, F_SETFL, O_NONBLOCK);
}

ChildProcess::~ChildProcess() {
    end();
    if (outFd_ >= 0)
        close(outFd_);
    if (errFd_ >= 0)
        close(errFd_);
}

// Reads what the pipes hold now, or, once the child has ended, all of it.
void ChildProcess::drain(bool untilClosed) {
    for (auto [fd, text] : {std::pair{outFd_, &out_}, std::pair{errFd_, &err_}}) {
        if (fd < 0)
            continue;
        char buffer[4096];
        for (;;) {
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n > 0) {
                text->append(buffer, static_cast<std::size_t>(n));
                continue;
            }
            if (n < 0 && errno == EAGAIN && untilClosed) {
                pollfd p{fd, POLLIN, 0};
                if (poll(&p, 1, 1000) > 0)
                    continue;
            }
            break;
        }
    }
}

std::optional<int> ChildProcess::waitFor(std::chrono::milliseconds limit) {
    if (status_ || pid_ <= 0)
        return status_;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        drain(false);
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            status_ = status;
            drain(true);
            return status_;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void ChildProcess::end() {
    if (pid_ <= 0 || status_)
        return;
    kill(pid_, SIGTERM);
    if (!waitFor(std::chrono::seconds(3))) {
        kill(pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
        status_ = status;
    }
}

std::optional<std::string> RunCommand(const std::vector<std::string>& argv, const Environment& env,
                                      std::chrono::milliseconds limit) {
    ChildProcess child(argv, env);
    if (!child.started())
        return std::nullopt;
    const std::optional<int> status = child.waitFor(limit);
    if (!status || !WIFEXITED(*status) || WEXITSTATUS(*status) != 0)
        return std::nullopt;
    return child.standardOutput();
}

} // namespace testing_support
