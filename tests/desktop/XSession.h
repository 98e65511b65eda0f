#pragma once
// A real X server of the test's own, with a window manager, and what a
// test reads from it through Xlib: the windows of a process, their map
// state, their properties as the window manager set them, the cursor the
// server shows. Input goes through xdotool, as a person's would.

#include "harness/Xvfb.h"

#include <filesystem>
#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

struct _XDisplay;

namespace desktop {

// An X window's id; kNoWindow for none.
using WindowId = unsigned long;
inline constexpr WindowId kNoWindow = 0;

struct Box {
    int left = 0, top = 0, width = 0, height = 0;
    int centreX() const { return left + width / 2; }
    int centreY() const { return top + height / 2; }
};

// The cursor image the server shows at the pointer.
struct CursorImage {
    int width = 0, height = 0, hotX = 0, hotY = 0;
    std::vector<unsigned long> pixels;
    bool operator==(const CursorImage&) const = default;
};

class XSession {
public:
    // Xvfb on a free display and openbox on it; nil, with the reason in
    // `whyNot`, when either cannot be started. `home` takes what openbox
    // writes.
    static std::unique_ptr<XSession> Start(const std::filesystem::path& home, std::string& whyNot);
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // DISPLAY and the like, for the children that use this server.
    std::vector<std::string> environment() const;

    // xdotool with these arguments (mousemove, click, ...); true on success.
    bool input(const std::vector<std::string>& args) const;
    // Moves the pointer to a point of the screen and waits until the server
    // has it there.
    void movePointer(int x, int y) const;

    // The windows the window manager manages for the process, oldest first.
    std::vector<WindowId> clientsOf(pid_t pid) const;
    WindowId transientFor(WindowId w) const;
    bool viewable(WindowId w) const;
    // Where the window's own area lies on the screen.
    Box placeOf(WindowId w) const;
    // The frame the window manager put around it: its whole box on screen.
    Box frameOf(WindowId w) const;
    std::string title(WindowId w) const;
    // The names in _NET_WM_ALLOWED_ACTIONS, as the window manager set them.
    std::vector<std::string> allowedActions(WindowId w) const;
    bool hasState(WindowId w, const char* state) const;
    // The Motif hints the client set: flags, functions, decorations, ...
    std::vector<unsigned long> motifHints(WindowId w) const;
    // What a maximize button or key of the window manager asks for.
    void requestMaximize(WindowId w) const;
    // What the close button of the frame sends.
    void requestClose(WindowId w) const;
    CursorImage cursor() const;
    // The server's own cursors, as a window of the test's shows them; for
    // comparing with what a client shows.
    enum class Shape { PointingHand, OtherPointingHand, Arrow };
    CursorImage referenceCursor(Shape shape);

    // From now on the session hears of the window's unmapping.
    void watch(WindowId w);
    // How often the watched window was unmapped or destroyed since the last
    // call.
    int unmapsSinceLastLook(WindowId w);

private:
    XSession() = default;
    unsigned long atom(const char* name) const;
    // environment() but DISPLAY: what the window manager needs as well.
    static std::vector<std::string> desktopVariables(const std::filesystem::path& home);

    std::unique_ptr<harness::Xvfb> server_;
    std::filesystem::path home_;
    ::_XDisplay* display_ = nullptr;
};

} // namespace desktop
