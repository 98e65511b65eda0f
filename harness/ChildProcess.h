#pragma once
// A child process for the tests and benchmarks that run real programs:
// started with this process's environment changed as asked and no standard
// input, its output captured, appended to a file or left as this process's,
// waited for with or without a time limit, and ended by its own process id
// only (other programs of the same name may belong to someone else).

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/types.h>
#include <vector>

namespace harness {

struct ChildOptions {
    // Changes to this process's environment, in order: "NAME=value" sets or
    // replaces a variable, "NAME" alone removes it.
    std::vector<std::string> environment{};
    enum class Output { Captured, ToFile, Inherited };
    // Where standard output and error go. Captured output is read while the
    // child is waited for and kept for standardOutput() and standardError().
    Output output = Output::Captured;
    std::filesystem::path file = "/dev/null"; // for ToFile; both are appended to it
    // Handed to the child as its descriptor 3, when set.
    int descriptor3 = -1;
};

class ChildProcess {
public:
    // Starts argv[0], looked up on PATH when it holds no '/'; started() says
    // whether it could.
    explicit ChildProcess(const std::vector<std::string>& argv, const ChildOptions& options = {});
    ~ChildProcess(); // ends the child if it still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const noexcept { return pid_ > 0; }
    pid_t pid() const noexcept { return pid_; }

    // The wait status once the child has ended within `limit`; none while
    // it still runs.
    std::optional<int> waitFor(std::chrono::milliseconds limit);
    // The wait status, however long the child takes; -1 if it never started.
    int wait();
    // Asks the child to end (SIGTERM), stops it (SIGKILL) if it has not
    // within 5 s, and reaps it.
    void end();

    // What the child wrote, when captured; complete once it has ended.
    const std::string& standardOutput() const noexcept { return out_; }
    const std::string& standardError() const noexcept { return err_; }
    // What the child used (ru_maxrss: its peak resident memory in KiB), once
    // it has been reaped.
    const rusage& usage() const noexcept { return usage_; }

private:
    bool reap(int flags);
    void drain(bool untilClosed);

    pid_t pid_ = -1;
    int outFd_ = -1, errFd_ = -1;
    std::optional<int> status_;
    rusage usage_{};
    std::string out_, err_;
};

// Runs a command to its end (at most `limit`) with these environment changes
// and returns its standard output; none if it could not run, failed or took
// too long.
std::optional<std::string> RunCommand(const std::vector<std::string>& argv,
                                      const std::vector<std::string>& environment = {},
                                      std::chrono::milliseconds limit = std::chrono::seconds(10));

// The first line a child writes to a pipe (its descriptor 3, say), without
// the newline; empty when the pipe closes or no line comes within `limit`.
std::string ReadLine(int fd, std::chrono::milliseconds limit);

// Whether a program of that name is on PATH.
bool OnPath(const std::string& program);

} // namespace harness
