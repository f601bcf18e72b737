#include "art.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <stdexcept>

#include "layout.h"
#include "paint.h"
#include "tuner_art.h"

namespace artgen {

namespace {

QImage crop(const QImage& img, const QRect& r) { return img.copy(r); }

// ---- main window ----------------------------------------------------------------

void paintMenuFace(QPainter& p) {
    using namespace menu;
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    panelFace(p, kSkin, kCornerRadius, 0x51C0FFEE, QColor(62, 64, 69), QColor(30, 31, 34));

    // Header band, a shade darker, closed off by a groove.
    {
        QPainterPath band;
        band.addRoundedRect(QRectF(2, 2, kSkin.width() - 4, kHeader.height() + 8),
                            kCornerRadius - 2, kCornerRadius - 2);
        QPainterPath cut;
        cut.addRect(QRectF(0, kHeader.bottom() + 1, kSkin.width(), 20));
        band = band.subtracted(cut);
        p.setPen(Qt::NoPen);
        QLinearGradient g(0, 0, 0, kHeader.height());
        g.setColorAt(0, QColor(0, 0, 0, 20));
        g.setColorAt(1, QColor(0, 0, 0, 70));
        p.setBrush(g);
        p.drawPath(band);
        groove(p, QPointF(10, kHeader.bottom() + 0.5),
               QPointF(kSkin.width() - 11, kHeader.bottom() + 0.5));
    }
    // Emblem: an amber ring, the one touch of colour in the header.
    {
        const QPointF c(30, 19);
        p.setPen(QPen(QColor(0, 0, 0, 140), 3.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c + QPointF(0, 1), 8, 8);
        p.setPen(QPen(kAmber, 2.6));
        p.drawEllipse(c, 8, 8);
        p.setPen(QPen(kAmber, 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c + QPointF(4.5, 4.5), c + QPointF(9, 9));
    }
    engraved(p, QRectF(kTitle), QStringLiteral("Qor PC Manager"), sans(15, QFont::DemiBold, 0.4),
             kLetter, Qt::AlignLeft | Qt::AlignVCenter);
    engraved(p, QRectF(330, 10, 230, 18), QStringLiteral("MULTI-ZONE AMPLIFIER CONTROL"),
             sans(8.5, QFont::Normal, 1.6), QColor(150, 153, 158),
             Qt::AlignRight | Qt::AlignVCenter);

    // Window buttons in a shared recess.
    recess(p,
           QRectF(kMinimise.left() - 3, kMinimise.top() - 3, kQuit.right() - kMinimise.left() + 7,
                  kMinimise.height() + 6),
           5);
    windowButton(p, kMinimise, Glyph::Minimise, true);
    windowButton(p, kQuit, Glyph::Cross, true);

    // Menu row: the words are part of the picture, the labels over them are hotspots.
    const QFont menuFont = sans(12.5, QFont::DemiBold, 0.5);
    const QRect plates[] = {kFile, kZones, kTuner, kEvents, kSettings, kConnect};
    const QString words[] = {QStringLiteral("File"),     QStringLiteral("Zones"),
                             QStringLiteral("Tuner"),    QStringLiteral("Events"),
                             QStringLiteral("Settings"), QStringLiteral("Connect")};
    recess(p,
           QRectF(kMenuLeft - 4, kMenuTop - 4, kConnect.right() - kMenuLeft + 9, kMenuHeight + 8),
           6, QColor(18, 19, 21));
    for (int i = 0; i < 6; ++i) pushButton(p, QRectF(plates[i]), words[i], menuFont, true, 4);

    // Exit switch.
    {
        recess(p, QRectF(kExitColumn), 7, QColor(24, 25, 28));
        const QPointF c(kExitCentre);
        const qreal d = kExitDiameter;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(8, 8, 9));
        p.drawEllipse(c, d / 2 + 3, d / 2 + 3);
        powerButton(p, QRectF(c.x() - d / 2, c.y() - d / 2, d, d), true);
        engraved(p, QRectF(kExitCaption), QStringLiteral("EXIT"), sans(9, QFont::Bold, 2.0),
                 QColor(170, 173, 178));
    }

    // Display window: black glass, quiet enough for the labels written over it.
    {
        recess(p, QRectF(kDisplay), 6, QColor(5, 7, 8));
        QLinearGradient sheen(kDisplay.topLeft(), QPointF(kDisplay.left() + 90, kDisplay.bottom()));
        sheen.setColorAt(0, QColor(255, 255, 255, 16));
        sheen.setColorAt(0.5, QColor(255, 255, 255, 4));
        sheen.setColorAt(0.51, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(sheen);
        p.drawRoundedRect(QRectF(kDisplay).adjusted(1, 1, -1, -1), 5, 5);
        // A faint rule between the model line and the status lines.
        p.setPen(QColor(kCyan.red(), kCyan.green(), kCyan.blue(), 28));
        p.drawLine(QPointF(kModel.left(), kModel.bottom() + 1.5),
                   QPointF(kModel.right(), kModel.bottom() + 1.5));
    }

    // Port section.
    {
        recess(p, QRectF(kPortSection), 7, QColor(24, 25, 28));
        engraved(p, QRectF(kPortCaption), QStringLiteral("COM PORT"), sans(8.5, QFont::Bold, 1.6),
                 QColor(160, 163, 168), Qt::AlignLeft | Qt::AlignVCenter);
        recess(p, QRectF(kPortFrame), 3, QColor(12, 13, 14));
        pushButton(p, QRectF(kZone3), QStringLiteral("Zone 3"), sans(11, QFont::DemiBold, 0.4),
                   true, 4);
        engraved(p, QRectF(kLinkCaption), QStringLiteral("LINK"), sans(8.5, QFont::Bold, 1.6),
                 QColor(160, 163, 168), Qt::AlignRight | Qt::AlignVCenter);
        const QPointF c = QRectF(kLinkLed).center();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 30));
        p.drawEllipse(c + QPointF(0, 0.6), 7.5, 7.5);
        p.setBrush(QColor(0, 0, 0, 200));
        p.drawEllipse(c, 7, 7);
        QRadialGradient lens(c - QPointF(1.5, 1.5), 6);
        lens.setColorAt(0, QColor(60, 44, 30));
        lens.setColorAt(1, QColor(22, 18, 16));
        p.setBrush(lens);
        p.drawEllipse(c, 5, 5);
    }
}

// The QOR 81 has no tuner: a quit plate covers the Tuner word.
void paintQuitPlate(QPainter& p) {
    const QRectF r(menu::kTuner);
    pushButton(p, r, QString(), sans(8), true, 4);
    const QFont f = sans(12.5, QFont::DemiBold, 0.5);
    const QString word = QStringLiteral("Quit");
    const qreal textWidth = QFontMetricsF(f).horizontalAdvance(word);
    const qreal glyph = 11, gap = 7;
    const qreal left = r.center().x() - (glyph + gap + textWidth) / 2;
    powerGlyph(p, QPointF(left + glyph / 2, r.center().y()), glyph, kAmber, 1.8);
    p.setFont(f);
    p.setPen(QColor(0, 0, 0, 160));
    const QRectF textBox(left + glyph + gap, r.top(), textWidth + 2, r.height() - 1);
    p.drawText(textBox.translated(0, -1), Qt::AlignLeft | Qt::AlignVCenter, word);
    p.setPen(kLetter);
    p.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter, word);
}

// ---- zone panel ------------------------------------------------------------------

void paintSourceButton(QPainter& p, const QRect& r, const QString& word, bool lit) {
    pushButton(p, QRectF(r), word, sans(9.5, QFont::Bold, 1.0), lit, 4);
}

void paintZoneFace(QPainter& p, bool lit) {
    using namespace zone;
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    panelFace(p, kSkin, kCornerRadius, 0x2A5E0F11, QColor(64, 66, 71), QColor(30, 31, 34));

    // Power.
    recess(p, QRectF(kPowerButton), 9);
    powerButton(p, QRectF(kPowerButton), lit);
    engraved(p, QRectF(kPowerCaption), QStringLiteral("POWER"), sans(8, QFont::Bold, 1.4),
             QColor(160, 163, 168));

    // Name plate: black glass the zone name label sits in.
    recess(p, QRectF(kNameGlass), 4, QColor(4, 5, 6));
    {
        QLinearGradient sheen(kNameGlass.topLeft(), kNameGlass.bottomLeft());
        sheen.setColorAt(0, QColor(255, 255, 255, 18));
        sheen.setColorAt(0.45, QColor(255, 255, 255, 4));
        sheen.setColorAt(0.46, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(sheen);
        p.drawRoundedRect(QRectF(kNameGlass).adjusted(1, 1, -1, -1), 3, 3);
    }

    // Sources: marker slots, button wells, caption strip.
    for (const QRect& m : {kTunerMarker, kAuxMarker})
        recess(p, QRectF(m).adjusted(-1, -1, 1, 1), 2, QColor(10, 10, 12));
    for (const QRect& b : {kTunerButton, kAuxButton})
        recess(p, QRectF(b).adjusted(-2, -2, 2, 2), 5);
    paintSourceButton(p, kTunerButton, QStringLiteral("TUNER"), lit);
    paintSourceButton(p, kAuxButton, QStringLiteral("AUX"), lit);
    recess(p, QRectF(kSourceCaption), 2, QColor(26, 27, 30));

    // Maker's mark between the sources and the knobs; the zone lamp under the window buttons.
    {
        const QPointF c = QRectF(kStatusLed).center();
        p.setPen(Qt::NoPen);
        if (lit) {
            QRadialGradient halo(c, 9);
            halo.setColorAt(0, QColor(kAmber.red(), kAmber.green(), kAmber.blue(), 120));
            halo.setColorAt(1, QColor(kAmber.red(), kAmber.green(), kAmber.blue(), 0));
            p.setBrush(halo);
            p.drawEllipse(c, 9, 9);
        }
        p.setBrush(QColor(0, 0, 0, 190));
        p.drawEllipse(c, 4.8, 4.8);
        QRadialGradient lens(c - QPointF(1, 1), 4);
        lens.setColorAt(0, lit ? QColor(255, 230, 170) : QColor(70, 56, 40));
        lens.setColorAt(1, lit ? kAmber : QColor(34, 28, 22));
        p.setBrush(lens);
        p.drawEllipse(c, 3.6, 3.6);
        engraved(p, QRectF(kStatusCaption), QStringLiteral("ON"), sans(8, QFont::Bold, 1.4),
                 QColor(160, 163, 168));
        engraved(p, QRectF(kBrand.left(), kBrand.top(), kBrand.width(), 20), QStringLiteral("QOR"),
                 sans(17, QFont::Bold, 3.0), QColor(196, 199, 204));
        engraved(p, QRectF(kBrand.left(), kBrand.top() + 20, kBrand.width(), 11),
                 QStringLiteral("ZONE AMP"), sans(7, QFont::Normal, 1.2), QColor(140, 143, 148));
    }

    groove(p, QPointF(kDividerX + 0.5, 12), QPointF(kDividerX + 0.5, kSkin.height() - 13));

    // Knob wells with their scales; the knobs themselves are live widgets.
    struct K {
        QPoint c;
        int size;
        bool centreMark;
        QRect caption;
    };
    const K knobs[] = {{kBassCentre, kToneKnobSize, true, kBassCaption},
                       {kTrebleCentre, kToneKnobSize, true, kTrebleCaption},
                       {kVolumeCentre, kVolumeKnobSize, false, kVolumeCaption}};
    for (const K& k : knobs) {
        knobWell(p, QPointF(k.c), k.size + 2 * kWellMargin, 11, k.centreMark, lit);
        recess(p, QRectF(k.caption), 2, QColor(26, 27, 30));
        // An unlit panel hides its knobs, so the picture shows them at rest instead of holes.
        if (!lit) knobCap(p, QPointF(k.c), k.size - 4);
    }
}

void paintZoneButtons(QPainter& p, bool lit) {
    using namespace zone;
    p.setRenderHint(QPainter::Antialiasing);
    recess(p, QRectF(kButtonWell), 5);
    windowButton(p, kMinimise, Glyph::Minimise, true);
    windowButton(p, kClose, Glyph::Cross, lit);
}

QImage zoneSkin(bool lit) {
    QImage art = newCanvas(zone::kSkin);
    {
        QPainter p(&art);
        paintZoneFace(p, lit);
    }
    if (!lit) fadeImage(art, 0.70);
    {
        // The window buttons look the same in both states, so the minimise picture
        // (which never changes) fits either skin.
        QPainter p(&art);
        paintZoneButtons(p, lit);
    }
    return keyOnBlue(art);
}

void checkNoKeyInside(QImage& img, QSize skin, int radius, const QString& what) {
    QPainterPath inside;
    inside.addRoundedRect(QRectF(1, 1, skin.width() - 2, skin.height() - 2), radius, radius);
    if (scrubKeyColour(img, inside) > 0)
        qWarning("%s: key blue found inside the art; nudged", qPrintable(what));
}

}  // namespace

const QImage& ArtSet::image(const QString& file) const {
    for (const Picture& pic : pictures)
        if (pic.file == file) return pic.image;
    throw std::runtime_error("no picture " + file.toStdString());
}

ArtSet renderAll() {
    ArtSet set;

    QImage menuArt = newCanvas(menu::kSkin);
    {
        QPainter p(&menuArt);
        paintMenuFace(p);
    }
    QImage menuSkin = keyOnBlue(menuArt);
    checkNoKeyInside(menuSkin, menu::kSkin, menu::kCornerRadius, "menu skin");
    {
        QPainter p(&menuArt);
        p.setRenderHint(QPainter::Antialiasing);
        paintQuitPlate(p);
    }
    const QImage menuSkinQor81 = keyOnBlue(menuArt);

    QImage onSkin = zoneSkin(true);
    QImage offSkin = zoneSkin(false);
    checkNoKeyInside(onSkin, zone::kSkin, zone::kCornerRadius, "zone skin");
    checkNoKeyInside(offSkin, zone::kSkin, zone::kCornerRadius, "faded zone skin");
    if (crop(onSkin, zone::kMinimise) != crop(offSkin, zone::kMinimise))
        qWarning("zone minimise button differs between the two skins");

    auto add = [&set](const QString& file, const QString& role, const QImage& img) {
        set.pictures.push_back({file, role, img});
    };
    add("menu_skin.png", "main window skin (Image1)", menuSkin);
    add("menu_quit_tuner.png", "quit plate over the Tuner word on the QOR 81 (Image2)",
        crop(menuSkinQor81, menu::kTuner));
    add("menu_minimise.png", "main window minimise button (Image3)",
        crop(menuSkin, menu::kMinimise));
    add("menu_quit.png", "main window quit button (Image4)", crop(menuSkin, menu::kQuit));
    add("menu_zone3.png", "zone 3 shortcut (Image5)", crop(menuSkin, menu::kZone3));

    add("Ampli31.gif", "zone panel skin, on look (Image1)", onSkin);
    add("Ampli31_faded.gif", "zone panel skin, off look (Image1)", offSkin);
    add("knopon2.ico", "on/off button, on look (Picture1)", crop(onSkin, zone::kPowerButton));
    add("knopon2_faded.gif", "on/off button, off look (Picture1)",
        crop(offSkin, zone::kPowerButton));
    add("close.ico", "close button, on look (Image4)", crop(onSkin, zone::kClose));
    add("close2.ico", "close button, off look (Image4)", crop(offSkin, zone::kClose));
    add("zone_minimise.png", "zone panel minimise button, both looks (Image3)",
        crop(onSkin, zone::kMinimise));
    add("zone_tuner.png", "Tuner source button (Image2)", crop(onSkin, zone::kTunerButton));
    add("zone_aux.png", "Aux source button (Image5)", crop(onSkin, zone::kAuxButton));

    QImage dial = tunerDial();
    checkNoKeyInside(dial, tuner::kSkin, tuner::kCornerRadius, "tuner dial");
    add("tuner_dial.png", "tuner panel dial (Image1), stretched to 8200 x 1272 twips", dial);
    add("tuner_minimise.png", "tuner minimise / stay-on-top button (Image5)",
        crop(dial, tuner::kMinimise));
    add("tuner_close.png", "tuner close button (Image4)", crop(dial, tuner::kClose));
    add("tuner_down.png", "manual tune down (Image2)", crop(dial, tuner::kTuneDown));
    add("tuner_up.png", "manual tune up (Image3)", crop(dial, tuner::kTuneUp));
    add("tuner_search_prev.png", "search previous station (Picture2)",
        crop(dial, tuner::kSearchPrev));
    add("tuner_search_next.png", "search next station (Picture3)", crop(dial, tuner::kSearchNext));
    QImage editor = tunerEditorBacking();
    checkNoKeyInside(editor, tuner::kEditor.size(), 7, "tuner editor backing");
    add("tuner_editor.png", "backing of the preset name editor, at Shape3's place below the dial",
        editor);
    return set;
}

}  // namespace artgen
