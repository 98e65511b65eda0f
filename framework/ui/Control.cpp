// Control and RectControl: their class records, built from their tables,
// their event tables and RuntimeAddEventHandler.

#include "framework/ui/Control.h"

#include "framework/ui/ControlWidget.h"
#include "framework/ui/PropertyTable.h"
#include "framework/ui/Window.h"
#include "framework/ui/WindowOperations.h"
#include "framework/ui/WindowWidget.h"

#include <algorithm>
#include <cassert>

namespace fw {

const ClassRecord* Control::Lookup() {
    static const ClassRecord record = [] {
        using namespace property_table;
        using S = ControlState;
        ClassRecord r = BuildFrameworkClass("Control", nullptr, &AllocateAs<Control>,
                                            {{"Close", CodeRef::of(&Control::Close)}}, {"Open", "Close"},
                                            {
                                                State<&S::name>("Name"),
                                                State<&S::index>("Index"),
                                                State<&S::tabPanelIndex>("TabPanelIndex"),
                                            });
        assert(r.vtable.size() == static_cast<std::size_t>(ControlOp::Count_));
        assert(r.events.size() == eventNumber(ControlEvent::Count_));
        r.instanceSize = sizeof(Control);
        return r;
    }();
    return &record;
}

Control::Control() = default;
Control::~Control() = default;

void Control::Close(Control* self) {
    if (!self)
        RaiseNilObjectException();
    if (Window* w = self->window())
        WindowOperation<window_operation::RemoveControl>(*w, WindowOp::RemoveControl)(
            w, Ref<Control>::retain(self));
}

const ControlEventEntry* Control::eventEntry(std::size_t event) const noexcept {
    return event < events_.size() ? &events_[event] : nullptr;
}

Delegate* Control::eventDelegate(std::size_t event) const noexcept {
    const ControlEventEntry* entry = eventEntry(event);
    return entry ? entry->delegate.get() : nullptr;
}

void Control::setEventHandler(std::size_t event, CodeRef stub, Ref<Delegate> delegate) {
    const ClassRecord* record = classRecord();
    if (!record || event >= record->events.size())
        RaiseOutOfBoundsException("the control has no event of that number");
    makeEventTableRoom();
    events_[event] = {stub, std::move(delegate)};
}

void Control::makeEventTableRoom() {
    if (const ClassRecord* record = classRecord(); record && events_.size() < record->events.size())
        events_.resize(record->events.size());
}

void RuntimeAddEventHandler(const Ref<Control>& control, std::int32_t event, CodeRef stub,
                            const Ref<Delegate>& delegate) {
    Control& c = NotNil(control);
    NotNil(delegate);
    if (event < 0)
        RaiseOutOfBoundsException("the control has no event of that number");
    c.setEventHandler(static_cast<std::size_t>(event), stub, delegate);
}

const ClassRecord* RectControl::Lookup() {
    static const ClassRecord record = [] {
        using namespace property_table;
        using S = RectControlState;
        ClassRecord r = BuildFrameworkClass("RectControl", Control::Lookup(), &AllocateAs<RectControl>,
                                            {
                                                {"Refresh", CodeRef::of(&RectControl::Refresh)},
                                                {"SetFocus", CodeRef::of(&RectControl::SetFocus)},
                                                {"Constructor", CodeRef::of(&RectControl::Constructor)},
                                            },
                                            {"DragEnter", "DragExit", "MouseEnter", "MouseExit", "DragOver",
                                             "DropObject", "ConstructContextualMenu", "ContextualMenuAction",
                                             "MouseWheel", "KeyDown", "KeyUp", "GotFocus", "LostFocus"},
                                            {
                                                State<&S::left>("Left"),
                                                State<&S::top>("Top"),
                                                State<&S::width>("Width"),
                                                State<&S::height>("Height"),
                                                State<&S::lockLeft>("LockLeft"),
                                                State<&S::lockTop>("LockTop"),
                                                State<&S::lockRight>("LockRight"),
                                                State<&S::lockBottom>("LockBottom"),
                                                State<&S::tabIndex>("TabIndex"),
                                                State<&S::visible>("Visible"),
                                                State<&S::enabled>("Enabled"),
                                                State<&S::autoDeactivate>("AutoDeactivate"),
                                                State<&S::helpTag>("HelpTag"),
                                                WriteOnly<&RectControl::setInitialParent>("InitialParent"),
                                            });
        assert(r.vtable.size() == static_cast<std::size_t>(RectControlOp::Count_));
        assert(r.events.size() == eventNumber(RectControlEvent::Count_));
        r.instanceSize = sizeof(RectControl);
        return r;
    }();
    return &record;
}

RectControl::RectControl() = default;

RectControl::~RectControl() {
    if (widget_)
        widget_->controlGone();
}

// RectControlDefaultConstructor: a control is whole from here on, with room
// in its event table for every event of its class.
void RectControl::Constructor(RectControl* self) {
    if (!self)
        RaiseNilObjectException();
    RectControl& c = *self;
    c.makeEventTableRoom();
    c.constructed_ = true;
}

void RectControl::Refresh(RectControl* self) {
    if (!self)
        RaiseNilObjectException();
    if (self->widget_)
        self->widget_->update();
}

void RectControl::SetFocus(RectControl* self) {
    if (!self)
        RaiseNilObjectException();
    if (self->widget_)
        self->widget_->setFocus(Qt::OtherFocusReason);
}

void RectControl::setInitialParent(const String& name) {
    initialParent_ = name;
    stateChanged();
}

RectControl* RectControl::initialParent() const {
    if (!window() || initialParent_.empty())
        return nullptr;
    auto* parent = dynamic_cast<RectControl*>(window()->controlNamed(initialParent_.bytes()).get());
    return parent == this ? nullptr : parent;
}

void RectControl::dispatchMouseEnter() {
    dispatch<RectControlStub>(this, eventNumber(RectControlEvent::MouseEnter));
}

void RectControl::dispatchMouseExit() {
    dispatch<RectControlStub>(this, eventNumber(RectControlEvent::MouseExit));
}

void RectControl::contentResized(std::int32_t dx, std::int32_t dy) {
    if (!state_.lockRight && !state_.lockBottom)
        return;
    if (state_.lockRight) {
        if (state_.lockLeft)
            state_.width += dx;
        else
            state_.left += dx;
    }
    if (state_.lockBottom) {
        if (state_.lockTop)
            state_.height += dy;
        else
            state_.top += dy;
    }
    stateChanged();
}

// A control that lies over another follows it, so every control of the
// window is brought up to date.
void RectControl::stateChanged() {
    if (!window()) {
        if (widget_)
            widget_->sync();
        return;
    }
    for (const Window::NamedControl& c : window()->controls())
        if (auto* rect = dynamic_cast<RectControl*>(c.control.get()); rect && rect->widget_)
            rect->widget_->sync();
}

void RectControl::attachedTo(Window* window) {
    Control::attachedTo(window);
}

void RectControl::detachedFromWindow() {
    if (widget_) {
        widget_->controlGone();
        widget_ = nullptr;
    }
    Control::detachedFromWindow();
}

void RectControl::windowViewReady() {
    if (widget_ || !window() || !window()->widget())
        return;
    widget_ = makeWidget();
    stateChanged();
}

ControlWidget* RectControl::makeWidget() {
    return new ControlWidget(*this, window()->widget()->content());
}

} // namespace fw
