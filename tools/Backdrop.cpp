#include "tools/Backdrop.h"

#include "tools/ImageBytes.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

namespace demo {
namespace {

constexpr int kJpegQuality = 92;

void drawGradient(QPainter& p) {
    QLinearGradient sky(0, 0, 0, kBackdropHeight);
    sky.setColorAt(0.0, QColor(0xfd, 0xef, 0xd9));
    sky.setColorAt(0.5, QColor(0xfb, 0xf6, 0xec));
    sky.setColorAt(1.0, QColor(0xe6, 0xf0, 0xea));
    p.fillRect(0, 0, kBackdropWidth, kBackdropHeight, sky);
}

// A soft glow at the top, fading out above the calm band.
void drawGlow(QPainter& p) {
    QRadialGradient glow(QPointF(kBackdropWidth / 2.0, 20), 170);
    glow.setColorAt(0.0, QColor(0xf7, 0xb0, 0x5e, 90));
    glow.setColorAt(1.0, QColor(0xf7, 0xb0, 0x5e, 0));
    p.fillRect(0, 0, kBackdropWidth, kCalmBandTop, glow);
}

// A lens-shaped loop from the ring around `from` to the ring around `to`.
void drawLoop(QPainter& p, QPointF from, QPointF to, double ring) {
    const QPointF along = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF across(-along.y(), along.x());
    const QPointF mid = (from + to) / 2, start = from + along * ring, end = to - along * ring;
    QPainterPath lens;
    lens.moveTo(start);
    lens.quadTo(mid + across * 9, end);
    lens.quadTo(mid - across * 9, start);
    p.drawPath(lens);
}

// A small dotted loop pattern: a grid of dots, each ringed, with loops
// joining neighbours, like a floor drawing made of one line.
void drawDotPattern(QPainter& p) {
    const int columns = 5, rows = 3;
    const double pitch = 30, ring = 8.5, left = (kBackdropWidth - (columns - 1) * pitch) / 2, top = 62;
    const QColor ink(0x9c, 0x3d, 0x2a, 150);
    auto dot = [&](int r, int c) { return QPointF(left + c * pitch, top + r * pitch); };

    p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            p.drawEllipse(dot(r, c), ring, ring);
            if (c + 1 < columns)
                drawLoop(p, dot(r, c), dot(r, c + 1), ring);
            if (r + 1 < rows)
                drawLoop(p, dot(r, c), dot(r + 1, c), ring);
        }
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            p.drawEllipse(dot(r, c), 2.2, 2.2);
}

// Three translucent waves rising from the bottom edge.
void drawWaves(QPainter& p) {
    const struct {
        double crest;
        double height;
        double phase;
        QColor colour;
    } waves[] = {
        {330, 10, 0.0, QColor(0x9f, 0xd1, 0xb8, 70)},
        {360, 12, 1.7, QColor(0x6f, 0xb5, 0x98, 70)},
        {395, 9, 3.1, QColor(0x4f, 0x93, 0x7c, 80)},
    };
    p.setPen(Qt::NoPen);
    for (const auto& w : waves) {
        QPainterPath path;
        path.moveTo(0, kBackdropHeight);
        for (int x = 0; x <= kBackdropWidth; x += 3) {
            const double t = x * 2 * std::numbers::pi / kBackdropWidth;
            path.lineTo(x, w.crest + w.height * std::sin(1.5 * t + w.phase));
        }
        path.lineTo(kBackdropWidth, kBackdropHeight);
        path.closeSubpath();
        p.setBrush(w.colour);
        p.drawPath(path);
    }
}

// Two hairlines that frame the calm band without entering it.
void drawBandRules(QPainter& p) {
    p.setPen(QPen(QColor(0xb9, 0x8a, 0x5a, 90), 1));
    const double inset = 60;
    p.drawLine(QPointF(inset, kCalmBandTop - 14), QPointF(kBackdropWidth - inset, kCalmBandTop - 14));
    p.drawLine(QPointF(inset, kCalmBandBottom + 14), QPointF(kBackdropWidth - inset, kCalmBandBottom + 14));
}

} // namespace

std::string backdropJpeg() {
    QImage image(kBackdropWidth, kBackdropHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawGradient(p);
    drawGlow(p);
    drawDotPattern(p);
    drawBandRules(p);
    drawWaves(p);
    p.end();
    return encodeImage(image, "JPEG", kJpegQuality);
}

} // namespace demo
