#include "harness/Xvfb.h"

#include "harness/WaitFor.h"

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace harness {
namespace {

constexpr std::chrono::seconds kStartLimit(20);

// What Xvfb writes to its -displayfd descriptor once it accepts clients: the
// display number and a newline. Empty when it says nothing within the limit.
std::string readDisplayNumber(int fd) {
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
    while (text.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return {};
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left.count())) <= 0)
            continue;
        char chunk[16];
        const ssize_t n = read(fd, chunk, sizeof chunk);
        if (n <= 0)
            return {};
        text.append(chunk, static_cast<std::size_t>(n));
    }
    return text.substr(0, text.find('\n'));
}

ChildOptions outputTo(const std::filesystem::path& folder, const char* log) {
    ChildOptions options;
    options.output = ChildOptions::Output::ToFile;
    if (!folder.empty())
        options.file = folder / log;
    return options;
}

std::string seeLog(const std::filesystem::path& folder, const char* log) {
    return folder.empty() ? "" : " (see " + (folder / log).string() + ")";
}

} // namespace

Xvfb::Xvfb(const XvfbOptions& options) {
    startServer(options);
    if (failure_.empty() && options.windowManager)
        startWindowManager(options);
}

Xvfb::~Xvfb() {
    windowManager_.reset();
    // Asked to end rather than killed, so that it removes its socket and lock file.
    server_.reset();
}

void Xvfb::startServer(const XvfbOptions& options) {
    if (!OnPath("Xvfb")) {
        failure_ = "Xvfb is not installed (scripts/install-deps.sh installs it)";
        return;
    }
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        failure_ = "no pipe for Xvfb's display number";
        return;
    }
    // The server's descriptor 3 carries the display number it chose.
    ChildOptions spawn = outputTo(options.logFolder, "xvfb.log");
    spawn.descriptor3 = ends[1];
    server_ = std::make_unique<ChildProcess>(std::vector<std::string>{"Xvfb", "-displayfd", "3", "-screen",
                                                                      "0", options.screen, "-nolisten", "tcp",
                                                                      "-noreset"},
                                             spawn);
    close(ends[1]);
    const std::string number = server_->started() ? readDisplayNumber(ends[0]) : "";
    close(ends[0]);
    if (number.empty()) {
        failure_ = "Xvfb named no display within " + std::to_string(kStartLimit.count()) + " s" +
                   seeLog(options.logFolder, "xvfb.log");
        return;
    }
    display_ = ":" + number;
}

void Xvfb::startWindowManager(const XvfbOptions& options) {
    if (!OnPath("openbox")) {
        failure_ = "openbox is not installed (scripts/install-deps.sh installs it)";
        return;
    }
    ChildOptions spawn = outputTo(options.logFolder, "openbox.log");
    spawn.environment = options.windowManagerEnvironment;
    spawn.environment.push_back("DISPLAY=" + display_);
    windowManager_ =
        std::make_unique<ChildProcess>(std::vector<std::string>{"openbox", "--sm-disable"}, spawn);
    // A window manager names its check window on the root once it manages it.
    const auto managing = [&] {
        const std::optional<std::string> check =
            RunCommand({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}, {"DISPLAY=" + display_});
        return check && check->find("window id") != std::string::npos;
    };
    if (!windowManager_->started() || !WaitFor(managing, kStartLimit, std::chrono::milliseconds(50)))
        failure_ = "openbox did not take the display" + seeLog(options.logFolder, "openbox.log");
}

} // namespace harness
