#pragma once
// Menu items and menu bars. A menu bar is a menu item whose children are the
// menus; a program's menu bar class takes the parameterless constructor's
// place in the table.

#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Object.h"
#include "framework/runtime/String.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fw {

// MenuItem's operations, in the order of its table; each takes the item first.
enum class MenuItemOp : std::size_t {
    Enable,           // "Enable"
    Close,            // "Close"
    Item,             // "Item" (Int32) -> MenuItem
    Count,            // "Count" -> Int32
    Child,            // "Child" (String) -> MenuItem
    Append,           // "Append" (MenuItem)
    Insert,           // "Insert" (Int32, MenuItem)
    RemoveAt,         // "Remove" (Int32)
    RemoveItem,       // "Remove" (MenuItem)
    RemoveNamed,      // "Remove" (String)
    LookupNamed,      // "_Lookup" (String) -> MenuItem
    LookupNamedAt,    // "_Lookup" (String, Int32) -> MenuItem
    MenuItem,         // "MenuItem" ()
    ConstructorNamed, // "Constructor" (String, Variant)
    PopUp,            // "PopUp" -> MenuItem
    PopUpAt,          // "PopUp" (Int32, Int32) -> MenuItem
    Swap,             // "_Swap" (String, MenuItem)
    DisableEntirely,  // "_DisableEntirely"
    SelfEnable,       // "_SelfEnable"
    MenuItemNamed,    // "MenuItem" (String, Variant)
    Constructor,      // "Constructor" (): the default menu-item construction
    Count_,
};

// MenuBar's operations: MenuItem's, then its own.
enum class MenuBarOp : std::size_t {
    InstallClone = static_cast<std::size_t>(MenuItemOp::Count_), // "_InstallClone" (MenuItem)
    DependencyList,                                              // "__DependencyList"
    Count_,
};

// MenuItem's events, by position in its event table.
enum class MenuItemEvent : std::size_t { Action, EnableMenu, Count_ };

class MenuItem : public Object {
public:
    MenuItem() = default;
    static const ClassRecord* Lookup();

    using Counter = std::int32_t(MenuItem*);
    using Adder = void(MenuItem*, const Ref<MenuItem>&);
    using Action = void(MenuItem*);

    // The number of items inside this one.
    static std::int32_t Count(MenuItem* self);
    // Adds `item` after the last item inside this one.
    static void Append(MenuItem* self, const Ref<MenuItem>& item);
    // The framework's default menu-item construction.
    static void Constructor(MenuItem* self);

private:
    std::vector<Ref<MenuItem>> children_;
};

// Runs on a menu item made without a program constructor of its own.
void RuntimeMenuItemDefaultConstructor(MenuItem* item);

class MenuBar : public MenuItem {
public:
    MenuBar() = default;
    static const ClassRecord* Lookup();
};

} // namespace fw
