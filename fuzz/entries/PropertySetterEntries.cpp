// The mass property setter on its three targets. A record is either applied
// or refused with PropertyRecordException, and a refused record leaves every
// property as it was.

#include "framework/runtime/Exception.h"
#include "framework/runtime/PropertySetter.h"
#include "fuzz/entries/Fault.h"
#include "fuzz/entries/FuzzEntries.h"
#include "fuzz/entries/OffscreenGui.h"
#include "fuzz/entries/PropertySnapshot.h"
#include "fuzz/entries/PropertyTargets.h"

#include <string>
#include <string_view>

namespace fuzz_entries {
namespace {

std::string joined(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& name : names)
        out += (out.empty() ? "" : ", ") + name;
    return out;
}

void applyOrRefuse(fw::Object& target, Input input) {
    const fw::String record(std::string_view(reinterpret_cast<const char*>(input.data()), input.size()));
    const PropertySnapshot before(target);
    try {
        fw::RuntimeMassPropertySetter(&target, record);
    } catch (const fw::RaisedException& e) {
        if (!dynamic_cast<const fw::PropertyRecordException*>(e.exception().get()))
            throw Fault(std::string("the setter raised ") + e.exception()->className() + ": " +
                        e.exception()->message().str());
        const std::vector<std::string> changed = PropertySnapshot(target).differencesFrom(before);
        if (!changed.empty())
            throw Fault("a refused record changed " + joined(changed));
    }
}

} // namespace

// The window is never drawn: a record may make it 32000 by 32000, the
// framework's own limit, and on the offscreen platform, which no screen
// bounds, drawing that needs 4 GB of backing store.
void windowProperties(Input input) {
    const InstallerWindowAsMade installer;
    applyOrRefuse(installer.window(), input);
}

// Controls are drawn too, inside their window, with what the record gave them.
void buttonProperties(Input input) {
    const ControlInWindow<fw::RoundRectangle> button;
    applyOrRefuse(button.control(), input);
    settleGui();
}

void labelProperties(Input input) {
    const ControlInWindow<fw::Label> label;
    applyOrRefuse(label.control(), input);
    settleGui();
}

} // namespace fuzz_entries
