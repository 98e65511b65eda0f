#include "harness/Xvfb.h"

#include "harness/WaitFor.h"

#include <chrono>
#include <fcntl.h>
#include <unistd.h>

namespace harness {
namespace {

constexpr std::chrono::seconds kStartLimit(20);

// Output to `log` in the folder, or nowhere without one.
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
    // The server's descriptor 3 carries the display number it chose, in a
    // line it writes once it accepts clients.
    ChildOptions spawn = outputTo(options.logFolder, "xvfb.log");
    spawn.descriptor3 = ends[1];
    server_ = std::make_unique<ChildProcess>(std::vector<std::string>{"Xvfb", "-displayfd", "3", "-screen",
                                                                      "0", options.screen, "-nolisten", "tcp",
                                                                      "-noreset"},
                                             spawn);
    close(ends[1]);
    const std::string number = server_->started() ? ReadLine(ends[0], kStartLimit) : "";
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
