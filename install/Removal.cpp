// The removal: the installed bundle's known entries from the bottom up, the
// bundle folder last, then the forty font files. The fonts folder and "Fonts"
// stay, and nothing outside the catalogue is ever deleted.

#include "framework/runtime/Exception.h"
#include "framework/ui/BackgroundTask.h"
#include "install/Catalogue.h"
#include "install/Run.h"

namespace installer {
namespace {

// A single step: skipped silently when its entry is absent; a failure ends
// the run. Returns false when the run is to end.
bool deleteIfPresent(Run& run, std::initializer_list<fw::String> names) {
    run.current = run.itemOnVolume(names);
    if (!fw::NotNil(run.current).Exists())
        return true;
    run.current->Delete();
    return !run.reportedError();
}

// A series: rows `first` to `last` of `list`, each deleted without a presence
// test, inside the folder at `folder`; a failure leaves the series.
template <class PathOf>
void deleteSeries(Run& run, const fw::Ref<fw::Array>& list, std::int32_t first, std::int32_t last,
                  PathOf pathOf) {
    for (run.counter = first; run.counter <= last; ++run.counter) {
        const fw::String& name = fw::NotNil(list).StringAt(run.counter);
        run.current = pathOf(name);
        fw::NotNil(run.current).Delete();
        if (run.reportedError())
            return;
        fw::RuntimeBackgroundTask();
    }
}

} // namespace

void removeInstalled(Run& run) {
    const fw::String& lib = kLibrary;
    const fw::String& layouts = kKeyboardLayouts;
    const fw::String& bundle = kKeyboardBundle;

    if (!deleteIfPresent(run,
                         {lib, layouts, bundle, kContents, kResources, "English.lproj", "InfoPlist.strings"}))
        return;
    if (!deleteIfPresent(run, {lib, layouts, bundle, kContents, kResources, "English.lproj"}))
        return;
    deleteSeries(run, run.keyboardItems, 1, kLastKeyboardRow, [&](const fw::String& name) {
        return run.itemOnVolume({lib, layouts, bundle, kContents, kResources, name});
    });
    for (auto path : {std::initializer_list<fw::String>{lib, layouts, bundle, kContents, kResources},
                      std::initializer_list<fw::String>{lib, layouts, bundle, kContents, "Info.plist"},
                      std::initializer_list<fw::String>{lib, layouts, bundle, kContents, "version.plist"},
                      std::initializer_list<fw::String>{lib, layouts, bundle, kContents},
                      std::initializer_list<fw::String>{lib, layouts, bundle}})
        if (!deleteIfPresent(run, path))
            return;
    deleteSeries(run, run.fontItems, 1, kLastFontRow, [&](const fw::String& name) {
        return run.itemOnVolume({lib, kFonts, kFontsFolder, name});
    });
    run.finish(kRemovedMessage);
}

} // namespace installer
