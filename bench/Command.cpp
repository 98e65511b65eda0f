#include "bench/Command.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>

extern char** environ;

namespace bench {
namespace {

std::vector<char*> pointersTo(const std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (const std::string& t : texts)
        pointers.push_back(const_cast<char*>(t.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

std::vector<std::string> currentEnvironment() {
    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e)
        environment.emplace_back(*e);
    return environment;
}

void setVariable(std::vector<std::string>& environment, const std::string& name, const std::string& value) {
    const std::string prefix = name + "=";
    std::erase_if(environment, [&](const std::string& e) { return e.starts_with(prefix); });
    environment.push_back(prefix + value);
}

Process::Process(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                 int passedFd, bool quiet)
    : name_(argv.at(0)) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (passedFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, passedFd, 3);
    if (quiet)
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> args = pointersTo(argv);
    std::vector<char*> env = pointersTo(environment);
    const int error = ::posix_spawnp(&pid_, name_.c_str(), &actions, nullptr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        throw std::runtime_error("cannot start " + name_ + ": " + std::strerror(error));
}

Process::~Process() {
    if (pid_ > 0) {
        kill();
        ::waitpid(pid_, nullptr, 0);
    }
}

rusage Process::wait() {
    int status = 0;
    rusage usage{};
    pid_t got;
    while ((got = ::wait4(pid_, &status, 0, &usage)) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    if (got < 0)
        throw std::runtime_error("cannot wait for " + name_ + ": " + std::strerror(errno));
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(name_ + " failed (wait status " + std::to_string(status) + ")");
    return usage;
}

void Process::kill() noexcept {
    if (pid_ > 0)
        ::kill(pid_, SIGKILL);
}

void Process::terminate() noexcept {
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGTERM);
    while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
}

void runCommands(const std::vector<std::vector<std::string>>& commands) {
    // Taken once: the commands are timed, the copying of the environment is not ours to time.
    static const std::vector<std::string> environment = currentEnvironment();
    for (const std::vector<std::string>& argv : commands)
        Process(argv, environment).wait();
}

} // namespace bench
