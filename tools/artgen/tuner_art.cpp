#include "tuner_art.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>

#include "layout.h"
#include "paint.h"

namespace artgen {

namespace {

using namespace tuner;

const QColor kGlass{5, 7, 8};
const QColor kCaption{150, 153, 158};

void glassSheen(QPainter& p, const QRect& r) {
    QLinearGradient sheen(r.topLeft(), r.bottomLeft());
    sheen.setColorAt(0, QColor(255, 255, 255, 16));
    sheen.setColorAt(0.45, QColor(255, 255, 255, 4));
    sheen.setColorAt(0.46, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawRoundedRect(QRectF(r).adjusted(1, 1, -1, -1), 4, 4);
}

// x of a frequency in tenths of a MHz on the scale.
qreal scaleX(int tenths) {
    return kScale.left() + (tenths - 875) * qreal(kScale.width()) / (1080 - 875);
}

void radioScale(QPainter& p) {
    const qreal base = kScale.bottom() + 0.5;
    const QColor dim(kCyan.red(), kCyan.green(), kCyan.blue(), 90);
    p.setPen(QPen(dim, 1));
    p.drawLine(QPointF(scaleX(875), base), QPointF(scaleX(1080), base));
    for (int f = 880; f <= 1080; f += 10) {
        const bool major = (f - 880) % 40 == 0;
        p.setPen(QPen(major ? kCyan : dim, 1));
        p.drawLine(QPointF(scaleX(f), base), QPointF(scaleX(f), base - (major ? 3 : 2)));
    }
    p.setFont(sans(6.5, QFont::Bold));
    p.setPen(QColor(kCyan.red(), kCyan.green(), kCyan.blue(), 170));
    for (int f = 880; f <= 1080; f += 40) {
        const QString text = QString::number(f / 10);
        const QRectF box(scaleX(f) - 10, kScale.top() - 1, 20, 7);
        p.drawText(f == 1080 ? box.translated(-4, 0) : box, Qt::AlignCenter, text);
    }
    // The unit after the frequency.
    p.setFont(sans(6, QFont::Bold, 0.6));
    p.setPen(QColor(kCyan.red(), kCyan.green(), kCyan.blue(), 130));
    p.drawText(QRectF(kFrequency.right() - 19, kFrequency.top(), 20, kFrequency.height()),
               Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("MHz"));
}

// A triangle pointing left (dir -1) or right (dir 1), with a bar at its point when `bar`.
void arrow(QPainter& p, QPointF tip, qreal size, int dir, QColor colour) {
    QPolygonF tri;
    tri << tip << tip + QPointF(-dir * size, -size * 0.8) << tip + QPointF(-dir * size, size * 0.8);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(tri);
}

void tuneButton(QPainter& p, const QRect& r, int dir, bool search) {
    recess(p, QRectF(r).adjusted(-2, -2, 2, 2), 5);
    pushButton(p, QRectF(r), QString(), sans(8), true, 4);
    const QPointF c = QRectF(r).center() + QPointF(0, -0.5);
    const qreal s = search ? 5.5 : 5;
    if (search) {
        arrow(p, c + QPointF(dir * (s - 0.5), 0), s, dir, kLetter);
        arrow(p, c + QPointF(dir * (-0.5), 0), s, dir, kLetter);
        p.setBrush(kAmber);
        p.drawRect(
            QRectF(c.x() + dir * (s + 0.5) - (dir > 0 ? 0 : 1.6), c.y() - s * 0.8, 1.6, s * 1.6));
    } else {
        arrow(p, c + QPointF(dir * s / 2, 0), s, dir, kLetter);
    }
}

void paintFace(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    panelFace(p, kSkin, kCornerRadius, 0x70FEA5E1, QColor(62, 64, 69), QColor(29, 30, 33));

    // The hint line reads on a glass of its own; the brand under it.
    recess(p, QRectF(kHintGlass), 5, kGlass);
    glassSheen(p, kHintGlass);
    engraved(p, QRectF(kBrand), QStringLiteral("QOR TUNER"), sans(8.5, QFont::Bold, 1.8),
             QColor(190, 193, 198));

    // The display.
    recess(p, QRectF(kDisplay), 5, kGlass);
    glassSheen(p, kDisplay);
    radioScale(p);

    // Sensitivity.
    recess(p, QRectF(kSensitivityWell), 4, QColor(12, 13, 14));
    engraved(p, QRectF(kSensitivityCaption), QStringLiteral("SENSITIVITY"),
             sans(6, QFont::Bold, 0.8), kCaption);

    // Window buttons.
    recess(p, QRectF(kButtonWell), 5);
    windowButton(p, kMinimise, Glyph::Minimise, true);
    windowButton(p, kClose, Glyph::Cross, true);

    // Presets: numbered keys in one slot, the badge beside them.
    recess(p, QRectF(kPresetWell), 4, QColor(18, 19, 21));
    for (int n = 1; n <= 6; ++n)
        pushButton(p, QRectF(presetKey(n)), QString::number(n), sans(9, QFont::Bold), true, 3);
    engraved(p, QRectF(kPresetCaption), QStringLiteral("PRESETS"), sans(6.5, QFont::Bold, 2.2),
             kCaption);
    engraved(p, QRectF(kBadge.left(), kBadge.top(), kBadge.width(), 14), QStringLiteral("FM"),
             sans(12, QFont::Bold, 1.0), QColor(200, 203, 208));
    engraved(p, QRectF(kBadge.left() - 4, kBadge.top() + 14, kBadge.width() + 8, 8),
             QStringLiteral("STEREO"), sans(5.5, QFont::Bold, 0.8), kAmber);

    // Tuning and search.
    tuneButton(p, kTuneDown, -1, false);
    tuneButton(p, kSearchPrev, -1, true);
    tuneButton(p, kSearchNext, 1, true);
    tuneButton(p, kTuneUp, 1, false);
}

}  // namespace

QImage tunerDial() {
    QImage art = newCanvas(kSkin);
    {
        QPainter p(&art);
        paintFace(p);
    }
    return keyOnBlue(art);
}

QImage tunerEditorBacking() {
    QImage art = newCanvas(kEditor.size());
    {
        QPainter p(&art);
        p.setRenderHint(QPainter::Antialiasing);
        panelFace(p, kEditor.size(), 7, 0x3D17ED17, QColor(58, 60, 65), QColor(30, 31, 34));
        // An amber hairline along the top ties the editor to the keys it names.
        p.setPen(QPen(QColor(kAmber.red(), kAmber.green(), kAmber.blue(), 160), 1));
        p.drawLine(QPointF(10, 2.5), QPointF(kEditor.width() - 10, 2.5));
        const QRect name = kEditorName.translated(-kEditor.topLeft());
        recess(p, QRectF(name).adjusted(-1, -1, 1, 1), 3, QColor(12, 13, 14));
    }
    return keyOnBlue(art);
}

}  // namespace artgen
