#include "tests/support/XServer.h"

#include <sstream>

namespace testing_support {

std::optional<std::string> XServer::tool(const std::vector<std::string>& argv) const {
    return harness::RunCommand(argv, {"DISPLAY=" + display()});
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
