#pragma once
// A real X server of the caller's own: Xvfb on a display number it picks
// free itself (whoever else runs an X server), optionally with a window
// manager (openbox) on it; both ended, by their own process ids, when their
// owner goes.

#include "harness/ChildProcess.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace harness {

struct XvfbOptions {
    std::string screen = "1024x768x24";
    // Where the server's and the window manager's output go (xvfb.log,
    // openbox.log); nowhere when empty.
    std::filesystem::path logFolder{};
    // Starts openbox on the server and waits until it has taken the display.
    bool windowManager = false;
    // The window manager's environment changes (DISPLAY is set for it).
    std::vector<std::string> windowManagerEnvironment{};
};

class Xvfb {
public:
    explicit Xvfb(const XvfbOptions& options = {});
    ~Xvfb(); // the window manager first, then the server
    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;

    // Empty when the server (and the window manager, if asked for) runs;
    // otherwise why not.
    const std::string& failure() const noexcept { return failure_; }
    // ":N", for DISPLAY.
    const std::string& display() const noexcept { return display_; }

private:
    void startServer(const XvfbOptions& options);
    void startWindowManager(const XvfbOptions& options);

    std::unique_ptr<ChildProcess> server_;
    std::unique_ptr<ChildProcess> windowManager_;
    std::string display_;
    std::string failure_;
};

} // namespace harness
