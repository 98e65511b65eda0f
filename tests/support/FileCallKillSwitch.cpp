#include "tests/support/FileCallKillSwitch.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <dlfcn.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace testing_support {
namespace {

enum class Mode { Off, Recording, Killing };

// Plain data, so that a call made while the program starts or ends finds the
// switch off rather than half built or half gone. Each thread has its own:
// the state of the thread that turned the switch on is the only one ever on.
constinit thread_local Mode mode = Mode::Off;
constinit thread_local std::size_t callsLeft = 0;
constinit thread_local std::vector<FileCall>* recorded = nullptr;

void count(FileCall call) {
    if (mode == Mode::Recording)
        recorded->push_back(call);
    else if (mode == Mode::Killing && --callsLeft == 0)
        ::raise(SIGKILL);
}

std::size_t chunked(std::size_t length) {
    return mode == Mode::Off ? length : std::min(length, kKillSwitchChunk);
}

// The C library's own function of that name, past this program's.
template <class F>
F real(const char* name) {
    void* found = ::dlsym(RTLD_NEXT, name);
    if (!found) {
        std::fprintf(stderr, "kill switch: no function %s after the program's own\n", name);
        std::abort();
    }
    return reinterpret_cast<F>(found);
}

} // namespace

const char* describe(FileCall call) {
    switch (call) {
    case FileCall::MakeFolder:
        return "make folder";
    case FileCall::CopyData:
        return "copy data";
    case FileCall::WriteData:
        return "write data";
    case FileCall::SetMode:
        return "set mode";
    case FileCall::SetTimes:
        return "set times";
    case FileCall::MakeLink:
        return "make link";
    case FileCall::Rename:
        return "rename";
    case FileCall::Remove:
        return "remove";
    }
    return "?";
}

namespace kill_switch {

void record() {
    delete recorded;
    recorded = new std::vector<FileCall>;
    mode = Mode::Recording;
}

void killBefore(std::size_t n) {
    callsLeft = n;
    mode = n == 0 ? Mode::Off : Mode::Killing;
}

std::vector<FileCall> off() {
    mode = Mode::Off;
    const std::unique_ptr<std::vector<FileCall>> calls(std::exchange(recorded, nullptr));
    return calls ? std::move(*calls) : std::vector<FileCall>{};
}

} // namespace kill_switch
} // namespace testing_support

// The stand-ins. Each counts its call, then hands it to the real function.

using testing_support::FileCall;

extern "C" int mkdirat(int dir, const char* name, mode_t mode) noexcept {
    static const auto next = testing_support::real<decltype(&mkdirat)>("mkdirat");
    testing_support::count(FileCall::MakeFolder);
    return next(dir, name, mode);
}

extern "C" ssize_t copy_file_range(int in, off64_t* inOffset, int out, off64_t* outOffset, size_t length,
                                   unsigned int flags) {
    static const auto next = testing_support::real<decltype(&copy_file_range)>("copy_file_range");
    testing_support::count(FileCall::CopyData);
    return next(in, inOffset, out, outOffset, testing_support::chunked(length), flags);
}

extern "C" ssize_t pwrite(int fd, const void* buffer, size_t length, off_t offset) {
    static const auto next = testing_support::real<decltype(&pwrite)>("pwrite");
    testing_support::count(FileCall::WriteData);
    return next(fd, buffer, testing_support::chunked(length), offset);
}

extern "C" int fchmod(int fd, mode_t mode) noexcept {
    static const auto next = testing_support::real<decltype(&fchmod)>("fchmod");
    testing_support::count(FileCall::SetMode);
    return next(fd, mode);
}

extern "C" int futimens(int fd, const struct timespec times[2]) noexcept {
    static const auto next = testing_support::real<decltype(&futimens)>("futimens");
    testing_support::count(FileCall::SetTimes);
    return next(fd, times);
}

extern "C" int utimensat(int dir, const char* name, const struct timespec times[2], int flags) noexcept {
    static const auto next = testing_support::real<decltype(&utimensat)>("utimensat");
    testing_support::count(FileCall::SetTimes);
    return next(dir, name, times, flags);
}

extern "C" int symlinkat(const char* target, int dir, const char* name) noexcept {
    static const auto next = testing_support::real<decltype(&symlinkat)>("symlinkat");
    testing_support::count(FileCall::MakeLink);
    return next(target, dir, name);
}

extern "C" int rename(const char* from, const char* to) noexcept {
    static const auto next = testing_support::real<decltype(&rename)>("rename");
    testing_support::count(FileCall::Rename);
    return next(from, to);
}

extern "C" int renameat2(int fromDir, const char* from, int toDir, const char* to,
                         unsigned int flags) noexcept {
    static const auto next = testing_support::real<decltype(&renameat2)>("renameat2");
    testing_support::count(FileCall::Rename);
    return next(fromDir, from, toDir, to, flags);
}

extern "C" int unlinkat(int dir, const char* name, int flags) noexcept {
    static const auto next = testing_support::real<decltype(&unlinkat)>("unlinkat");
    testing_support::count(FileCall::Remove);
    return next(dir, name, flags);
}
