#pragma once
// Child processes of the desktop tests: started with a chosen environment,
// no standard input and their output in a log file, and ended by their own
// process id only.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace desktop {

struct SpawnOptions {
    // "NAME=value" replaces or adds a variable; "NAME" alone removes it.
    std::vector<std::string> environment;
    std::filesystem::path log = "/dev/null";
    // Handed to the child as its descriptor 3, when set.
    int descriptor3 = -1;
};

// The new child's process id; -1 when it could not be started.
pid_t Spawn(const std::vector<std::string>& argv, const SpawnOptions& options = {});

// The child's exit status (as waitpid gives it) once it has ended within
// `limit`; nothing while it still runs.
std::optional<int> WaitForExit(pid_t pid, std::chrono::milliseconds limit);

// Asks the child to stop, then stops it, and collects it; sets `pid` to -1.
void End(pid_t& pid);

// Runs a tool to its end; its exit code, or -1.
int RunTool(const std::vector<std::string>& argv, const SpawnOptions& options = {});

// Whether a program of that name is on PATH.
bool OnPath(const std::string& program);

} // namespace desktop
