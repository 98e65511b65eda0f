#pragma once
// An X server of the benchmark's own (Xvfb) on a display number the server
// picks free itself; ended, by its process id, when its owner goes.

#include "bench/Command.h"

#include <memory>
#include <string>

namespace bench {

class XServer {
public:
    // Throws when Xvfb cannot be started or names no display in time.
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // ":N", for DISPLAY.
    const std::string& display() const { return display_; }

private:
    std::unique_ptr<Process> server_;
    std::string display_;
};

} // namespace bench
