#include "harness/ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace harness {
namespace {

std::vector<std::string> environmentWith(const std::vector<std::string>& changes) {
    std::map<std::string, std::string> vars;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::size_t eq = entry.find('=');
        if (eq != std::string::npos)
            vars[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    for (const std::string& change : changes) {
        const std::size_t eq = change.find('=');
        if (eq == std::string::npos)
            vars.erase(change);
        else
            vars[change.substr(0, eq)] = change.substr(eq + 1);
    }
    std::vector<std::string> entries;
    for (const auto& [name, value] : vars)
        entries.push_back(name + "=" + value);
    return entries;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> p;
    for (std::string& t : texts)
        p.push_back(t.data());
    p.push_back(nullptr);
    return p;
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const ChildOptions& options) {
    using Output = ChildOptions::Output;
    int out[2] = {-1, -1}, err[2] = {-1, -1};
    if (options.output == Output::Captured) {
        if (pipe2(out, O_CLOEXEC) != 0)
            return;
        if (pipe2(err, O_CLOEXEC) != 0) {
            close(out[0]);
            close(out[1]);
            return;
        }
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (options.output == Output::Captured) {
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    } else if (options.output == Output::ToFile) {
        posix_spawn_file_actions_addopen(&actions, 1, options.file.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                         0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
    }
    // Duplicating a descriptor onto itself would leave it closed on exec.
    const int spare = options.descriptor3 == 3 ? fcntl(3, F_DUPFD_CLOEXEC, 10) : -1;
    if (options.descriptor3 >= 0)
        posix_spawn_file_actions_adddup2(&actions, spare >= 0 ? spare : options.descriptor3, 3);

    std::vector<std::string> args = argv;
    std::vector<std::string> vars = environmentWith(options.environment);
    std::vector<char*> argp = pointers(args);
    std::vector<char*> envp = pointers(vars);
    pid_t pid = -1;
    if (!args.empty() && posix_spawnp(&pid, argp[0], &actions, nullptr, argp.data(), envp.data()) == 0)
        pid_ = pid;
    posix_spawn_file_actions_destroy(&actions);
    if (spare >= 0)
        close(spare);
    if (options.output == Output::Captured) {
        close(out[1]);
        close(err[1]);
        outFd_ = out[0];
        errFd_ = err[0];
        fcntl(outFd_, F_SETFL, O_NONBLOCK);
        fcntl(errFd_, F_SETFL, O_NONBLOCK);
    }
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

// Collects the child's status and usage if it has ended (or, without
// WNOHANG, once it has); whether it has.
bool ChildProcess::reap(int flags) {
    int status = 0;
    pid_t got;
    while ((got = wait4(pid_, &status, flags, &usage_)) < 0 && errno == EINTR) {
    }
    if (got == 0)
        return false;
    status_ = got == pid_ ? status : -1;
    drain(true);
    return true;
}

std::optional<int> ChildProcess::waitFor(std::chrono::milliseconds limit) {
    if (status_ || pid_ <= 0)
        return status_;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        drain(false);
        if (reap(WNOHANG))
            return status_;
        if (std::chrono::steady_clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

int ChildProcess::wait() {
    if (pid_ <= 0)
        return -1;
    // Captured output is read as it comes, so that a full pipe never stops
    // the child.
    while (!status_ && (outFd_ >= 0 ? !waitFor(std::chrono::hours(1)) : !reap(0))) {
    }
    return *status_;
}

void ChildProcess::end() {
    if (pid_ <= 0 || status_)
        return;
    kill(pid_, SIGTERM);
    if (!waitFor(std::chrono::seconds(5))) {
        kill(pid_, SIGKILL);
        reap(0);
    }
}

std::optional<std::string> RunCommand(const std::vector<std::string>& argv,
                                      const std::vector<std::string>& environment,
                                      std::chrono::milliseconds limit) {
    ChildProcess child(argv, {.environment = environment});
    if (!child.started())
        return std::nullopt;
    const std::optional<int> status = child.waitFor(limit);
    if (!status || !WIFEXITED(*status) || WEXITSTATUS(*status) != 0)
        return std::nullopt;
    return child.standardOutput();
}

std::string ReadLine(int fd, std::chrono::milliseconds limit) {
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (text.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p{fd, POLLIN, 0};
        const int ready = left.count() > 0 ? poll(&p, 1, static_cast<int>(left.count())) : 0;
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return {};
        char chunk[64];
        const ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return {};
        text.append(chunk, static_cast<std::size_t>(n));
    }
    return text.substr(0, text.find('\n'));
}

bool OnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    const std::string dirs = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        const std::size_t end = std::min(dirs.find(':', start), dirs.size());
        const std::string dir = dirs.substr(start, end - start);
        if (!dir.empty() && access((dir + "/" + program).c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

} // namespace harness
