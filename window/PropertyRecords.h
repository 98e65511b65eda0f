#pragma once
// The property records of the installer window and of its two controls,
// each entry in the order of its table. The mass property setter applies
// them: the window record in Layout, the other two in CreateControls0.

#include "framework/runtime/PropertyRecord.h"

namespace Window1::records {

namespace pr = fw::property_record;

// One entry a line, as in the tables.
// clang-format off

// A window 333 wide and 455 high, titled, not resizeable.
inline constexpr auto kWindow = pr::Record(
    pr::Int32("Placement", 0),
    pr::Int32("Width", 333),
    pr::Int32("Height", 455),
    pr::Int32("MinWidth", 64),
    pr::Int32("MinHeight", 64),
    pr::Int32("MaxWidth", 32000),
    pr::Int32("MaxHeight", 32000),
    pr::Int32("Frame", 0),
    pr::Boolean("Composite", true),
    pr::Boolean("HasBackColor", false),
    pr::ColorValue("BackColor", {0xFF, 0xFF, 0xFF}),
    pr::Text("Title", u8"Quorvan விசைப் பலகை நிறுவி"),
    pr::Boolean("Visible", true),
    pr::Boolean("FullScreen", false),
    pr::Boolean("MenuBarVisible", true),
    pr::Boolean("CloseButton", true),
    pr::Boolean("Resizeable", false),
    pr::Boolean("LiveResize", true),
    pr::Boolean("MaximizeButton", false),
    pr::Boolean("MinimizeButton", true),
    pr::Int32("MacProcID", 0));

// The pale green rounded button, 182 by 59, centred across the window.
inline constexpr auto kButton = pr::Record(
    pr::Text("Name", u8"RoundRectangle1"),
    pr::Int32("Index", -2147483647 - 1),
    pr::Int32("Left", 75),
    pr::Int32("Top", 198),
    pr::Int32("Width", 182),
    pr::Int32("Height", 59),
    pr::Boolean("LockLeft", true),
    pr::Boolean("LockTop", true),
    pr::Boolean("LockRight", false),
    pr::Boolean("LockBottom", false),
    pr::Int32("TabIndex", 1),
    pr::Int32("TabPanelIndex", 0),
    pr::Boolean("Visible", true),
    pr::Text("HelpTag", u8""),
    pr::Boolean("AutoDeactivate", true),
    pr::Boolean("Enabled", true),
    pr::ColorValue("FillColor", {0xD4, 0xFF, 0xDD}),
    pr::Int32("BorderWidth", 1),
    pr::ColorValue("BorderColor", {0x17, 0xC7, 0x37}),
    pr::Int32("OvalWidth", 16),
    pr::Int32("OvalHeight", 16),
    pr::Text("InitialParent", u8""));

// The action word, dark green, over the button.
inline constexpr auto kLabel = pr::Record(
    pr::Text("Name", u8"buttontext"),
    pr::Int32("Index", -2147483647 - 1),
    pr::Int32("Left", 137),
    pr::Int32("Top", 211),
    pr::Int32("Width", 58),
    pr::Int32("Height", 33),
    pr::Boolean("LockLeft", true),
    pr::Boolean("LockTop", true),
    pr::Boolean("LockRight", false),
    pr::Boolean("LockBottom", false),
    pr::Int32("TabPanelIndex", 0),
    pr::Int32("TabIndex", 0),
    pr::Text("Text", u8"நிறுவுக"),
    pr::Int32("TextAlign", 0),
    pr::ColorValue("TextColor", {0x12, 0x55, 0x1C}),
    pr::Boolean("Multiline", false),
    pr::Boolean("Enabled", true),
    pr::Boolean("Visible", true),
    pr::Boolean("Selectable", false),
    pr::Boolean("Transparent", false),
    pr::Text("HelpTag", u8""),
    pr::Boolean("AutoDeactivate", true),
    pr::Text("TextFont", u8"System"),
    pr::Boolean("Bold", false),
    pr::Boolean("Italic", false),
    pr::Boolean("Underline", false),
    pr::Text("DataSource", u8""),
    pr::Text("DataField", u8""),
    pr::Text("InitialParent", u8"RoundRectangle1"));
// clang-format on

} // namespace Window1::records
