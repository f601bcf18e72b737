// Geometry of the two skins, in pixels from the picture's top-left corner.
// The pictures, the preview and LAYOUT.md are all produced from these numbers,
// so the windows can trust the table to match the artwork.
#pragma once

#include <QRect>
#include <QString>

namespace artgen {

// ---- main window (FrmMenu_1) ------------------------------------------------

namespace menu {

inline constexpr QSize kSkin{640, 200};
inline constexpr int kCornerRadius = 16;

// Header band with the program's name.
inline constexpr QRect kHeader{0, 0, 640, 38};
inline constexpr QRect kTitle{50, 8, 300, 22};

// Window buttons in the header.
inline constexpr QRect kMinimise{578, 9, 20, 20};  // Image3
inline constexpr QRect kQuit{604, 9, 20, 20};      // Image4

// Menu row: six plates of equal size with the words drawn on them.
inline constexpr int kMenuTop = 48;
inline constexpr int kMenuLeft = 20;
inline constexpr int kMenuWidth = 94;
inline constexpr int kMenuGap = 7;
inline constexpr int kMenuHeight = 30;
inline constexpr QRect menuPlate(int index) {
    return {kMenuLeft + index * (kMenuWidth + kMenuGap), kMenuTop, kMenuWidth, kMenuHeight};
}
inline constexpr QRect kFile = menuPlate(0);      // Label1
inline constexpr QRect kZones = menuPlate(1);     // Label2
inline constexpr QRect kTuner = menuPlate(2);     // Label3, and Image2 covers it on the QOR 81
inline constexpr QRect kEvents = menuPlate(3);    // Label4
inline constexpr QRect kSettings = menuPlate(4);  // Label6
inline constexpr QRect kConnect = menuPlate(5);   // Label5

// Lower row: exit switch, display window, port section.
inline constexpr int kLowerTop = 90;
inline constexpr int kLowerHeight = 98;
inline constexpr QRect kExitColumn{20, kLowerTop, 94, kLowerHeight};
inline constexpr QPoint kExitCentre{67, 128};
inline constexpr int kExitDiameter = 46;
inline constexpr QRect kExitCaption{20, 160, 94, 14};
inline constexpr QRect kExitHotspot{30, 96, 74, 82};  // Label10

inline constexpr QRect kDisplay{121, kLowerTop, 296, kLowerHeight};
inline constexpr QRect kModel{131, 95, 276, 26};            // Label7
inline constexpr QRect kStatusHint{131, 123, 276, 42};      // Label8
inline constexpr QRect kStatusProgress{131, 168, 150, 14};  // Label13
inline constexpr QRect kStatusSync{285, 168, 124, 14};      // Label9

inline constexpr QRect kPortSection{424, kLowerTop, 195, kLowerHeight};
inline constexpr QRect kPortCaption{434, 95, 120, 14};
inline constexpr QRect kPortFrame{434, 112, 175, 28};  // Shape1
inline constexpr QRect kPortList{437, 115, 169, 22};   // Combo1
inline constexpr QRect kZone3{434, 151, 84, 28};       // Image5
inline constexpr QRect kLinkCaption{532, 158, 44, 14};
inline constexpr QRect kLinkLed{584, 158, 14, 14};  // Shape2

}  // namespace menu

// ---- zone panel (FrmZone_1 .. FrmZone_4) ------------------------------------

namespace zone {

inline constexpr QSize kSkin{570, 121};
inline constexpr int kCornerRadius = 12;

inline constexpr QRect kPowerButton{16, 36, 40, 40};  // Picture1 (knopon2.ico / knopon2_faded.gif)
inline constexpr QRect kPowerCaption{8, 82, 56, 12};

inline constexpr QRect kNameGlass{72, 12, 196, 30};
inline constexpr QRect kNamePlate{78, 15, 184, 24};  // Label1

inline constexpr QRect kTunerButton{82, 60, 50, 37};      // Image2
inline constexpr QRect kAuxButton{146, 60, 46, 36};       // Image5
inline constexpr QRect kTunerMarker{99, 49, 17, 8};       // Shape4
inline constexpr QRect kAuxMarker{161, 49, 17, 8};        // Shape5
inline constexpr QRect kSourceCaption{82, 101, 110, 14};  // Text4 / Label3

inline constexpr QRect kBrand{204, 62, 64, 32};
inline constexpr QRect kStatusLed{540, 62, 8, 8};
inline constexpr QRect kStatusCaption{524, 74, 40, 12};
inline constexpr int kDividerX = 274;

inline constexpr int kKnobCentreY = 50;
inline constexpr QPoint kBassCentre{315, kKnobCentreY};
inline constexpr QPoint kTrebleCentre{392, kKnobCentreY};
inline constexpr QPoint kVolumeCentre{472, kKnobCentreY};
inline constexpr int kToneKnobSize = 48;    // widget size of iKnobX11 / iKnobX21
inline constexpr int kVolumeKnobSize = 56;  // widget size of iKnobX31
inline constexpr int kWellMargin = 6;  // the well is this much wider than the knob on each side

inline constexpr QRect knobRect(QPoint centre, int size) {
    return {centre.x() - size / 2, centre.y() - size / 2, size, size};
}
inline constexpr QRect kBassKnob = knobRect(kBassCentre, kToneKnobSize);        // iKnobX11
inline constexpr QRect kTrebleKnob = knobRect(kTrebleCentre, kToneKnobSize);    // iKnobX21
inline constexpr QRect kVolumeKnob = knobRect(kVolumeCentre, kVolumeKnobSize);  // iKnobX31

inline constexpr int kCaptionTop = 96;
inline constexpr QRect kBassCaption{kBassCentre.x() - 32, kCaptionTop, 64, 14};      // Text1
inline constexpr QRect kTrebleCaption{kTrebleCentre.x() - 32, kCaptionTop, 64, 14};  // Text2
inline constexpr QRect kVolumeCaption{kVolumeCentre.x() - 34, kCaptionTop, 68, 14};  // Text3

inline constexpr QRect kButtonWell{523, 6, 42, 24};
inline constexpr QRect kMinimise{526, 9, 18, 18};  // Image3
inline constexpr QRect kClose{544, 9, 18, 18};     // Image4 (close.ico / close2.ico)

}  // namespace zone

}  // namespace artgen
