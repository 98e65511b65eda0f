#include "bench/EngineSandbox.h"

#include "framework/files/FolderItem.h"
#include "framework/runtime/ClassRecord.h"
#include "framework/ui/MsgBox.h"
#include "install/Catalogue.h"
#include "install/Install.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace bench {

EngineSandbox::EngineSandbox(const fs::path& folder)
    : folder_(folder), bundle_(folder / installer::kSourceBundle.str()) {
    const fs::path executable = bundle_ / "Contents" / "MacOS" / "Quorvan Keyboard Installer";
    fs::create_directories(executable.parent_path());
    std::ofstream(executable) << "#!/bin/sh\n# stands in for the installer\n";
    fs::create_directories(resources());
    fw::SetApplicationFileForTesting(executable);
    fw::SetMsgBoxRecorderForTesting([this](const fw::String& text) { messages_.push_back(text.str()); });
    window_ = fw::dynamicRef<fw::Window>(fw::RuntimeNewObject(fw::Window::Lookup()));
    if (!window_)
        throw std::runtime_error("RuntimeNewObject(Window::Lookup()) gave no window");
}

EngineSandbox::~EngineSandbox() {
    window_.reset();
    fw::SetMsgBoxRecorderForTesting({});
    fw::SetApplicationFileForTesting({});
    ::unsetenv("STARTUP_VOLUME_ROOT");
}

fs::path EngineSandbox::resources() const {
    return bundle_ / "Contents" / "Resources";
}

fs::path EngineSandbox::freshVolume() {
    const fs::path volume = folder_ / ("volume-" + std::to_string(++volumes_));
    fs::create_directories(volume / "Library" / "Keyboard Layouts");
    fs::create_directories(volume / "Library" / "Fonts");
    useVolume(volume);
    return volume;
}

void EngineSandbox::useVolume(const fs::path& volume) {
    ::setenv("STARTUP_VOLUME_ROOT", volume.c_str(), 1);
}

std::vector<std::string> EngineSandbox::runEngine() {
    messages_.clear();
    installer::install(window_.get());
    return messages_;
}

} // namespace bench
