// Preloaded (LD_PRELOAD) into a program under measurement. When the program's
// first window is exposed, the probe lets the window handle the exposure (its
// first frame is drawn), writes the CLOCK_MONOTONIC time in nanoseconds to the
// descriptor named by BENCH_FIRST_SHOW_FD and ends the process at once, so
// that the peak memory is that of a program which has just shown its window.
// Without the variable it does nothing.

#include <QCoreApplication>
#include <QEvent>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

namespace {

class FirstShowProbe : public QObject {
public:
    explicit FirstShowProbe(int fd) : fd_(fd) {}

    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (event->type() != QEvent::Expose || !receiver->isWindowType() ||
            !static_cast<QWindow*>(receiver)->isExposed())
            return false;
        receiver->event(event);
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        char line[32];
        const int n = std::snprintf(line, sizeof line, "%lld\n",
                                    static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        (void)!::write(fd_, line, static_cast<std::size_t>(n));
        ::_exit(0); // no shut-down: it is not what is measured
    }

private:
    int fd_;
};

void installProbe() {
    const char* fd = std::getenv("BENCH_FIRST_SHOW_FD");
    if (!fd || !*fd)
        return;
    QCoreApplication::instance()->installEventFilter(new FirstShowProbe(std::atoi(fd)));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
