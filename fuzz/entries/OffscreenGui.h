#pragma once
// The GUI the property targets need, on Qt's offscreen platform, made once
// per process with the program's class records.

namespace fuzz_entries {

void startOffscreenGui();

// Delivers what Qt has queued: repaints, and the deletion of the widgets of
// controls that left their window, which would otherwise wait for an event
// loop that a fuzz run never enters, and pile up input after input.
void settleGui();

} // namespace fuzz_entries
