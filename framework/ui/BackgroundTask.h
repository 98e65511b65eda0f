#pragma once
// The background-task hook that long work calls between its steps: it lets
// the window repaint and timers run, and delivers no user input.

#include <functional>

namespace fw {

void RuntimeBackgroundTask();

// Tests observe the calls; an empty function removes the observer.
void SetBackgroundTaskObserverForTesting(std::function<void()> observer);

} // namespace fw
