#pragma once
// Windows. A window is made bare (RuntimeNewObject) and then constructed
// (Window.Constructor), which builds its view, runs the class's Layout and
// CreateControls hooks, shows it when its Visible says so and runs Open.
// The framework holds a constructed window until it closes. Its size and
// position count its content area, below the menu bar.

#include "framework/files/FolderItem.h"
#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Color.h"
#include "framework/runtime/Object.h"
#include "framework/runtime/String.h"
#include "framework/ui/Control.h"
#include "framework/ui/MenuBar.h"
#include "framework/ui/MouseCursor.h"
#include "framework/ui/Picture.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

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

inline constexpr std::size_t operationIndex(WindowOp op) {
    return static_cast<std::size_t>(op);
}
inline constexpr std::size_t eventNumber(WindowEvent e) {
    return static_cast<std::size_t>(e);
}

class WindowWidget;
class Window;

// What the window's properties hold between uses. Width and Height are the
// content area's; Left and Top its place on the screen. Composite,
// LiveResize and MacProcId are kept for whoever reads them: on this platform
// every window is composited and redrawn while it is resized, and there is
// no window definition to choose.
struct WindowState {
    using Owner = Window;
    std::int32_t placement = 0; // 0: where the platform puts it; otherwise centred on the main screen
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 300;
    std::int32_t height = 300;
    std::int32_t minWidth = 64;
    std::int32_t minHeight = 64;
    std::int32_t maxWidth = 32000;
    std::int32_t maxHeight = 32000;
    std::int32_t frame = 0; // 0 document window; 3 and 7 floating; 4, 5 and 6 plain boxes; others dialogs
    bool composite = false;
    bool hasBackColor = false;
    Color backColor{255, 255, 255};
    Ref<Picture> backdrop;
    String title{"Untitled"};
    bool visible = true;
    bool fullScreen = false;
    bool fullScreenButton = false;
    Ref<MenuBar> menuBar;
    bool menuBarVisible = true;
    bool closeButton = true;
    bool resizeable = true;
    bool liveResize = true;
    bool maximizeButton = true;
    bool minimizeButton = true;
    std::int32_t macProcId = 0;
    Ref<MouseCursor> mouseCursor;
    bool contentsChanged = false;
    bool implicitInstance = true;
    bool enabled = true;
    bool staysOnTop = false;
    float opacity = 1;
    Ref<Picture> icon;
    Ref<FolderItem> documentFile;
    bool acceptsDrops = false;
    bool activateOnShow = true;
    bool shadowVisible = true;
    bool updatesLocked = false;
};

class Window : public Object {
public:
    Window();
    ~Window() override;

    static const ClassRecord* Lookup();

    // Window.__New, through the window's table: a new object of the class,
    // not yet constructed; never nil.
    Ref<Object> New(const ClassRecord* record);

    const WindowState& windowState() const noexcept { return state_; }
    // Whether Window.Constructor has finished on it.
    bool constructed() const noexcept { return constructed_; }

    // The properties that the program sets one by one. Each takes the
    // window's own reference to what it is given; nil is allowed.
    void setBackdrop(const Ref<Picture>& picture);
    void setMenuBar(const Ref<fw::MenuBar>& menuBar);
    void setMouseCursor(const Ref<fw::MouseCursor>& cursor);

    // The controls, in the order they were added, each under its name.
    struct NamedControl {
        String name;
        Ref<Control> control;
    };
    const std::vector<NamedControl>& controls() const noexcept { return controls_; }
    // The first control added under `name`; nil when there is none.
    Ref<Control> controlNamed(std::string_view name) const;

    // Where the content area lies on the screen. Until one of them is set,
    // the platform (or Placement) places the window.
    std::int32_t Left() const { return state_.left; }
    std::int32_t Top() const { return state_.top; }
    void setLeft(std::int32_t left);
    void setTop(std::int32_t top);
    bool positioned() const noexcept { return positioned_; }
    // Setting it to another value runs the ContentsChanged event.
    bool ContentsChanged() const { return state_.contentsChanged; }
    void setContentsChanged(bool changed);

    // Values the window reads from its view when asked.
    std::int32_t MouseX() const;
    std::int32_t MouseY() const;
    std::int32_t ControlCount() const { return static_cast<std::int32_t>(controls_.size()); }
    Ref<RectControl> Focus() const;
    bool Active() const;
    bool Minimized() const;
    bool Maximized() const;
    bool Modal() const { return modal_; }
    std::int32_t ScreenNumber() const;
    float ScaleFactor() const;

    // The window's view (WindowWidget.h); nil until constructed.
    WindowWidget* widget() const noexcept { return widget_; }
    // Brings the view in line with the state.
    void stateChanged();

private:
    friend struct WindowCode;
    template <auto>
    friend struct property_table::Stored;

    WindowState state_;
    std::vector<NamedControl> controls_;
    std::vector<std::pair<String, CodeRef>> menuHandlers_;
    std::vector<String> acceptedDrops_;
    WindowWidget* widget_ = nullptr;
    bool constructed_ = false;
    bool modal_ = false;
    bool positioned_ = false; // Left or Top set
};

} // namespace fw
