#pragma once
// A record of framework calls in the order they happen, so that a test can
// follow one whole run from RuntimeInit to RuntimeExit. Off unless a test
// installs a sink; a traced call then costs one pointer test. A sink may
// raise, to make a chosen call fail as a real failure there would.

#include <functional>
#include <initializer_list>
#include <string_view>

namespace fw {

using TraceSink = std::function<void(std::string_view call)>;

// The sink that traced calls go to; an empty function turns tracing off.
void SetTraceSinkForTesting(TraceSink sink);

namespace detail {
extern const TraceSink* traceSink; // nullptr while tracing is off
void sendTrace(std::string_view call, std::initializer_list<std::string_view> arguments);
} // namespace detail

inline bool Tracing() noexcept {
    return detail::traceSink != nullptr;
}

// Records `call`, or `call(a,b,...)` when arguments are given.
inline void Trace(std::string_view call, std::initializer_list<std::string_view> arguments = {}) {
    if (Tracing())
        detail::sendTrace(call, arguments);
}

} // namespace fw
