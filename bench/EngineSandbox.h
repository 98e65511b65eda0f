#pragma once
// The engine's surroundings inside the benchmark process: an application
// bundle laid out like the real one in a scratch folder and made the
// application file, a recorder for message boxes, a window to run on, and
// fresh start-up volumes on request (STARTUP_VOLUME_ROOT).

#include "framework/runtime/Ref.h"
#include "framework/ui/Window.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace bench {

class EngineSandbox {
public:
    explicit EngineSandbox(const std::filesystem::path& folder);
    ~EngineSandbox();
    EngineSandbox(const EngineSandbox&) = delete;
    EngineSandbox& operator=(const EngineSandbox&) = delete;

    // The bundle's Contents/Resources, where the two folders to install go.
    std::filesystem::path resources() const;

    // A new volume holding "Library/Keyboard Layouts" and "Library/Fonts",
    // made the start-up volume.
    std::filesystem::path freshVolume();
    // Makes `volume`, one freshVolume() gave, the start-up volume again.
    void useVolume(const std::filesystem::path& volume);

    // One run of the engine; the texts of the message boxes it showed.
    std::vector<std::string> runEngine();
    // The texts of the message boxes shown since the last call or run, which it forgets.
    std::vector<std::string> takeMessages() { return std::exchange(messages_, {}); }

private:
    std::filesystem::path folder_;
    std::filesystem::path bundle_;
    int volumes_ = 0;
    std::vector<std::string> messages_;
    fw::Ref<fw::Window> window_;
};

} // namespace bench
