#include "framework/ui/Label.h"

#include "framework/ui/ControlWidget.h"
#include "framework/ui/PropertyTable.h"
#include "framework/ui/Window.h"
#include "framework/ui/WindowWidget.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace fw {
namespace {

constexpr int kSmallestPixels = 6;
constexpr int kLargestPixels = 1000;

QString qText(const String& s) {
    return QString::fromUtf8(s.bytes().data(), static_cast<qsizetype>(s.size()));
}

int pixels(double size) {
    return std::clamp(static_cast<int>(std::lround(size)), 1, kLargestPixels);
}

QFont fontFor(const LabelState& s, const QWidget& w) {
    QFont font = s.textFont.empty() || s.textFont == String("System")
                     ? QFontDatabase::systemFont(QFontDatabase::GeneralFont)
                     : QFont(qText(s.textFont));
    if (s.textSize > 0 && std::isfinite(s.textSize)) {
        switch (s.textUnit) {
        case FontUnits::Point:
            font.setPointSizeF(std::min<double>(s.textSize, kLargestPixels));
            break;
        case FontUnits::Inch:
            font.setPixelSize(pixels(s.textSize * w.logicalDpiY()));
            break;
        case FontUnits::Millimeter:
            font.setPixelSize(pixels(s.textSize * w.logicalDpiY() / 25.4));
            break;
        case FontUnits::Default:
        case FontUnits::Pixel:
        default:
            font.setPixelSize(pixels(s.textSize));
            break;
        }
    }
    font.setBold(s.bold);
    font.setItalic(s.italic);
    font.setUnderline(s.underline);
    return font;
}

// The font made smaller, if need be, until one line of `text` is no wider
// than `width`: the whole word stays legible.
QFont fitted(QFont font, const QString& text, int width) {
    int size = QFontInfo(font).pixelSize();
    while (size > kSmallestPixels && QFontMetrics(font).horizontalAdvance(text) > width) {
        --size;
        font.setPixelSize(size);
    }
    return font;
}

// The widget covers the label's frame and, over an initial parent, the
// parent's too: the label's text is centred on its own frame and may be
// wider than it.
class LabelWidget : public ControlWidget {
public:
    LabelWidget(Label& label, QWidget* content) : ControlWidget(label, content) {}

    void sync() override {
        const Label* l = label();
        if (!l)
            return;
        setAttribute(Qt::WA_TransparentForMouseEvents, !l->labelState().selectable);
        ControlWidget::sync();
        if (l->initialParent())
            raise();
    }

protected:
    const Label* label() const { return static_cast<const Label*>(control()); }

    QRect frameInContent() const override {
        const QRect own = ContentFrame(*label());
        const RectControl* parent = label()->initialParent();
        return parent ? own.united(ContentFrame(*parent)) : own;
    }

    void paintEvent(QPaintEvent*) override {
        const Label* l = label();
        if (!l)
            return;
        const LabelState& s = l->labelState();
        const QString text = qText(s.text);
        const QRect own = ContentFrame(*l).translated(-geometry().topLeft());
        const QRect area = rect();

        QPainter p(this);
        QColor color(s.textColor.red, s.textColor.green, s.textColor.blue);
        if (!isEnabled())
            color.setAlphaF(0.4f);
        p.setPen(color);
        if (s.multiLine) {
            p.setFont(fontFor(s, *this));
            p.drawText(own, alignment(s) | Qt::AlignVCenter | Qt::TextWordWrap, text);
            return;
        }
        // The widest and tallest box centred on the label's own frame that
        // stays inside the widget.
        const QPoint c = own.center();
        const int halfWidth = std::min(c.x() - area.left(), area.right() - c.x());
        const int halfHeight = std::min(c.y() - area.top(), area.bottom() - c.y());
        const QRect centred(c.x() - halfWidth, c.y() - halfHeight, 2 * halfWidth + 1, 2 * halfHeight + 1);
        QRect box = centred;
        const auto align = static_cast<TextAlignment>(s.textAlign);
        if (align == TextAlignment::Left)
            box = QRect(QPoint(own.left(), centred.top()), QPoint(area.right(), centred.bottom()));
        else if (align == TextAlignment::Right)
            box = QRect(QPoint(area.left(), centred.top()), QPoint(own.right(), centred.bottom()));
        p.setFont(fitted(fontFor(s, *this), text, box.width()));
        p.drawText(box, alignment(s) | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }

private:
    static Qt::Alignment alignment(const LabelState& s) {
        switch (static_cast<TextAlignment>(s.textAlign)) {
        case TextAlignment::Left:
            return Qt::AlignLeft;
        case TextAlignment::Right:
            return Qt::AlignRight;
        case TextAlignment::Default:
        case TextAlignment::Center:
        default:
            return Qt::AlignHCenter;
        }
    }
};

} // namespace

const ClassRecord* Label::Lookup() {
    static const ClassRecord record = [] {
        using namespace property_table;
        using S = LabelState;
        ClassRecord r = BuildFrameworkClass("Label", RectControl::Lookup(), &AllocateAs<Label>, {}, {},
                                            {
                                                State<&S::text>("Text"),
                                                State<&S::textAlign>("TextAlign"),
                                                State<&S::textColor>("TextColor"),
                                                State<&S::multiLine>("MultiLine"),
                                                State<&S::selectable>("Selectable"),
                                                State<&S::transparent>("Transparent"),
                                                State<&S::textFont>("TextFont"),
                                                State<&S::textSize>("TextSize"),
                                                State<&S::textUnit>("TextUnit", "FontUnits"),
                                                State<&S::bold>("Bold"),
                                                State<&S::italic>("Italic"),
                                                State<&S::underline>("Underline"),
                                                State<&S::dataSource>("DataSource"),
                                                State<&S::dataField>("DataField"),
                                            });
        r.instanceSize = sizeof(Label);
        return r;
    }();
    return &record;
}

void Label::setText(const String& text) {
    state_.text = text;
    stateChanged();
}

void Label::setTextSize(float size) {
    state_.textSize = size;
    stateChanged();
}

void Label::setTextUnit(FontUnits unit) {
    state_.textUnit = unit;
    stateChanged();
}

ControlWidget* Label::makeWidget() {
    return new LabelWidget(*this, window()->widget()->content());
}

} // namespace fw
