#pragma once
// Controls: the parts of a window that the user sees and presses. A control
// belongs to the window it was added to, and its position and size count in
// that window's content area. Each control has an event table of its own:
// an entry holds the stub that the framework's dispatch calls together with
// the handler delegate that the stub passes the event on to.

#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Delegate.h"
#include "framework/runtime/Object.h"
#include "framework/runtime/String.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace fw {

class Control;
class ControlWidget;
class RectControl;
class Window;
namespace property_table {
template <auto>
struct Stored;
}

// Operations, in the order of the tables; each takes the control first.
enum class ControlOp : std::size_t {
    Close, // "Close": the control leaves its window
    Count_,
};
enum class RectControlOp : std::size_t {
    Refresh = static_cast<std::size_t>(ControlOp::Count_), // "Refresh"
    SetFocus,                                              // "SetFocus"
    Constructor,                                           // "Constructor"
    Count_,
};

inline constexpr std::size_t operationIndex(ControlOp op) {
    return static_cast<std::size_t>(op);
}
inline constexpr std::size_t operationIndex(RectControlOp op) {
    return static_cast<std::size_t>(op);
}

// Events, by position in the event tables; a subclass's follow its parent's.
enum class ControlEvent : std::size_t { Open, Close, Count_ };
enum class RectControlEvent : std::size_t {
    DragEnter = static_cast<std::size_t>(ControlEvent::Count_),
    DragExit,
    MouseEnter,
    MouseExit,
    DragOver,
    DropObject,
    ConstructContextualMenu,
    ContextualMenuAction,
    MouseWheel,
    KeyDown,
    KeyUp,
    GotFocus,
    LostFocus,
    Count_,
};

inline constexpr std::size_t eventNumber(ControlEvent e) {
    return static_cast<std::size_t>(e);
}
inline constexpr std::size_t eventNumber(RectControlEvent e) {
    return static_cast<std::size_t>(e);
}

// The stub form of RectControl's events without arguments (MouseEnter, MouseExit).
using RectControlStub = void(RectControl* control);

struct ControlEventEntry {
    CodeRef stub;           // what the dispatch calls; empty: the event runs nothing
    Ref<Delegate> delegate; // what the stub passes the event on to
};

struct ControlState {
    using Owner = Control;
    String name;
    std::int32_t index = std::numeric_limits<std::int32_t>::min(); // the least Int32: not in a control set
    std::int32_t tabPanelIndex = 0;
};

class Control : public Object {
public:
    Control();
    ~Control() override;

    static const ClassRecord* Lookup();
    static void Close(Control* self);

    const ControlState& controlState() const noexcept { return state_; }
    // The window the control was added to; nil before that, and once that
    // window has gone.
    Window* window() const noexcept { return window_; }

    // The entry of `event` in the control's own table; nil past its end.
    const ControlEventEntry* eventEntry(std::size_t event) const noexcept;
    // The delegate of that entry, as an event stub reads it; takes no reference.
    Delegate* eventDelegate(std::size_t event) const noexcept;
    // Fills both halves of the entry together. A number past the class's
    // events raises OutOfBoundsException.
    void setEventHandler(std::size_t event, CodeRef stub, Ref<Delegate> delegate);

    // The window's view exists now: a control that shows makes its widget.
    virtual void windowViewReady() {}

protected:
    // Runs the stub of `event` with `self` and the arguments; an entry
    // without a stub runs nothing and gives the result type's zero (False).
    // The control is held while the handler runs, which may drop the last
    // other reference to it.
    template <class Stub, class Self, class... Args>
    auto dispatch(Self* self, std::size_t event, Args... args) {
        using Result = decltype(std::declval<Stub*>()(self, args...));
        const Ref<Control> protector = Ref<Control>::retain(this);
        const ControlEventEntry* entry = eventEntry(event);
        if (!entry || !entry->stub)
            return Result();
        return entry->stub.as<Stub>()(self, args...);
    }

    // Gives the event table room for every event of the object's class.
    void makeEventTableRoom();
    virtual void stateChanged() {}
    // The window tells the control when it is added and when the window goes.
    virtual void attachedTo(Window* window) { window_ = window; }
    virtual void detachedFromWindow() { window_ = nullptr; }

private:
    friend class Window;
    friend struct WindowCode;
    template <auto>
    friend struct property_table::Stored;

    ControlState state_;
    Window* window_ = nullptr;
    std::vector<ControlEventEntry> events_;
};

// TabIndex, AutoDeactivate, and Control's Index and TabPanelIndex are kept
// for whoever reads them: no control of this framework takes the keyboard
// focus, none deactivates with its window, and a window has no tab panels.
struct RectControlState {
    using Owner = RectControl;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 100;
    std::int32_t height = 100;
    bool lockLeft = true;
    bool lockTop = true;
    bool lockRight = false;
    bool lockBottom = false;
    std::int32_t tabIndex = 0;
    bool visible = true;
    bool enabled = true;
    bool autoDeactivate = true;
    String helpTag;
};

class RectControl : public Control {
public:
    RectControl();
    ~RectControl() override;

    static const ClassRecord* Lookup();
    // RectControl.Constructor (RectControlDefaultConstructor).
    static void Constructor(RectControl* self);
    static void Refresh(RectControl* self);
    static void SetFocus(RectControl* self);

    const RectControlState& rectState() const noexcept { return state_; }
    bool constructed() const noexcept { return constructed_; }

    // InitialParent: the name of the control it is shown over.
    void setInitialParent(const String& name);
    // That control, found in its window; nil when unnamed or not there.
    RectControl* initialParent() const;

    // The framework's dispatch of the pointer entering and leaving it.
    void dispatchMouseEnter();
    void dispatchMouseExit();

    // The window's content area grew by (dx, dy): the control follows the
    // edges it is locked to.
    void contentResized(std::int32_t dx, std::int32_t dy);

    // The control's widget (ControlWidget.h); nil until it is in a window.
    ControlWidget* widget() const noexcept { return widget_; }
    void widgetGone() noexcept { widget_ = nullptr; }

protected:
    void stateChanged() override;
    void attachedTo(Window* window) override;
    void detachedFromWindow() override;
    void windowViewReady() override;
    // The widget of this kind of control, in the window's content area.
    virtual ControlWidget* makeWidget();

private:
    template <auto>
    friend struct property_table::Stored;

    RectControlState state_;
    String initialParent_;
    bool constructed_ = false;
    ControlWidget* widget_ = nullptr;
};

// RuntimeAddEventHandler: from now on, when `event` of `control` fires, the
// dispatch calls `stub`, which passes it on to `delegate`. The entry takes
// its own reference to the delegate. A nil control or delegate raises
// NilObjectException.
void RuntimeAddEventHandler(const Ref<Control>& control, std::int32_t event, CodeRef stub,
                            const Ref<Delegate>& delegate);

} // namespace fw
