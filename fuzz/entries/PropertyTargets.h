#pragma once
// The objects the mass property setter is fuzzed on, with real widgets on
// the offscreen platform. Making a window costs far more than an input, so
// the windows are made once and kept for the whole process; the controls are
// made anew for every input.

#include "framework/runtime/Ref.h"
#include "framework/ui/Label.h"
#include "framework/ui/RoundRectangle.h"
#include "window/Window1.h"

namespace fuzz_entries {

// The installer window, made once as the program makes it, then hidden.
// When this goes, the window gets back those property values, so that every
// input starts from the same window, and a window that an input made huge
// is never drawn by whatever processes events next.
class InstallerWindowAsMade {
public:
    InstallerWindowAsMade();
    ~InstallerWindowAsMade();
    InstallerWindowAsMade(const InstallerWindowAsMade&) = delete;
    InstallerWindowAsMade& operator=(const InstallerWindowAsMade&) = delete;

    Window1::Window1& window() const;
};

// A control made and constructed through its own class record and added to
// a kept window of the framework's own class, so that it has its widget. The
// kept window also holds a rounded rectangle named as the label record's
// initial parent. The control leaves the window when this goes.
template <class C>
class ControlInWindow {
public:
    ControlInWindow();
    ~ControlInWindow();
    ControlInWindow(const ControlInWindow&) = delete;
    ControlInWindow& operator=(const ControlInWindow&) = delete;

    C& control() const { return *control_; }

private:
    fw::Ref<C> control_;
};

extern template class ControlInWindow<fw::RoundRectangle>;
extern template class ControlInWindow<fw::Label>;

} // namespace fuzz_entries
