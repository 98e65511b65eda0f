#pragma once
// Child processes: the anchor commands (cp, rm, sync) and the programs whose
// start-up is measured.

#include <string>
#include <sys/resource.h>
#include <vector>

namespace bench {

// The environment of this process, as NAME=value texts.
std::vector<std::string> currentEnvironment();
// `environment` with NAME set to `value`, replacing an earlier setting.
void setVariable(std::vector<std::string>& environment, const std::string& name, const std::string& value);

class Process {
public:
    // Starts argv[0], looked up on PATH when it holds no '/'. `passedFd`, when
    // not -1, is the child's descriptor 3; `quiet` sends its standard error
    // to /dev/null. Throws when it cannot start.
    Process(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
            int passedFd = -1, bool quiet = false);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Waits for the child; throws unless it exited with status 0. Gives its
    // resource usage (ru_maxrss: its peak resident memory in KiB).
    rusage wait();
    void kill() noexcept;
    // Asks the child to end (SIGTERM) and waits for it, whatever its status.
    void terminate() noexcept;

private:
    std::string name_;
    int pid_ = -1;
};

// Runs each command in turn, waiting for each; throws when one fails.
void runCommands(const std::vector<std::vector<std::string>>& commands);

} // namespace bench
