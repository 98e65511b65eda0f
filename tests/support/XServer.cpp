#include "tests/support/XServer.h"

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sstream>
#include <unistd.h>

namespace testing_support {

XServer::XServer() {
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0) {
        failure_ = "no pipe for Xvfb's display number";
        return;
    }
    // The child's descriptor 3 carries the display number Xvfb chose.
    server_ = std::make_unique<ChildProcess>(std::vector<std::string>{"Xvfb", "-displayfd", "3", "-noreset", "-nolisten",
                                                                      "tcp", "-screen", "0", "1024x768x24"},
                                             Environment{}, ready[1]);
    close(ready[1]);
    if (!server_->started()) {
        close(ready[0]);
        failure_ = "Xvfb could not be started (is it installed?)";
        return;
    }
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (number.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
        pollfd p{ready[0], POLLIN, 0};
        if (poll(&p, 1, 200) <= 0)
            continue;
        char c[16];
        const ssize_t n = read(ready[0], c, sizeof c);
        if (n <= 0)
            break;
        number.append(c, static_cast<std::size_t>(n));
    }
    close(ready[0]);
    if (number.find('\n') == std::string::npos) {
        server_->end();
        failure_ = "Xvfb did not report a display: " + server_->standardError();
        return;
    }
    display_ = ":" + number.substr(0, number.find('\n'));
}

std::optional<std::string> XServer::tool(const std::vector<std::string>& argv) const {
    return RunCommand(argv, Environment{{{"DISPLAY", display_}}, {}});
}

std::vector<std::string> XServer::windowsOf(int pid) const {
    std::vector<std::string> windows;
    const std::optional<std::string> found =
        tool({"xdotool", "search", "--onlyvisible", "--pid", std::to_string(pid)});
    std::istringstream lines(found.value_or(""));
    for (std::string id; std::getline(lines, id);)
        if (!id.empty())
            windows.push_back(id);
    return windows;
}

bool XServer::isDialog(const std::string& window) const {
    const std::optional<std::string> type = tool({"xprop", "-id", window, "_NET_WM_WINDOW_TYPE"});
    return type && type->find("_NET_WM_WINDOW_TYPE_DIALOG") != std::string::npos;
}

} // namespace testing_support
