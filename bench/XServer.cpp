#include "bench/XServer.h"

#include "bench/Clock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <unistd.h>

namespace bench {
namespace {

constexpr int kStartTimeoutMs = 20'000;

// What Xvfb writes to its -displayfd descriptor once it accepts clients: the
// display number and a newline.
std::string readDisplayNumber(int fd) {
    std::string text;
    const std::int64_t deadline = monotonicNanoseconds() + std::int64_t(kStartTimeoutMs) * 1'000'000;
    while (text.find('\n') == std::string::npos) {
        const int left = static_cast<int>((deadline - monotonicNanoseconds()) / 1'000'000);
        pollfd p{fd, POLLIN, 0};
        const int ready = left > 0 ? ::poll(&p, 1, left) : 0;
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return {};
        char chunk[16];
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return {};
        text.append(chunk, static_cast<std::size_t>(n));
    }
    return text.substr(0, text.find('\n'));
}

} // namespace

XServer::XServer() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    // Kept clear of descriptor 3, which the server's copy must become.
    const int writing = ::fcntl(ends[1], F_DUPFD_CLOEXEC, 10);
    ::close(ends[1]);
    try {
        server_ = std::make_unique<Process>(
            std::vector<std::string>{"Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten",
                                     "tcp", "-noreset"},
            currentEnvironment(), writing, true); // quiet: it reports every display number it finds taken
    } catch (...) {
        ::close(writing);
        ::close(ends[0]);
        throw;
    }
    ::close(writing);
    const std::string number = readDisplayNumber(ends[0]);
    ::close(ends[0]);
    if (number.empty())
        throw std::runtime_error("Xvfb named no display within " + std::to_string(kStartTimeoutMs / 1000) +
                                 " s");
    display_ = ":" + number;
}

// Asked to end rather than killed, so that it removes its socket and lock file.
XServer::~XServer() {
    server_->terminate();
}

} // namespace bench
