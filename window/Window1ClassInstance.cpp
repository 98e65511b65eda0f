// Window1's implicit-instance accessor: the installer window that the
// framework already holds, or a new one, constructed by Window's default
// construction. The program keeps neither a flag nor a reference of its own.

#include "framework/runtime/StackCheck.h"
#include "framework/ui/WindowList.h"
#include "window/Window1.h"

namespace Window1 {

fw::Ref<Window1> Instance() {
    fw::RuntimeStackCheck();
    fw::Ref<fw::Object> window = fw::GetImplicitWindow(fw::String("Window1.Window1"));
    if (!window) {
        const fw::Ref<fw::Object> allocated = fw::RuntimeNewObject(Window1::Lookup());
        auto* made = dynamic_cast<fw::Window*>(allocated.get());
        fw::Operation<void(fw::Window*)>(made, static_cast<std::size_t>(fw::WindowOp::Constructor))(made);
        window = allocated;
    }
    return fw::RuntimeCheckCast<Window1>(window, Window1::Lookup());
}

} // namespace Window1
