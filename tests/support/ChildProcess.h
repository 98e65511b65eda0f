#pragma once
// A child process for tests that drive a real executable: started with an
// environment of the test's choosing and no standard input, its standard
// output and error captured, waited for with a time limit, and ended by its
// own process id only.

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace testing_support {

// The test's own environment with some variables set and some removed.
struct Environment {
    std::map<std::string, std::string> set;
    std::vector<std::string> unset;
};

class ChildProcess {
public:
    // Starts `argv` (argv[0] is the file to run). The child's descriptor 3,
    // when `extraFd` is given, is that descriptor of the test.
    ChildProcess(const std::vector<std::string>& argv, const Environment& env,
                 std::optional<int> extraFd = std::nullopt);
    ~ChildProcess(); // ends the child if it still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const noexcept { return pid_ > 0; }
    pid_t pid() const noexcept { return pid_; }

    // The wait status once the child has ended within `limit`; none while
    // it still runs.
    std::optional<int> waitFor(std::chrono::milliseconds limit);
    // Ends the child (SIGTERM, then SIGKILL) and reaps it.
    void end();

    // What the child wrote, read once it has ended.
    const std::string& standardOutput() const noexcept { return out_; }
    const std::string& standardError() const noexcept { return err_; }

private:
    void drain(bool untilClosed);

    pid_t pid_ = -1;
    int outFd_ = -1, errFd_ = -1;
    std::optional<int> status_;
    std::string out_, err_;
};

// Runs a command to its end (at most `limit`) and returns its standard
// output; none if it could not run, failed or took too long.
std::optional<std::string> RunCommand(const std::vector<std::string>& argv, const Environment& env,
                                      std::chrono::milliseconds limit = std::chrono::seconds(10));

} // namespace testing_support
