// The installation: the keyboard bundle and the fonts folder, each copied
// whole out of the installer's own bundle. A failing keyboard copy does not
// keep the fonts from being copied.

#include "framework/runtime/Exception.h"
#include "framework/ui/BackgroundTask.h"
#include "install/Catalogue.h"
#include "install/Run.h"

namespace installer {
namespace {

// One series of a single pass: row 0 of `list`, copied from the installer's
// resources into the destination folder.
void copySeries(Run& run, const fw::Ref<fw::Array>& list) {
    for (run.counter = 0; run.counter <= 0; ++run.counter) {
        run.current = run.newItem();
        run.current->Constructor(fw::String(), 0);
        run.current =
            walk(run.current, {kSourceBundle, kContents, kResources, fw::NotNil(list).StringAt(run.counter)});
        fw::NotNil(run.current).CopyFileTo(run.destination);
        if (run.reportedError())
            return;
        fw::RuntimeBackgroundTask();
    }
}

} // namespace

void installByCopy(Run& run) {
    run.destination = run.itemOnVolume({kLibrary, kKeyboardLayouts});
    copySeries(run, run.keyboardItems);
    run.destination = run.itemOnVolume({kLibrary, kFonts});
    copySeries(run, run.fontItems);
    run.finish(kInstalledMessage);
}

} // namespace installer
