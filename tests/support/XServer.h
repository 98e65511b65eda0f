#pragma once
// A real X server for one test: Xvfb on a display number it picks itself
// (free, whoever else runs an X server), ended by its own process id.

#include "tests/support/ChildProcess.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

class XServer {
public:
    XServer();

    // Empty when the server is running; otherwise why it could not start.
    const std::string& failure() const noexcept { return failure_; }
    // ":N".
    const std::string& display() const noexcept { return display_; }

    // The X client tools' output for this display; none if the tool failed.
    std::optional<std::string> tool(const std::vector<std::string>& argv) const;
    // The mapped top-level windows of a process, by id.
    std::vector<std::string> windowsOf(int pid) const;
    // Whether the window is a dialog (by the type its client gave it).
    bool isDialog(const std::string& window) const;

private:
    std::unique_ptr<ChildProcess> server_;
    std::string display_;
    std::string failure_;
};

} // namespace testing_support
