#include "tests/desktop/Processes.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace desktop {
namespace {

std::vector<std::string> environmentWith(const std::vector<std::string>& changes) {
    std::map<std::string, std::string> vars;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const auto eq = entry.find('=');
        if (eq != std::string::npos)
            vars[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    for (const std::string& change : changes) {
        const auto eq = change.find('=');
        if (eq == std::string::npos)
            vars.erase(change);
        else
            vars[change.substr(0, eq)] = change.substr(eq + 1);
    }
    std::vector<std::string> out;
    for (const auto& [name, value] : vars)
        out.push_back(name + "=" + value);
    return out;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> out;
    for (std::string& t : texts)
        out.push_back(t.data());
    out.push_back(nullptr);
    return out;
}

} // namespace

pid_t Spawn(const std::vector<std::string>& argv, const SpawnOptions& options) {
    std::vector<std::string> args = argv;
    std::vector<std::string> env = environmentWith(options.environment);
    std::vector<char*> argp = pointers(args);
    std::vector<char*> envp = pointers(env);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, options.log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    if (options.descriptor3 >= 0)
        posix_spawn_file_actions_adddup2(&actions, options.descriptor3, 3);
    pid_t pid = -1;
    const int failed = posix_spawnp(&pid, argp[0], &actions, nullptr, argp.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return failed ? -1 : pid;
}

std::optional<int> WaitForExit(pid_t pid, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            return status;
        if (done < 0 && errno != EINTR)
            return -1;
        if (std::chrono::steady_clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void End(pid_t& pid) {
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    if (!WaitForExit(pid, std::chrono::seconds(5))) {
        kill(pid, SIGKILL);
        WaitForExit(pid, std::chrono::seconds(5));
    }
    pid = -1;
}

int RunTool(const std::vector<std::string>& argv, const SpawnOptions& options) {
    pid_t pid = Spawn(argv, options);
    if (pid < 0)
        return -1;
    const std::optional<int> status = WaitForExit(pid, std::chrono::seconds(20));
    if (!status) {
        End(pid);
        return -1;
    }
    return WIFEXITED(*status) ? WEXITSTATUS(*status) : -1;
}

bool OnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
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

} // namespace desktop
