#pragma once
// A real X server for one test (see harness/Xvfb.h), and what the X client
// tools tell of it.

#include "harness/Xvfb.h"

#include <optional>
#include <string>
#include <vector>

namespace testing_support {

class XServer : public harness::Xvfb {
public:
    // The X client tools' output for this display; none if the tool failed.
    std::optional<std::string> tool(const std::vector<std::string>& argv) const;
    // The mapped top-level windows of a process, by id.
    std::vector<std::string> windowsOf(int pid) const;
    // Whether the window is a dialog (by the type its client gave it).
    bool isDialog(const std::string& window) const;
};

} // namespace testing_support
