#include "fuzz/entries/PropertyTargets.h"

#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/PropertySetter.h"
#include "framework/ui/WindowOperations.h"
#include "fuzz/entries/OffscreenGui.h"
#include "fuzz/entries/PropertySnapshot.h"
#include "window/PropertyRecords.h"
#include "window/Texts.h"

#include <string_view>

namespace fuzz_entries {
namespace {

template <class C>
fw::Ref<C> newControl() {
    const fw::ClassRecord* record = C::Lookup();
    const fw::Ref<C> control = fw::RuntimeCheckCast<C>(fw::RuntimeNewObject(record), record);
    using Constructor = void(fw::RectControl*);
    fw::Operation<Constructor>(*control, fw::operationIndex(fw::RectControlOp::Constructor))(control.get());
    return control;
}

void add(fw::Window& window, const fw::String& name, const fw::Ref<fw::Object>& control) {
    fw::WindowOperation<fw::window_operation::AddControl>(window, fw::WindowOp::AddControl)(&window, name,
                                                                                            control);
}

// The kept windows live until the process ends, as the framework holds its
// windows until they close; they are never destroyed, so that nothing of
// them outlives the application object at exit.
struct InstallerWindow {
    fw::Ref<Window1::Window1> window = Window1::Instance();
    PropertySnapshot asMade = hidden(*window);

    // Between inputs the window is hidden: a window that is not shown is not
    // drawn, not even for the events that an input left queued when it made
    // the window huge.
    static PropertySnapshot hidden(Window1::Window1& w) {
        using namespace std::literals;
        fw::SetProperties(fw::Ref<fw::Object>::retain(&w), fw::String("Visible \0"sv));
        settleGui();
        return PropertySnapshot(w);
    }
};

struct ControlWindow {
    fw::Ref<fw::Window> window;

    ControlWindow() {
        const fw::ClassRecord* record = fw::Window::Lookup();
        window = fw::RuntimeCheckCast<fw::Window>(fw::RuntimeNewObject(record), record);
        fw::WindowOperation<fw::window_operation::Constructor>(*window,
                                                               fw::WindowOp::Constructor)(window.get());
        const fw::Ref<fw::RoundRectangle> parent = newControl<fw::RoundRectangle>();
        add(*window, Window1::texts::kButtonName.text(), parent);
        fw::SetProperties(parent, Window1::records::kButton);
    }
};

InstallerWindow& keptInstallerWindow() {
    static InstallerWindow* const kept = [] {
        startOffscreenGui();
        return new InstallerWindow;
    }();
    return *kept;
}

fw::Window& controlWindow() {
    static ControlWindow* const kept = [] {
        startOffscreenGui();
        return new ControlWindow;
    }();
    return *kept->window;
}

} // namespace

InstallerWindowAsMade::InstallerWindowAsMade() {
    keptInstallerWindow();
}

InstallerWindowAsMade::~InstallerWindowAsMade() {
    InstallerWindow& kept = keptInstallerWindow();
    kept.asMade.restore(*kept.window);
    settleGui();
}

Window1::Window1& InstallerWindowAsMade::window() const {
    return *keptInstallerWindow().window;
}

template <class C>
ControlInWindow<C>::ControlInWindow() {
    fw::Window& window = controlWindow();
    control_ = newControl<C>();
    add(window, fw::String("fuzzed"), control_);
}

template <class C>
ControlInWindow<C>::~ControlInWindow() {
    fw::Window& window = controlWindow();
    fw::WindowOperation<fw::window_operation::RemoveControl>(window, fw::WindowOp::RemoveControl)(
        &window, fw::Ref<fw::Control>(control_));
    settleGui();
}

template class ControlInWindow<fw::RoundRectangle>;
template class ControlInWindow<fw::Label>;

} // namespace fuzz_entries
