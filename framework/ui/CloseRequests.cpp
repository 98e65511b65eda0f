#include "framework/ui/CloseRequests.h"

#include "framework/ui/InputRun.h"
#include "framework/ui/WindowWidget.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace fw {
namespace {

xcb_atom_t internAtom(xcb_connection_t* c, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

// On X11 a close request is the WM_DELETE_WINDOW message of WM_PROTOCOLS.
// One for a window of the framework (not one of its modal windows, nor a
// message box) during a run waits for the run's end.
class CloseRequestFilter : public QAbstractNativeEventFilter {
public:
    explicit CloseRequestFilter(xcb_connection_t* c)
        : protocols_(internAtom(c, "WM_PROTOCOLS")), deleteWindow_(internAtom(c, "WM_DELETE_WINDOW")) {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t" || !RunUnderWay())
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & ~0x80) != XCB_CLIENT_MESSAGE)
            return false;
        const auto* m = static_cast<const xcb_client_message_event_t*>(message);
        if (m->format != 32 || m->type != protocols_ || m->data.data32[0] != deleteWindow_)
            return false;
        auto* view = dynamic_cast<WindowWidget*>(QWidget::find(m->window));
        if (!view || view->isModal())
            return false;
        CloseAfterRun(view);
        return true;
    }

private:
    xcb_atom_t protocols_;
    xcb_atom_t deleteWindow_;
};

} // namespace

void WatchCloseRequests() {
    static bool watching = false;
    if (watching || !qGuiApp)
        return;
    watching = true;
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return;
    // Kept for the rest of the process, as the application is.
    static auto* filter = new CloseRequestFilter(x11->connection());
    qGuiApp->installNativeEventFilter(filter);
}

} // namespace fw
