// Drawing helpers shared by the two skins: metal faces, bevels, wells, lettering,
// and the colour-key finishing step.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>

namespace artgen {

// The colour the windows make see-through; nothing inside the artwork may use it.
inline const QColor kKeyBlue{0, 0, 255};

// What the skin's antialiased outer edge is blended against before the key colour
// replaces everything outside, so no blue-tinted fringe can appear.
inline const QColor kEdgeMatte{14, 15, 17};

inline const QColor kAmber{255, 164, 40};
inline const QColor kAmberDim{92, 60, 22};
inline const QColor kCyan{104, 212, 226};
inline const QColor kLetter{214, 218, 224};
inline const QColor kWellFill{20, 21, 23};

QImage newCanvas(QSize size);

// Antialiased, transparent-cornered art becomes an opaque picture on pure blue:
// pixels at least half covered are flattened onto the dark matte, the rest become key blue.
QImage keyOnBlue(const QImage& art);

// Replaces the colour key wherever it turns up inside the art, one step off pure blue.
// Returns how many pixels had to be changed.
int scrubKeyColour(QImage& art, const QPainterPath& inside);

// Horizontal brushed-metal streaks laid over whatever is inside clip.
void brushedGrain(QPainter& p, const QPainterPath& clip, quint32 seed, double strength);

// Raised panel face: vertical gradient, light top edge, dark bottom edge.
void raisedFace(QPainter& p, const QRectF& r, qreal radius, QColor top, QColor bottom);

// A recess cut into the face; the fill is flat so pictures cropped from it sit seamlessly.
void recess(QPainter& p, const QRectF& r, qreal radius, QColor fill = kWellFill);

// Round recess for a knob, with a tick scale around it.
void knobWell(QPainter& p, QPointF centre, qreal diameter, int ticks, bool centreMark, bool lit);

// Spun-metal knob cap without a pointer, as an unlit panel shows it.
void knobCap(QPainter& p, QPointF centre, qreal diameter);

// Round push button with a power symbol; lit adds the amber ring and glyph.
void powerButton(QPainter& p, const QRectF& r, bool lit);
void powerGlyph(QPainter& p, QPointF centre, qreal size, QColor colour, qreal width);

// Rectangular push button with a word on it.
void pushButton(QPainter& p, const QRectF& r, const QString& text, const QFont& font, bool lit,
                qreal radius = 4);

// Text cut into the metal: a dark shade above, a faint highlight below.
void engraved(QPainter& p, const QRectF& r, const QString& text, const QFont& font, QColor colour,
              int flags = Qt::AlignCenter);

QFont sans(qreal pixelSize, int weight = QFont::Normal, qreal letterSpacing = 0,
           bool condensed = false);

// The whole face of a panel: dark anodised gradient, brushed grain, bevelled rim.
QPainterPath outline(QSize size, int radius);
void panelFace(QPainter& p, QSize size, int radius, quint32 seed, QColor top, QColor bottom);

// A one-pixel cut line with a highlight beside it.
void groove(QPainter& p, QPointF a, QPointF b);

// Small square window button (minimise, quit, close).
enum class Glyph { Minimise, Cross };
void windowButton(QPainter& p, const QRect& r, Glyph glyph, bool lit);

// Off look: no colour, less light.
void fadeImage(QImage& img, qreal brightness);

}  // namespace artgen
