#include "paint.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QtMath>
#include <algorithm>
#include <vector>

namespace artgen {

QImage newCanvas(QSize size) {
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QImage keyOnBlue(const QImage& art) {
    const QImage src = art.convertToFormat(QImage::Format_ARGB32);
    QImage out(src.size(), QImage::Format_RGB32);
    const int mr = kEdgeMatte.red(), mg = kEdgeMatte.green(), mb = kEdgeMatte.blue();
    for (int y = 0; y < src.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        QRgb* o = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const int a = qAlpha(in[x]);
            if (a < 128) {
                o[x] = kKeyBlue.rgb();
                continue;
            }
            auto mix = [a](int c, int m) { return (c * a + m * (255 - a) + 127) / 255; };
            o[x] = qRgb(mix(qRed(in[x]), mr), mix(qGreen(in[x]), mg), mix(qBlue(in[x]), mb));
        }
    }
    return out;
}

int scrubKeyColour(QImage& art, const QPainterPath& inside) {
    int changed = 0;
    for (int y = 0; y < art.height(); ++y) {
        for (int x = 0; x < art.width(); ++x) {
            if (!inside.contains(QPointF(x + 0.5, y + 0.5))) continue;
            const QRgb c = art.pixel(x, y);
            if (qRed(c) == 0 && qGreen(c) == 0 && qBlue(c) == 255) {
                art.setPixel(x, y, qRgb(0, 0, 254));
                ++changed;
            }
        }
    }
    return changed;
}

void brushedGrain(QPainter& p, const QPainterPath& clip, quint32 seed, double strength) {
    const QRect box = clip.boundingRect().toAlignedRect();
    if (box.isEmpty()) return;
    QRandomGenerator rng(seed);
    QImage grain(box.size(), QImage::Format_ARGB32_Premultiplied);
    std::vector<double> row(box.width()), smooth(box.width());
    for (int y = 0; y < box.height(); ++y) {
        // Each row gets its own offset (the fine lines of brushing) plus noise that
        // is smeared along the row, so the streaks run horizontally.
        const double rowOffset = (rng.generateDouble() - 0.5) * 1.2;
        for (double& v : row) v = rng.generateDouble() - 0.5;
        const int radius = 9;
        for (int pass = 0; pass < 2; ++pass) {
            double sum = 0;
            int n = 0;
            for (int x = 0; x < box.width(); ++x) {
                sum += row[x];
                ++n;
                if (x - 2 * radius - 1 >= 0) {
                    sum -= row[x - 2 * radius - 1];
                    --n;
                }
                smooth[std::max(0, x - radius)] = sum / n;
            }
            for (int x = std::max(0, box.width() - radius); x < box.width(); ++x)
                smooth[x] = smooth[std::max(0, box.width() - radius - 1)];
            row = smooth;
        }
        QRgb* line = reinterpret_cast<QRgb*>(grain.scanLine(y));
        for (int x = 0; x < box.width(); ++x) {
            const double v = std::clamp((rowOffset + row[x] * 6.0) * strength, -1.0, 1.0);
            const int a = qRound(std::abs(v) * 255);
            line[x] = v >= 0 ? qRgba(a, a, a, a) : qRgba(0, 0, 0, a);
        }
    }
    p.save();
    p.setClipPath(clip, Qt::IntersectClip);
    p.drawImage(box.topLeft(), grain);
    p.restore();
}

void raisedFace(QPainter& p, const QRectF& r, qreal radius, QColor top, QColor bottom) {
    p.save();
    p.setPen(Qt::NoPen);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setBrush(g);
    p.drawRoundedRect(r, radius, radius);
    // Light catches the upper edge, the lower one falls into shade.
    QLinearGradient edge(r.topLeft(), r.bottomLeft());
    edge.setColorAt(0, QColor(255, 255, 255, 70));
    edge.setColorAt(0.12, QColor(255, 255, 255, 0));
    edge.setColorAt(0.88, QColor(0, 0, 0, 0));
    edge.setColorAt(1, QColor(0, 0, 0, 110));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(edge), 1));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5, radius - 0.5);
    p.restore();
}

void recess(QPainter& p, const QRectF& r, qreal radius, QColor fill) {
    p.save();
    p.setPen(Qt::NoPen);
    // The lip: highlight below, shade above, like a cut in lit metal.
    p.setBrush(QColor(255, 255, 255, 28));
    p.drawRoundedRect(r.adjusted(-1, -1, 1, 1.5), radius + 1, radius + 1);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawRoundedRect(r.adjusted(-1, -1.5, 1, 0), radius + 1, radius + 1);
    p.setBrush(fill);
    p.drawRoundedRect(r, radius, radius);
    p.restore();
}

void knobWell(QPainter& p, QPointF c, qreal d, int ticks, bool centreMark, bool lit) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal r = d / 2;
    // Scale ticks from 7 o'clock to 5 o'clock, the usual 270 degree sweep.
    const QColor tickColour = lit ? QColor(190, 194, 200) : QColor(120, 122, 126);
    for (int i = 0; i < ticks; ++i) {
        const qreal t = ticks > 1 ? qreal(i) / (ticks - 1) : 0;
        const qreal ang = qDegreesToRadians(225.0 - 270.0 * t);
        const bool major = i == 0 || i == ticks - 1 || (centreMark && i == ticks / 2);
        const qreal r0 = r + 2.5, r1 = r + (major ? 6.5 : 4.8);
        QPointF dir(std::cos(ang), -std::sin(ang));
        p.setPen(QPen(tickColour, major ? 1.6 : 1.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c + dir * r0, c + dir * r1);
    }
    // Lip of the hole.
    QLinearGradient rim(c - QPointF(0, r + 2), c + QPointF(0, r + 2));
    rim.setColorAt(0, QColor(0, 0, 0, 150));
    rim.setColorAt(1, QColor(255, 255, 255, 50));
    p.setPen(Qt::NoPen);
    p.setBrush(rim);
    p.drawEllipse(c, r + 1.5, r + 1.5);
    QRadialGradient hole(c, r);
    hole.setColorAt(0.0, QColor(26, 27, 30));
    hole.setColorAt(0.85, QColor(18, 19, 21));
    hole.setColorAt(1.0, QColor(8, 8, 9));
    p.setBrush(hole);
    p.drawEllipse(c, r, r);
    p.restore();
}

void knobCap(QPainter& p, QPointF c, qreal d) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal r = d / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawEllipse(c + QPointF(0, 1.5), r, r);
    QLinearGradient skirt(c - QPointF(0, r), c + QPointF(0, r));
    skirt.setColorAt(0, QColor(92, 94, 98));
    skirt.setColorAt(1, QColor(28, 29, 31));
    p.setBrush(skirt);
    p.drawEllipse(c, r, r);
    const qreal rc = r * 0.78;
    QConicalGradient spun(c, 45);
    const QColor a(98, 100, 104), b(62, 64, 68);
    for (int i = 0; i <= 8; ++i) spun.setColorAt(i / 8.0, i % 2 ? b : a);
    p.setBrush(spun);
    p.drawEllipse(c, rc, rc);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 90), 1));
    p.drawEllipse(c, rc, rc);
    p.restore();
}

void powerGlyph(QPainter& p, QPointF c, qreal s, QColor colour, qreal width) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const qreal r = s / 2;
    p.drawArc(QRectF(c.x() - r, c.y() - r, s, s), 125 * 16, 290 * 16);
    p.drawLine(c + QPointF(0, -r - 1), c + QPointF(0, -r * 0.15));
    p.restore();
}

void powerButton(QPainter& p, const QRectF& r, bool lit) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = r.center();
    const qreal R = std::min(r.width(), r.height()) / 2 - 1;
    // Bezel ring: amber light when on, dark glass when off.
    if (lit) {
        QRadialGradient glow(c, R + 1);
        glow.setColorAt(0.70, QColor(kAmber.red(), kAmber.green(), kAmber.blue(), 0));
        glow.setColorAt(0.86, kAmber);
        glow.setColorAt(1.0, QColor(kAmber.red(), kAmber.green(), kAmber.blue(), 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(c, R + 1, R + 1);
    }
    p.setPen(QPen(lit ? QColor(255, 196, 110) : QColor(54, 55, 58), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, R - 2.5, R - 2.5);
    // Cap.
    const qreal rc = R - 5;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 140));
    p.drawEllipse(c + QPointF(0, 1), rc, rc);
    QConicalGradient spun(c, 30);
    const QColor a = lit ? QColor(150, 152, 156) : QColor(96, 98, 102);
    const QColor b = lit ? QColor(98, 100, 105) : QColor(64, 66, 70);
    for (int i = 0; i <= 8; ++i) spun.setColorAt(i / 8.0, i % 2 ? b : a);
    p.setBrush(spun);
    p.drawEllipse(c, rc, rc);
    QRadialGradient sheen(c - QPointF(rc * 0.3, rc * 0.4), rc * 1.3);
    sheen.setColorAt(0, QColor(255, 255, 255, 50));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(sheen);
    p.drawEllipse(c, rc, rc);
    powerGlyph(p, c, rc * 0.95, lit ? kAmber : QColor(44, 45, 48), 2.0);
    p.restore();
}

void pushButton(QPainter& p, const QRectF& r, const QString& text, const QFont& font, bool lit,
                qreal radius) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 150));
    p.drawRoundedRect(r.adjusted(0, 1, 0, 1), radius, radius);
    const QRectF cap = r.adjusted(0.5, 0.5, -0.5, -1);
    QLinearGradient g(cap.topLeft(), cap.bottomLeft());
    g.setColorAt(0, lit ? QColor(84, 87, 92) : QColor(62, 64, 68));
    g.setColorAt(0.5, lit ? QColor(62, 64, 69) : QColor(48, 49, 52));
    g.setColorAt(1, lit ? QColor(44, 46, 50) : QColor(36, 37, 40));
    p.setBrush(g);
    p.drawRoundedRect(cap, radius, radius);
    QLinearGradient edge(cap.topLeft(), cap.bottomLeft());
    edge.setColorAt(0, QColor(255, 255, 255, lit ? 90 : 50));
    edge.setColorAt(0.3, QColor(255, 255, 255, 0));
    edge.setColorAt(1, QColor(0, 0, 0, 60));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(edge), 1));
    p.drawRoundedRect(cap.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5, radius - 0.5);
    p.setFont(font);
    p.setPen(QColor(0, 0, 0, 160));
    p.drawText(cap.translated(0, -1), Qt::AlignCenter, text);
    p.setPen(lit ? kLetter : QColor(138, 140, 144));
    p.drawText(cap, Qt::AlignCenter, text);
    p.restore();
}

void engraved(QPainter& p, const QRectF& r, const QString& text, const QFont& font, QColor colour,
              int flags) {
    p.save();
    p.setFont(font);
    p.setPen(QColor(0, 0, 0, 170));
    p.drawText(r.translated(0, -1), flags, text);
    p.setPen(QColor(255, 255, 255, 26));
    p.drawText(r.translated(0, 1), flags, text);
    p.setPen(colour);
    p.drawText(r, flags, text);
    p.restore();
}

QFont sans(qreal pixelSize, int weight, qreal letterSpacing, bool condensed) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(qRound(pixelSize));
    f.setWeight(static_cast<QFont::Weight>(weight));
    if (condensed) f.setStretch(QFont::SemiCondensed);
    if (letterSpacing != 0) f.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

void fadeImage(QImage& img, qreal brightness) {
    for (int y = 0; y < img.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = line[x];
            const int a = qAlpha(c);
            const qreal lum = 0.30 * qRed(c) + 0.59 * qGreen(c) + 0.11 * qBlue(c);
            // A trace of cool tint keeps the unlit metal from looking like a photocopy.
            const int v = qBound(0, qRound(lum * brightness), 255);
            line[x] = qRgba(std::min(v, a), std::min(v, a), std::min(v + 2, a), a);
        }
    }
}

QPainterPath outline(QSize size, int radius) {
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, size.width(), size.height()), radius, radius);
    return path;
}

// The whole face of a panel: dark anodised gradient, brushed grain, bevelled rim.
void panelFace(QPainter& p, QSize size, int radius, quint32 seed, QColor top, QColor bottom) {
    const QPainterPath body = outline(size, radius);
    p.setPen(Qt::NoPen);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setBrush(g);
    p.drawPath(body);
    brushedGrain(p, body, seed, 0.035);
    // Rim: a bright chamfer along the top, a dark one along the bottom.
    QLinearGradient rim(0, 0, 0, size.height());
    rim.setColorAt(0, QColor(255, 255, 255, 90));
    rim.setColorAt(0.08, QColor(255, 255, 255, 22));
    rim.setColorAt(0.9, QColor(0, 0, 0, 40));
    rim.setColorAt(1, QColor(0, 0, 0, 150));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(rim), 1.5));
    p.drawRoundedRect(QRectF(1.25, 1.25, size.width() - 2.5, size.height() - 2.5), radius - 1,
                      radius - 1);
}

void groove(QPainter& p, QPointF a, QPointF b) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(10, 10, 12, 200));
    p.drawLine(a, b);
    p.setPen(QColor(255, 255, 255, 30));
    const QPointF step = (a.y() == b.y()) ? QPointF(0, 1) : QPointF(1, 0);
    p.drawLine(a + step, b + step);
    p.restore();
}

void windowButton(QPainter& p, const QRect& r, Glyph glyph, bool lit) {
    pushButton(p, QRectF(r), QString(), sans(8), lit, 3);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = QRectF(r).center() + QPointF(0, -0.5);
    const qreal s = r.width() * 0.22;
    const QColor ink = lit ? kLetter : QColor(120, 122, 126);
    p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
    if (glyph == Glyph::Minimise) {
        p.drawLine(c + QPointF(-s, s * 0.9), c + QPointF(s, s * 0.9));
    } else {
        p.drawLine(c + QPointF(-s, -s), c + QPointF(s, s));
        p.drawLine(c + QPointF(-s, s), c + QPointF(s, -s));
    }
    p.restore();
}

}  // namespace artgen
