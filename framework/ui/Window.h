#pragma once
// Windows. The program makes framework objects inside a window operation
// with Window::New (the framework's Window.__New).

#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Object.h"

#include <cstddef>

namespace fw {

// Window's operations, in the order of its table; each takes the window first.
// Names that begin with underscores in the table lose them here.
enum class WindowOp : std::size_t {
    Show,               // "Show"
    ShowWithin,         // "ShowWithin"
    ShowModalWithin,    // "ShowModalWithin"
    Hide,               // "Hide"
    Close,              // "Close"
    Refresh,            // "Refresh"
    RefreshRect,        // "RefreshRect"
    ShowModal,          // "ShowModal"
    NewDragItem,        // "NewDragItem"
    AcceptTextDrop,     // "AcceptTextDrop"
    AcceptPictureDrop,  // "AcceptPictureDrop"
    AcceptFileDrop,     // "AcceptFileDrop"
    AcceptMacDataDrop,  // "AcceptMacDataDrop"
    AcceptRawDataDrop,  // "AcceptRawDataDrop"
    Control,            // "Control"
    SetFocus,           // "SetFocus"
    DrawInto,           // "DrawInto"
    DrawBackground,     // "_DrawBackground"
    UpdateNow,          // "UpdateNow"
    AddControl,         // "_AddControl"
    AddMenuHandler,     // "_AddMenuHandler"
    Window,             // "Window"
    Operator_Convert,   // "Operator_Convert"
    New,                // "__New"
    Move,               // "_Move"
    Maximize,           // "Maximize"
    Minimize,           // "Minimize"
    Restore,            // "Restore"
    Update,             // "_Update"
    CallMoved,          // "_CallMoved"
    EnableMenuItems,    // "_EnableMenuItems"
    CallActivated,      // "_CallActivated"
    CallDeactivated,    // "_CallDeactivated"
    HandleMenuCommand,  // "_HandleMenuCommand"
    UnifiedClose,       // "_UnifiedClose"
    CallMouseDown,      // "_CallMouseDown"
    CallResized,        // "_CallResized"
    CallResizing,       // "_CallResizing"
    RemoveControl,      // "_RemoveControl"
    MouseEnter,         // "_MouseEnter"
    MouseExit,          // "_MouseExit"
    MouseMove,          // "_MouseMove"
    Paint,              // "_Paint"
    MouseWheel,         // "_MouseWheel"
    KeyDown,            // "_KeyDown"
    DependencyList,     // "__DependencyList"
    Constructor,        // "Constructor"
    TrueWindow,         // "TrueWindow"
    FocusNext,          // "FocusNext"
    FocusPrevious,      // "FocusPrevious"
    ControlByName,      // "_ControlByName"
    ControlByNameIndex, // "_ControlByNameIndex"
    Count_,
};

// Window's events, by position in its event table.
enum class WindowEvent : std::size_t {
    Layout,
    CreateControls,
    AddMenuHandlers,
    SetupBindings,
    Open,
    Close,
    CancelClose,
    KeyDown,
    KeyUp,
    MouseMove,
    MouseEnter,
    MouseExit,
    Paint,
    MouseDown,
    MouseDrag,
    MouseUp,
    EnableMenuItems,
    Resized,
    Resizing,
    Moved,
    DropObject,
    Activate,
    Deactivate,
    Minimize,
    Maximize,
    Restore,
    MouseWheel,
    ConstructContextualMenu,
    ContextualMenuAction,
    DragEnter,
    DragExit,
    DragOver,
    ContentsChanged,
    Count_,
};

class Window : public Object {
  public:
    Window() = default;
    ~Window() override;

    static const ClassRecord* Lookup();

    // A new object of the given class, not yet constructed; never nil.
    Ref<Object> New(const ClassRecord* record);
};

} // namespace fw
