#pragma once
// Test-only control of the event loop: a test that runs the whole program
// ends the loop from inside it, without sleeping or timing anything.

#include <functional>

namespace fw {

// Runs `hook` once each time RuntimeRun's loop has started and handled what
// was waiting, as a handler would run (an exception it raises is kept and
// ends the loop). An empty function removes it.
void SetEventLoopIdleHookForTesting(std::function<void()> hook);

// Closes every open window, which ends the loop as a person closing the last
// window would.
void CloseAllWindows();

} // namespace fw
