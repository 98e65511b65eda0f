#pragma once
// The event loop on Qt. No C++ exception crosses Qt: a handler that the
// framework runs from inside Qt goes through CallFromEventLoop, which keeps
// an exception, stops the loop, and RuntimeRun passes it on to its caller.

#include <exception>
#include <utility>

namespace fw {

// Makes the GUI application object if there is none yet.
void EnsureGuiApplication();

// Runs the event loop until the last window closes, then rethrows an
// exception that a handler raised.
void RuntimeRun();

// Keeps the first exception raised inside the loop and asks the loop to stop.
void KeepEventLoopException(std::exception_ptr e);
// The kept exception, if any, cleared.
std::exception_ptr TakeEventLoopException();

template <class F, class R = decltype(std::declval<F>()())>
R CallFromEventLoop(F&& f, R onException = R()) {
    try {
        return std::forward<F>(f)();
    } catch (...) {
        KeepEventLoopException(std::current_exception());
        return onException;
    }
}

template <class F>
void CallFromEventLoopVoid(F&& f) {
    try {
        std::forward<F>(f)();
    } catch (...) {
        KeepEventLoopException(std::current_exception());
    }
}

} // namespace fw
