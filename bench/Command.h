#pragma once
// The benchmark's child processes (harness/ChildProcess.h): the anchor
// commands (cp, rm, sync) and the programs whose start-up is measured. Their
// output stays the benchmark's, and a failure ends the run.

#include "harness/ChildProcess.h"

#include <memory>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace bench {

// Starts argv with these environment changes ("NAME=value", "NAME" to remove)
// and, when not -1, `passedFd` as its descriptor 3. Throws when it cannot start.
std::unique_ptr<harness::ChildProcess> startChild(const std::vector<std::string>& argv,
                                                  const std::vector<std::string>& environment = {},
                                                  int passedFd = -1);

// Waits for the child; throws unless it exited with status 0. Gives its
// resource usage (ru_maxrss: its peak resident memory in KiB).
rusage waitForSuccess(harness::ChildProcess& child, const std::string& name);

// Runs each command in turn, waiting for each; throws when one fails.
void runCommands(const std::vector<std::vector<std::string>>& commands);

} // namespace bench
