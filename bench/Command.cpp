#include "bench/Command.h"

#include <stdexcept>
#include <sys/wait.h>

namespace bench {

std::unique_ptr<harness::ChildProcess> startChild(const std::vector<std::string>& argv,
                                                  const std::vector<std::string>& environment, int passedFd) {
    auto child = std::make_unique<harness::ChildProcess>(
        argv, harness::ChildOptions{.environment = environment,
                                    .output = harness::ChildOptions::Output::Inherited,
                                    .descriptor3 = passedFd});
    if (!child->started())
        throw std::runtime_error("cannot start " + argv.at(0));
    return child;
}

rusage waitForSuccess(harness::ChildProcess& child, const std::string& name) {
    const int status = child.wait();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(name + " failed (wait status " + std::to_string(status) + ")");
    return child.usage();
}

void runCommands(const std::vector<std::vector<std::string>>& commands) {
    for (const std::vector<std::string>& argv : commands)
        waitForSuccess(*startChild(argv), argv.at(0));
}

} // namespace bench
