#pragma once
// The form of each of Window's operations, named as in WindowOp; each takes
// the window first. Callers read an operation from the window's own table:
//     Operation<window_operation::AddControl>(*w, operationIndex(WindowOp::AddControl))

#include "framework/runtime/Array.h"
#include "framework/runtime/ClassRecord.h"
#include "framework/ui/Window.h"

#include <cstdint>

namespace fw {

class Graphics;

namespace window_operation {
using Show = void(Window*);
using ShowWithin = void(Window*, const Ref<Window>& parent, std::int32_t facing);
using ShowModalWithin = void(Window*, const Ref<Window>& parent);
using Hide = void(Window*);
using Close = void(Window*);
using Refresh = void(Window*, bool eraseBackground);
using RefreshRect = void(Window*, std::int32_t left, std::int32_t top, std::int32_t width,
                         std::int32_t height, bool eraseBackground);
using ShowModal = void(Window*);
// This framework has no drag and drop: the item is always nil.
using NewDragItem = Ref<Object>(Window*, std::int32_t left, std::int32_t top, std::int32_t width,
                                std::int32_t height);
using AcceptTextDrop = void(Window*);
using AcceptPictureDrop = void(Window*);
using AcceptFileDrop = void(Window*, const String& fileType);
using AcceptMacDataDrop = void(Window*, const String& dataType);
using AcceptRawDataDrop = void(Window*, const String& dataType);
using Control = Ref<fw::Control>(Window*, std::int32_t index);
using SetFocus = void(Window*);
using DrawInto = void(Window*, const Ref<Graphics>& g, std::int32_t x, std::int32_t y, bool drawBackground);
using DrawBackground = void(Window*, const Ref<Graphics>& g, std::int32_t left, std::int32_t top,
                            std::int32_t width, std::int32_t height, std::int32_t originX,
                            std::int32_t originY);
using UpdateNow = void(Window*);
using AddControl = void(Window*, const String& name, const Ref<Object>& control);
using AddMenuHandler = void(Window*, const String& menuItemName, CodeRef handler);
using WindowConstructor = void(Window*); // "Window": the older name of Constructor
// The view's native handle.
using Operator_Convert = std::uintptr_t(Window*);
using New = Ref<Object>(Window*, const ClassRecord* record);
using Move = void(Window*, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);
using Maximize = void(Window*);
using Minimize = void(Window*);
using Restore = void(Window*);
using Update = void(Window*);
using CallMoved = void(Window*);
using EnableMenuItems = void(Window*, const Ref<Array>& menuItems);
using CallActivated = void(Window*);
using CallDeactivated = void(Window*);
using HandleMenuCommand = bool(Window*, const Ref<MenuItem>& item);
using UnifiedClose = bool(Window*, bool appQuitting);
using CallMouseDown = bool(Window*, std::int32_t x, std::int32_t y);
using CallResized = void(Window*);
using CallResizing = void(Window*);
using RemoveControl = void(Window*, const Ref<fw::Control>& control);
using MouseEnter = void(Window*);
using MouseExit = void(Window*);
using MouseMove = void(Window*, std::int32_t x, std::int32_t y);
using Paint = void(Window*, const Ref<Graphics>& g);
using MouseWheel = bool(Window*, std::int32_t x, std::int32_t y, std::int32_t deltaX, std::int32_t deltaY);
using KeyDown = bool(Window*, const String& key);
using DependencyList = void(Window*);
using Constructor = void(Window*);
using TrueWindow = Ref<Window>(Window*);
using FocusNext = void(Window*);
using FocusPrevious = void(Window*);
using ControlByName = Ref<Object>(Window*, const String& name);
using ControlByNameIndex = Ref<Object>(Window*, const String& name, std::int32_t index);
} // namespace window_operation

// The forms of the window's event hooks, the class's code that the event
// dispatch calls directly.
namespace window_event {
using Hook = void(Window*);                                      // every event not named below
using KeyHook = bool(Window*, const String& key);                // KeyDown, KeyUp: True when handled
using MouseHook = void(Window*, std::int32_t x, std::int32_t y); // MouseMove, MouseDrag, MouseUp
using MouseDownHook = bool(Window*, std::int32_t x, std::int32_t y);
using CancelCloseHook = bool(Window*, bool appQuitting); // True keeps the window open
using MouseWheelHook = bool(Window*, std::int32_t x, std::int32_t y, std::int32_t deltaX,
                            std::int32_t deltaY);
using PaintHook = void(Window*, Graphics* g);
} // namespace window_event

// The operation `op` of the window's own table, read as F.
template <class F>
F* WindowOperation(const Window& w, WindowOp op) {
    return Operation<F>(w, operationIndex(op));
}

} // namespace fw
