#include "framework/runtime/StackCheck.h"

#include "framework/runtime/Exception.h"
#include "framework/runtime/Trace.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <pthread.h>
#include <string_view>

namespace fw {
namespace {

// Room kept below the limit for unwinding and for the handler that catches
// the exception.
constexpr std::uintptr_t kReserve = 256 * 1024;

// The lowest address a routine may start at on this thread; 0 until known.
thread_local std::uintptr_t lowestSafe = 0;

std::uintptr_t findLowestSafe() {
    pthread_attr_t attr;
    if (pthread_getattr_np(pthread_self(), &attr) != 0)
        return 1; // bounds unknown: the guard never trips
    void* base = nullptr;
    std::size_t size = 0;
    pthread_attr_getstack(&attr, &base, &size);
    pthread_attr_destroy(&attr);
    return reinterpret_cast<std::uintptr_t>(base) + std::min<std::uintptr_t>(kReserve, size / 2);
}

// "void app::Startup()" -> "app::Startup".
std::string_view routineName(std::string_view signature) {
    signature = signature.substr(0, signature.find('('));
    const std::size_t space = signature.rfind(' ');
    return space == std::string_view::npos ? signature : signature.substr(space + 1);
}

} // namespace

void RuntimeStackCheck(std::source_location caller) {
    if (lowestSafe == 0)
        lowestSafe = findLowestSafe();
    if (reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0)) < lowestSafe)
        RaiseException(make<StackOverflowException>(String("the stack is nearly used up")));
    if (Tracing())
        Trace(routineName(caller.function_name()));
}

} // namespace fw
