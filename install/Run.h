#pragma once
// The state of one run of the engine. Everything in it belongs to the run and
// is released when the run ends, normally or by an exception.

#include "framework/files/FolderItem.h"
#include "framework/runtime/Array.h"
#include "framework/ui/Window.h"

#include <cstdint>
#include <initializer_list>

namespace installer {

struct Run {
    explicit Run(fw::Window* self);

    fw::Ref<fw::Window> window;      // held for the whole run
    fw::Ref<fw::FolderItem> current; // the item of the branch test, every delete, copy and report
    fw::Ref<fw::FolderItem> destination;
    std::int32_t counter = 0; // one counter serves every series
    fw::Ref<fw::Array> keyboardItems;
    fw::Ref<fw::Array> fontItems;
    bool errorShown = false;

    // A new file item, made by the window and not yet constructed.
    fw::Ref<fw::FolderItem> newItem();
    // A new item for the entry at `names` below the start-up volume.
    fw::Ref<fw::FolderItem> itemOnVolume(std::initializer_list<fw::String> names);

    // The error report on the current item: shows a code above 0 and marks
    // the run as failed; true when it did.
    bool reportedError();
    // The branch's closing message, unless an error was shown.
    void finish(const fw::String& successMessage);
};

// Follows `names` from `start`, one child at a time; every item that is asked
// for a child is tested first, the last one is handed back untested.
fw::Ref<fw::FolderItem> walk(fw::Ref<fw::FolderItem> start, std::initializer_list<fw::String> names);

void removeInstalled(Run& run);
void installByCopy(Run& run);

} // namespace installer
