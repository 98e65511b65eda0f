// Window's class record, built from its tables: the operations in the order
// of WindowOp, each with Window's own code; the events in the order of
// WindowEvent; the properties, each with its type, getter and setter.

#include "framework/ui/Window.h"

#include "framework/ui/PropertyTable.h"
#include "framework/ui/WindowCode.h"
#include "framework/ui/WindowWidget.h"

#include <cassert>

namespace fw {
namespace {

template <class F>
OperationSpec op(const char* name, F* code) {
    return {name, CodeRef::of<F>(code)};
}

ClassRecord buildWindowRecord() {
    namespace o = window_operation;
    using W = WindowCode;
    using S = WindowState;
    using namespace property_table;
    ClassRecord r = BuildFrameworkClass(
        "Window", nullptr, &AllocateAs<Window>,
        {
            op<o::Show>("Show", &W::Show),
            op<o::ShowWithin>("ShowWithin", &W::ShowWithin),
            op<o::ShowModalWithin>("ShowModalWithin", &W::ShowModalWithin),
            op<o::Hide>("Hide", &W::Hide),
            op<o::Close>("Close", &W::Close),
            op<o::Refresh>("Refresh", &W::Refresh),
            op<o::RefreshRect>("RefreshRect", &W::RefreshRect),
            op<o::ShowModal>("ShowModal", &W::ShowModal),
            op<o::NewDragItem>("NewDragItem", &W::NewDragItem),
            op<o::AcceptTextDrop>("AcceptTextDrop", &W::AcceptTextDrop),
            op<o::AcceptPictureDrop>("AcceptPictureDrop", &W::AcceptPictureDrop),
            op<o::AcceptFileDrop>("AcceptFileDrop", &W::AcceptFileDrop),
            op<o::AcceptMacDataDrop>("AcceptMacDataDrop", &W::AcceptMacDataDrop),
            op<o::AcceptRawDataDrop>("AcceptRawDataDrop", &W::AcceptRawDataDrop),
            op<o::Control>("Control", &W::ControlAt),
            op<o::SetFocus>("SetFocus", &W::SetFocus),
            op<o::DrawInto>("DrawInto", &W::DrawInto),
            op<o::DrawBackground>("_DrawBackground", &W::DrawBackground),
            op<o::UpdateNow>("UpdateNow", &W::UpdateNow),
            op<o::AddControl>("_AddControl", &W::AddControl),
            op<o::AddMenuHandler>("_AddMenuHandler", &W::AddMenuHandler),
            op<o::WindowConstructor>("Window", &W::WindowConstructor),
            op<o::Operator_Convert>("Operator_Convert", &W::Operator_Convert),
            op<o::New>("__New", &W::New),
            op<o::Move>("_Move", &W::Move),
            op<o::Maximize>("Maximize", &W::Maximize),
            op<o::Minimize>("Minimize", &W::Minimize),
            op<o::Restore>("Restore", &W::Restore),
            op<o::Update>("_Update", &W::Update),
            op<o::CallMoved>("_CallMoved", &W::CallMoved),
            op<o::EnableMenuItems>("_EnableMenuItems", &W::EnableMenuItems),
            op<o::CallActivated>("_CallActivated", &W::CallActivated),
            op<o::CallDeactivated>("_CallDeactivated", &W::CallDeactivated),
            op<o::HandleMenuCommand>("_HandleMenuCommand", &W::HandleMenuCommand),
            op<o::UnifiedClose>("_UnifiedClose", &W::UnifiedClose),
            op<o::CallMouseDown>("_CallMouseDown", &W::CallMouseDown),
            op<o::CallResized>("_CallResized", &W::CallResized),
            op<o::CallResizing>("_CallResizing", &W::CallResizing),
            op<o::RemoveControl>("_RemoveControl", &W::RemoveControl),
            op<o::MouseEnter>("_MouseEnter", &W::MouseEnter),
            op<o::MouseExit>("_MouseExit", &W::MouseExit),
            op<o::MouseMove>("_MouseMove", &W::MouseMove),
            op<o::Paint>("_Paint", &W::Paint),
            op<o::MouseWheel>("_MouseWheel", &W::MouseWheel),
            op<o::KeyDown>("_KeyDown", &W::KeyDown),
            op<o::DependencyList>("__DependencyList", &W::DependencyList),
            op<o::Constructor>("Constructor", &W::Constructor),
            op<o::TrueWindow>("TrueWindow", &W::TrueWindow),
            op<o::FocusNext>("FocusNext", &W::FocusNext),
            op<o::FocusPrevious>("FocusPrevious", &W::FocusPrevious),
            op<o::ControlByName>("_ControlByName", &W::ControlByName),
            op<o::ControlByNameIndex>("_ControlByNameIndex", &W::ControlByNameIndex),
        },
        {
            "Layout",
            "CreateControls",
            "AddMenuHandlers",
            "SetupBindings",
            "Open",
            "Close",
            "CancelClose",
            "KeyDown",
            "KeyUp",
            "MouseMove",
            "MouseEnter",
            "MouseExit",
            "Paint",
            "MouseDown",
            "MouseDrag",
            "MouseUp",
            "EnableMenuItems",
            "Resized",
            "Resizing",
            "Moved",
            "DropObject",
            "Activate",
            "Deactivate",
            "Minimize",
            "Maximize",
            "Restore",
            "MouseWheel",
            "ConstructContextualMenu",
            "ContextualMenuAction",
            "DragEnter",
            "DragExit",
            "DragOver",
            "ContentsChanged",
        },
        {
            State<&S::placement>("Placement"),
            Accessors<&Window::Left, &Window::setLeft>("Left"),
            Accessors<&Window::Top, &Window::setTop>("Top"),
            State<&S::width>("Width"),
            State<&S::height>("Height"),
            State<&S::minWidth>("MinWidth"),
            State<&S::minHeight>("MinHeight"),
            State<&S::maxWidth>("MaxWidth"),
            State<&S::maxHeight>("MaxHeight"),
            State<&S::frame>("Frame"),
            State<&S::composite>("Composite"),
            State<&S::hasBackColor>("HasBackColor"),
            State<&S::backColor>("BackColor"),
            State<&S::backdrop>("Backdrop", "o<Picture>"),
            State<&S::title>("Title"),
            State<&S::visible>("Visible"),
            State<&S::fullScreen>("FullScreen"),
            State<&S::fullScreenButton>("FullScreenButton"),
            State<&S::menuBar>("MenuBar", "o<MenuBar>"),
            State<&S::menuBarVisible>("MenuBarVisible"),
            State<&S::closeButton>("CloseButton"),
            State<&S::resizeable>("Resizeable"),
            State<&S::liveResize>("LiveResize"),
            State<&S::maximizeButton>("MaximizeButton"),
            State<&S::minimizeButton>("MinimizeButton"),
            State<&S::macProcId>("MacProcId"),
            State<&S::mouseCursor>("MouseCursor", "o<MouseCursor>"),
            Accessors<&Window::ContentsChanged, &Window::setContentsChanged>("ContentsChanged"),
            State<&S::implicitInstance>("ImplicitInstance"),
            State<&S::enabled>("Enabled"),
            ReadOnly<&Window::Focus>("Focus", "o<RectControl>"),
            ReadOnly<&Window::ControlCount>("ControlCount"),
            ReadOnly<&Window::MouseX>("MouseX"),
            ReadOnly<&Window::MouseY>("MouseY"),
            ReadOnly<&Window::Active>("Active"),
            ReadOnly<&Window::Minimized>("Minimized"),
            ReadOnly<&Window::Maximized>("Maximized"),
            ReadOnly<&Window::Modal>("Modal"),
            State<&S::staysOnTop>("StaysOnTop"),
            State<&S::opacity>("Opacity"),
            State<&S::icon>("Icon", "o<Picture>"),
            State<&S::documentFile>("DocumentFile", "o<FolderItem>"),
            State<&S::acceptsDrops>("AcceptsDrops"),
            State<&S::activateOnShow>("ActivateOnShow"),
            State<&S::shadowVisible>("ShadowVisible"),
            ReadOnly<&Window::ScreenNumber>("ScreenNumber"),
            ReadOnly<&Window::ScaleFactor>("ScaleFactor"),
            State<&S::updatesLocked>("UpdatesLocked"),
        });
    assert(r.vtable.size() == operationIndex(WindowOp::Count_));
    assert(r.events.size() == eventNumber(WindowEvent::Count_));
    r.instanceSize = sizeof(Window);
    return r;
}

} // namespace

const ClassRecord* Window::Lookup() {
    static const ClassRecord record = buildWindowRecord();
    return &record;
}

Window::Window() = default;

Window::~Window() {
    for (NamedControl& c : controls_)
        c.control->detachedFromWindow();
    if (widget_)
        widget_->ownerGone();
}

Ref<Object> Window::New(const ClassRecord* record) {
    return WindowOperation<window_operation::New>(*this, WindowOp::New)(this, record);
}

Ref<Control> Window::controlNamed(std::string_view name) const {
    for (const NamedControl& c : controls_)
        if (c.name.bytes() == name)
            return c.control;
    return Ref<Control>();
}

void Window::setBackdrop(const Ref<Picture>& picture) {
    state_.backdrop = picture;
    stateChanged();
}

void Window::setMenuBar(const Ref<fw::MenuBar>& menuBar) {
    state_.menuBar = menuBar;
    stateChanged();
}

void Window::setMouseCursor(const Ref<fw::MouseCursor>& cursor) {
    state_.mouseCursor = cursor;
    stateChanged();
}

void Window::setLeft(std::int32_t left) {
    state_.left = left;
    positioned_ = true;
    stateChanged();
}

void Window::setTop(std::int32_t top) {
    state_.top = top;
    positioned_ = true;
    stateChanged();
}

void Window::setContentsChanged(bool changed) {
    if (state_.contentsChanged == changed)
        return;
    state_.contentsChanged = changed;
    const Ref<Window> protector = Ref<Window>::retain(this);
    RunWindowEvent<window_event::Hook>(*this, WindowEvent::ContentsChanged);
}

void Window::stateChanged() {
    if (widget_)
        widget_->sync();
}

Window& TargetWindow(Window* w) {
    if (!w)
        RaiseNilObjectException();
    return *w;
}

} // namespace fw
