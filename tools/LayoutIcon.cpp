#include "tools/LayoutIcon.h"

#include "tools/ImageBytes.h"

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <array>

namespace demo {
namespace {

struct TilePalette {
    QColor top;
    QColor bottom;
    QColor keys;
};

// One palette per layout: two warm and two cool, all light enough for the
// dark keys to stand out in a menu bar.
const std::array<TilePalette, 4> kPalettes{{
    {QColor(0xf6, 0xb2, 0x6b), QColor(0xd9, 0x6c, 0x3a), QColor(0x4a, 0x22, 0x12)},
    {QColor(0xf3, 0xd0, 0x6e), QColor(0xc9, 0x94, 0x2e), QColor(0x45, 0x30, 0x0a)},
    {QColor(0x8f, 0xd3, 0xc4), QColor(0x3f, 0x9a, 0x8c), QColor(0x0d, 0x33, 0x2e)},
    {QColor(0xa9, 0xb8, 0xf0), QColor(0x5c, 0x6c, 0xc4), QColor(0x18, 0x1f, 0x4a)},
}};

// Three staggered rows of keys and a space bar, centred on the tile.
void drawKeys(QPainter& p, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const double key = 12, gap = 4, pitch = key + gap, centre = kLayoutIconSize / 2.0;
    const double top = centre - (4 * pitch - gap) / 2;
    const struct {
        int keys;
        double shift;
    } rows[3] = {{6, -3}, {6, 3}, {5, 0}};
    for (int r = 0; r < 3; ++r) {
        const double left = centre - (rows[r].keys * pitch - gap) / 2 + rows[r].shift;
        for (int k = 0; k < rows[r].keys; ++k)
            p.drawRoundedRect(QRectF(left + k * pitch, top + r * pitch, key, key), 3, 3);
    }
    p.drawRoundedRect(QRectF(centre - 28, top + 3 * pitch, 56, key), 3, 3);
}

} // namespace

std::string layoutIconPng(int variant) {
    const TilePalette& palette = kPalettes[static_cast<std::size_t>(variant) % kPalettes.size()];
    QImage image(kLayoutIconSize, kLayoutIconSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient tile(0, 8, 0, 120);
    tile.setColorAt(0, palette.top);
    tile.setColorAt(1, palette.bottom);
    p.setPen(QPen(palette.bottom.darker(130), 2));
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(8, 8, 112, 112), 24, 24);
    drawKeys(p, palette.keys);
    p.end();

    return encodeImage(image, "PNG");
}

} // namespace demo
