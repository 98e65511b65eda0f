#pragma once
// Close requests from the window manager (framework only). During a run,
// the window system holds a person's close back, and a message box of the
// run then blocks the window, which would drop it; the framework takes it
// instead and closes the window when the run is over.

namespace fw {

// Starts watching, once the GUI application exists; further calls do
// nothing.
void WatchCloseRequests();

} // namespace fw
