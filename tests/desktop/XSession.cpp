#include "tests/desktop/XSession.h"

#include "harness/ChildProcess.h"
#include "harness/WaitFor.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/Xfixes.h>
#include <algorithm>
#include <cstdlib>
#include <initializer_list>

namespace desktop {
namespace {

// Windows come and go under the test's feet; a request on one that has
// gone is no fault of the test's.
int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

template <class T>
std::vector<T> property(Display* d, Window w, Atom name, Atom type) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<T> out;
    if (XGetWindowProperty(d, w, name, 0, 4096, False, type, &actualType, &format, &count, &after, &data) ==
            Success &&
        data) {
        if (actualType == type) {
            if (format == 32) {
                const auto* values = reinterpret_cast<const unsigned long*>(data);
                out.assign(values, values + count);
            } else if (format == 8) {
                out.assign(data, data + count);
            }
        }
        XFree(data);
    }
    return out;
}

} // namespace

std::unique_ptr<XSession> XSession::Start(const std::filesystem::path& home, std::string& whyNot) {
    if (!harness::OnPath("xdotool")) {
        whyNot = "xdotool is not installed (scripts/install-deps.sh installs it)";
        return nullptr;
    }
    std::unique_ptr<XSession> s(new XSession);
    s->home_ = home;
    s->server_ = std::make_unique<harness::Xvfb>(harness::XvfbOptions{
        .logFolder = home, .windowManager = true, .windowManagerEnvironment = desktopVariables(home)});
    if (!s->server_->failure().empty()) {
        whyNot = s->server_->failure();
        return nullptr;
    }
    // The test's own reference cursors come from the server's cursor font,
    // as the installer's do (see environment()).
    setenv("XCURSOR_PATH", (home / "no-cursor-themes").c_str(), 1);
    unsetenv("XCURSOR_THEME");
    const std::string& name = s->server_->display();
    s->display_ = XOpenDisplay(name.c_str());
    int fixesEvent = 0, fixesError = 0, major = 5, minor = 0;
    if (!s->display_ || !XFixesQueryExtension(s->display_, &fixesEvent, &fixesError) ||
        !XFixesQueryVersion(s->display_, &major, &minor)) {
        whyNot = "cannot open Xvfb's display " + name + " with the XFIXES extension";
        return nullptr;
    }
    XSetErrorHandler(ignoreErrors);
    return s;
}

XSession::~XSession() {
    if (display_)
        XCloseDisplay(display_);
}

std::vector<std::string> XSession::environment() const {
    std::vector<std::string> variables = desktopVariables(home_);
    variables.insert(variables.begin(), "DISPLAY=" + server_->display());
    return variables;
}

std::vector<std::string> XSession::desktopVariables(const std::filesystem::path& home) {
    // Without a cursor theme, Qt shows the server's own cursor shapes,
    // which the test can compare with its own.
    return {"HOME=" + home.string(),
            "XDG_CONFIG_HOME=" + (home / "config").string(),
            "XDG_CACHE_HOME=" + (home / "cache").string(),
            "XCURSOR_PATH=" + (home / "no-cursor-themes").string(),
            "XCURSOR_THEME",
            "WAYLAND_DISPLAY",
            "QT_QPA_PLATFORM=xcb"};
}

unsigned long XSession::atom(const char* name) const {
    return XInternAtom(display_, name, False);
}

bool XSession::input(const std::vector<std::string>& args) const {
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    return harness::RunCommand(argv, environment(), std::chrono::seconds(20)).has_value();
}

void XSession::movePointer(int x, int y) const {
    input({"mousemove", std::to_string(x), std::to_string(y)});
    harness::WaitFor(
        [&] {
            Window root = None, child = None;
            int rootX = 0, rootY = 0, winX = 0, winY = 0;
            unsigned mask = 0;
            XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &rootX, &rootY, &winX, &winY,
                          &mask);
            return rootX == x && rootY == y;
        },
        std::chrono::seconds(2));
}

std::vector<WindowId> XSession::clientsOf(pid_t pid) const {
    std::vector<WindowId> out;
    for (Window w :
         property<Window>(display_, DefaultRootWindow(display_), atom("_NET_CLIENT_LIST"), XA_WINDOW)) {
        const auto owner = property<unsigned long>(display_, w, atom("_NET_WM_PID"), XA_CARDINAL);
        if (!owner.empty() && static_cast<pid_t>(owner[0]) == pid)
            out.push_back(w);
    }
    return out;
}

WindowId XSession::transientFor(WindowId w) const {
    Window parent = None;
    return XGetTransientForHint(display_, w, &parent) ? parent : None;
}

bool XSession::viewable(WindowId w) const {
    XWindowAttributes a{};
    return XGetWindowAttributes(display_, w, &a) && a.map_state == IsViewable;
}

Box XSession::placeOf(WindowId w) const {
    XWindowAttributes a{};
    int x = 0, y = 0;
    Window child = None;
    if (!XGetWindowAttributes(display_, w, &a) ||
        !XTranslateCoordinates(display_, w, DefaultRootWindow(display_), 0, 0, &x, &y, &child))
        return {};
    return {x, y, a.width, a.height};
}

Box XSession::frameOf(WindowId w) const {
    const Window root = DefaultRootWindow(display_);
    Window frame = w;
    for (;;) {
        Window rootReturn = None, parent = None, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display_, frame, &rootReturn, &parent, &children, &count))
            return {};
        if (children)
            XFree(children);
        if (parent == root || parent == None)
            break;
        frame = parent;
    }
    return placeOf(frame);
}

std::string XSession::title(WindowId w) const {
    const auto bytes = property<unsigned char>(display_, w, atom("_NET_WM_NAME"), atom("UTF8_STRING"));
    return std::string(bytes.begin(), bytes.end());
}

std::vector<std::string> XSession::allowedActions(WindowId w) const {
    std::vector<std::string> out;
    for (Atom a : property<Atom>(display_, w, atom("_NET_WM_ALLOWED_ACTIONS"), XA_ATOM)) {
        char* name = XGetAtomName(display_, a);
        if (name) {
            out.emplace_back(name);
            XFree(name);
        }
    }
    return out;
}

bool XSession::hasState(Window w, const char* state) const {
    const Atom wanted = atom(state);
    for (Atom a : property<Atom>(display_, w, atom("_NET_WM_STATE"), XA_ATOM))
        if (a == wanted)
            return true;
    return false;
}

std::vector<unsigned long> XSession::motifHints(WindowId w) const {
    const Atom hints = atom("_MOTIF_WM_HINTS");
    return property<unsigned long>(display_, w, hints, hints);
}

namespace {

// Sends a 32-bit client message about `about` to `to`.
void sendClientMessage(Display* display, Window to, long mask, Window about, Atom type,
                       std::initializer_list<long> data) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = about;
    e.xclient.message_type = type;
    e.xclient.format = 32;
    std::copy(data.begin(), data.end(), e.xclient.data.l);
    XSendEvent(display, to, False, mask, &e);
    XFlush(display);
}

} // namespace

void XSession::requestMaximize(WindowId w) const {
    // To the window manager, as an application asks (1: add; the last 1: from an application).
    sendClientMessage(display_, DefaultRootWindow(display_),
                      SubstructureRedirectMask | SubstructureNotifyMask, w, atom("_NET_WM_STATE"),
                      {1, static_cast<long>(atom("_NET_WM_STATE_MAXIMIZED_HORZ")),
                       static_cast<long>(atom("_NET_WM_STATE_MAXIMIZED_VERT")), 1});
}

void XSession::requestClose(WindowId w) const {
    // To the window itself, as a window manager asks.
    sendClientMessage(display_, w, NoEventMask, w, atom("WM_PROTOCOLS"),
                      {static_cast<long>(atom("WM_DELETE_WINDOW")), CurrentTime});
}

CursorImage XSession::cursor() const {
    CursorImage out;
    if (XFixesCursorImage* image = XFixesGetCursorImage(display_)) {
        out.width = image->width;
        out.height = image->height;
        out.hotX = image->xhot;
        out.hotY = image->yhot;
        out.pixels.assign(image->pixels, image->pixels + std::size_t(image->width) * image->height);
        XFree(image);
    }
    return out;
}

CursorImage XSession::referenceCursor(Shape shape) {
    const Window root = DefaultRootWindow(display_);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    const unsigned glyph = shape == Shape::PointingHand        ? XC_hand2
                           : shape == Shape::OtherPointingHand ? XC_hand1
                                                               : XC_left_ptr;
    const Cursor c = XCreateFontCursor(display_, glyph);
    attributes.cursor = c;
    const Window w = XCreateWindow(display_, root, 900, 650, 100, 100, 0, CopyFromParent, InputOutput,
                                   CopyFromParent, CWOverrideRedirect | CWCursor, &attributes);
    XMapRaised(display_, w);
    XSync(display_, False);
    movePointer(950, 700);
    CursorImage image;
    harness::WaitFor(
        [&] {
            const CursorImage now = cursor();
            const bool steady = now == image && !now.pixels.empty();
            image = now;
            return steady;
        },
        std::chrono::seconds(2));
    XDestroyWindow(display_, w);
    XFreeCursor(display_, c);
    XSync(display_, False);
    return image;
}

void XSession::watch(WindowId w) {
    XSelectInput(display_, w, StructureNotifyMask);
    XSync(display_, False);
}

int XSession::unmapsSinceLastLook(WindowId w) {
    XSync(display_, False);
    int count = 0;
    while (XPending(display_)) {
        XEvent e;
        XNextEvent(display_, &e);
        if ((e.type == UnmapNotify && e.xunmap.window == w) ||
            (e.type == DestroyNotify && e.xdestroywindow.window == w))
            ++count;
    }
    return count;
}

} // namespace desktop
