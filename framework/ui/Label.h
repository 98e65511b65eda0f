#pragma once
// The label control: a line of text. Over its initial parent it shows its
// whole text, centred on its own frame, even where the text is wider.

#include "framework/runtime/Color.h"
#include "framework/ui/Control.h"

#include <cstdint>

namespace fw {

class Label;

// What a label's text size counts in. Default is the platform's unit for
// interface text, one pixel at the standard resolution.
enum class FontUnits : std::uint8_t { Default = 0, Pixel = 1, Point = 2, Inch = 3, Millimeter = 4 };

// Text alignment: Default centres the text on the label's frame.
enum class TextAlignment : std::int32_t { Default = 0, Left = 1, Center = 2, Right = 3 };

struct LabelState {
    using Owner = Label;
    String text;
    std::int32_t textAlign = 0;
    Color textColor{0, 0, 0};
    bool multiLine = false;
    bool selectable = false;   // a label that cannot be selected lets presses through to what lies under it
    bool transparent = false;  // a label draws its text alone, never a background of its own
    String textFont{"System"}; // "System": the platform's interface font
    float textSize = 0;        // 0: the font's own size
    FontUnits textUnit = FontUnits::Default;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    String dataSource; // kept: this framework binds no data
    String dataField;
};

class Label : public RectControl {
public:
    Label() = default;

    static const ClassRecord* Lookup();

    const LabelState& labelState() const noexcept { return state_; }

    String Text() const { return state_.text; }
    void setText(const String& text);
    void setTextSize(float size);
    void setTextUnit(FontUnits unit);

protected:
    ControlWidget* makeWidget() override;

private:
    template <auto>
    friend struct property_table::Stored;

    LabelState state_;
};

} // namespace fw
