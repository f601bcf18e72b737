#include "preview.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QtMath>

#include "layout.h"
#include "paint.h"

namespace artgen {

namespace {

// What the colour key does on screen: pure blue shows the desktop behind.
QImage keyed(const QImage& skin) {
    QImage out = skin.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0xFFFFFF) == 0x0000FF) line[x] = 0;
    }
    return out;
}

// Stand-in for the knob widget, only to judge how a knob sits in its well.
void mockKnob(QPainter& p, const QRect& r, qreal fraction) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = QRectF(r).center();
    const qreal R = r.width() / 2.0 - 1;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawEllipse(c + QPointF(0, 2), R, R);
    QLinearGradient skirt(c - QPointF(0, R), c + QPointF(0, R));
    skirt.setColorAt(0, QColor(120, 122, 127));
    skirt.setColorAt(1, QColor(34, 35, 38));
    p.setBrush(skirt);
    p.drawEllipse(c, R, R);
    QConicalGradient spun(c, 40);
    for (int i = 0; i <= 8; ++i)
        spun.setColorAt(i / 8.0, i % 2 ? QColor(104, 106, 111) : QColor(158, 160, 165));
    p.setBrush(spun);
    p.drawEllipse(c, R * 0.8, R * 0.8);
    const qreal ang = qDegreesToRadians(225.0 - 270.0 * fraction);
    const QPointF dir(std::cos(ang), -std::sin(ang));
    p.setPen(QPen(kAmber, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + dir * R * 0.35, c + dir * R * 0.72);
    p.restore();
}

void textBox(QPainter& p, const QRect& r, const QString& text, QColor bg, QColor fg, int align,
             const QFont& font) {
    p.save();
    p.fillRect(r, bg);
    p.setFont(font);
    p.setPen(fg);
    p.drawText(r.adjusted(2, 0, -2, 0), align | Qt::TextWordWrap, text);
    p.restore();
}

// One zone panel as the running window would show it; colours as the panel's looks set them.
void zonePanel(QPainter& p, QPoint at, const ArtSet& art, bool on) {
    using namespace zone;
    p.save();
    p.translate(at);
    p.drawImage(0, 0, keyed(art.image(on ? "Ampli31.gif" : "Ampli31_faded.gif")));
    p.drawImage(kPowerButton.topLeft(), art.image(on ? "knopon2.ico" : "knopon2_faded.gif"));
    p.drawImage(kClose.topLeft(), art.image(on ? "close.ico" : "close2.ico"));
    p.drawImage(kMinimise.topLeft(), art.image("zone_minimise.png"));
    const QFont verdana = sans(13, QFont::Normal);
    const QFont small = sans(9.5);
    const QColor grayText(109, 109, 109);
    textBox(p, kNamePlate, QStringLiteral("Living room"), on ? Qt::black : QColor(180, 180, 180),
            Qt::white, Qt::AlignLeft | Qt::AlignVCenter, verdana);
    if (on) {
        p.drawImage(kTunerButton.topLeft(), art.image("zone_tuner.png"));
        p.drawImage(kAuxButton.topLeft(), art.image("zone_aux.png"));
        mockKnob(p, kBassKnob, 0.5);
        mockKnob(p, kTrebleKnob, 0.6);
        mockKnob(p, kVolumeKnob, 0.35);
    }
    p.fillRect(kTunerMarker, on ? QColor(128, 128, 255) : QColor(224, 224, 224));
    const QColor capBg = on ? grayText : Qt::white;
    const QColor capFg = on ? Qt::black : grayText;
    textBox(p, kSourceCaption, QStringLiteral("Tuner / Aux"), capBg, capFg, Qt::AlignCenter, small);
    textBox(p, kBassCaption, QStringLiteral("Low"), capBg, capFg, Qt::AlignCenter, small);
    textBox(p, kTrebleCaption, QStringLiteral("High"), capBg, capFg, Qt::AlignCenter, small);
    textBox(p, kVolumeCaption, QStringLiteral("Volume"), capBg, capFg, Qt::AlignCenter, small);
    p.restore();
}

void mainWindow(QPainter& p, QPoint at, const ArtSet& art, bool qor81, bool choosingPort) {
    using namespace menu;
    p.save();
    p.translate(at);
    p.drawImage(0, 0, keyed(art.image("menu_skin.png")));
    if (qor81) p.drawImage(kTuner.topLeft(), art.image("menu_quit_tuner.png"));
    p.setRenderHint(QPainter::TextAntialiasing);
    const QColor dim(150, 200, 208);
    p.setFont(sans(19, QFont::Bold, 1));
    p.setPen(kCyan);
    p.drawText(kModel, Qt::AlignLeft | Qt::AlignVCenter,
               qor81 ? QStringLiteral("Q O R  8.1") : QStringLiteral("Q O R  8.2"));
    p.setFont(sans(10.5));
    p.setPen(dim);
    p.drawText(kStatusHint, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               choosingPort
                   ? QStringLiteral("Problem to autoconnect... . Check connection wires or "
                                    "select Com port in use if you're sure cabling is "
                                    "correct  ")
                   : QStringLiteral("Click here to close the software. Your system will "
                                    "continu with the current settings."));
    p.setFont(sans(9.5));
    p.drawText(kStatusProgress, Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("*RT,PRES,1,87,50;"));
    p.drawText(kStatusSync, Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Sync time : 14:02:11"));
    if (choosingPort) {
        p.setPen(QPen(QColor(150, 200, 208), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(kPortFrame).adjusted(0.5, 0.5, -0.5, -0.5));
        p.fillRect(kPortList, QColor(240, 240, 240));
        p.setPen(Qt::black);
        p.setFont(sans(10.5));
        p.drawText(kPortList.adjusted(4, 0, -18, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Com 4 : connection to 7"));
        p.fillRect(QRect(kPortList.right() - 16, kPortList.top() + 1, 16, kPortList.height() - 2),
                   QColor(210, 210, 210));
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(220, 40, 30));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(kLinkLed).center(), 4.5, 4.5);
    }
    p.restore();
}

// The tuner panel with its name editor open for preset 4, texts as the window sets them.
void tunerPanel(QPainter& p, QPoint at, const ArtSet& art) {
    using namespace tuner;
    p.save();
    p.translate(at);
    p.drawImage(0, 0, keyed(art.image("tuner_dial.png")));
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(kCyan);
    p.setFont(sans(10.5));
    p.drawText(kRds, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("NOW PLAYING JA"));
    p.setFont(sans(9.5, QFont::Bold));
    p.drawText(kFrequency, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("98.5"));
    p.setFont(sans(7));
    p.setPen(QColor(150, 200, 208));
    p.drawText(kPresetName.adjusted(0, -1, 0, 1), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Jazz FM..."));
    p.setFont(sans(9.5));
    p.drawText(kHint.adjusted(2, 2, -2, -2), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("LeftClick to select / RightClick to set memory"));
    p.fillRect(kSensitivity, QColor(240, 240, 240));
    p.setPen(Qt::black);
    p.setFont(sans(10.5));
    p.drawText(kSensitivity.adjusted(4, 0, -16, 0), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("High"));
    p.fillRect(
        QRect(kSensitivity.right() - 14, kSensitivity.top() + 1, 14, kSensitivity.height() - 2),
        QColor(210, 210, 210));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kAmber, 1.5));
    p.drawRect(QRectF(presetMarker(3)).adjusted(0.75, 0.75, -0.75, -0.75));
    p.setPen(Qt::NoPen);
    p.setBrush(kAmber);
    p.drawEllipse(QRectF(kOpenLamp).adjusted(1.5, 1.5, -1.5, -1.5));
    // The editor, joined to key 4.
    const QRect key = presetKey(4);
    p.setPen(QPen(kAmber, 1));
    p.drawLine(QPointF(key.center().x(), key.bottom() + 1),
               QPointF(key.center().x(), kEditor.top()));
    p.drawImage(kEditor.topLeft(), keyed(art.image("tuner_editor.png")));
    p.fillRect(kEditorName, Qt::white);
    p.setPen(Qt::black);
    p.drawText(kEditorName.adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Jazz FM"));
    pushButton(p, QRectF(kEditorCancel), QStringLiteral("Cancel"), sans(10.5), true, 3);
    pushButton(p, QRectF(kEditorStore), QStringLiteral("Store"), sans(10.5), true, 3);
    p.restore();
}

}  // namespace

QImage renderPreview(const ArtSet& art) {
    const int margin = 24;
    const QSize size(menu::kSkin.width() * 2 + margin * 3, margin * 6 + menu::kSkin.height() +
                                                               zone::kSkin.height() * 3 + 40 +
                                                               tuner::kEditor.bottom() + 1);
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    // A plain desktop behind the windows, light enough to judge the edges against.
    QLinearGradient desk(0, 0, size.width(), size.height());
    desk.setColorAt(0, QColor(96, 128, 146));
    desk.setColorAt(1, QColor(168, 176, 160));
    p.fillRect(img.rect(), desk);

    mainWindow(p, QPoint(margin, margin), art, false, false);
    mainWindow(p, QPoint(margin * 2 + menu::kSkin.width(), margin), art, true, true);
    const int zoneTop = margin * 2 + menu::kSkin.height();
    zonePanel(p, QPoint(margin, zoneTop), art, true);
    zonePanel(p, QPoint(margin, zoneTop + zone::kSkin.height()), art, false);
    zonePanel(p, QPoint(margin * 2 + menu::kSkin.width(), zoneTop), art, false);
    zonePanel(p, QPoint(margin * 2 + menu::kSkin.width(), zoneTop + zone::kSkin.height()), art,
              true);
    // The bare skins, to check what the pictures alone look like.
    p.drawImage(margin, zoneTop + zone::kSkin.height() * 2 + margin,
                keyed(art.image("Ampli31.gif")));
    p.drawImage(margin * 2 + menu::kSkin.width(), zoneTop + zone::kSkin.height() * 2 + margin,
                keyed(art.image("Ampli31_faded.gif")));
    tunerPanel(p, QPoint(margin, zoneTop + zone::kSkin.height() * 3 + margin * 2), art);
    p.end();
    return img;
}

}  // namespace artgen
