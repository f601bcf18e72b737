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

// ---- tuner panel (FrmTuner) --------------------------------------------------
//
// The dial is stretched into Image1's design size, 8200 x 1272 twips; at 15 twips a pixel that is
// 547 x 85 (a third of a pixel over in width, a fifth in height). The controls' Left and Top come
// from the window's layout ratios; the sizes here are this artwork's.

namespace tuner {

inline constexpr QSize kSkin{547, 85};
inline constexpr QSize kDesignTwips{8200, 1272};
inline constexpr int kCornerRadius = 10;

// Left: the hint line on its own glass, the brand, the open lamp.
inline constexpr QRect kHintGlass{11, 5, 99, 63};
inline constexpr QRect kHint{16, 8, 89, 57};     // Label13 (design 240, 120, 1332 x 852)
inline constexpr QRect kStatus{32, 16, 70, 14};  // Label12 (design Left 480, Top 240)
inline constexpr QRect kBrand{14, 69, 96, 13};
inline constexpr QRect kOpenLamp{8, 80, 9, 9};  // Shape2 (design 120, 1200, 135 x 135)

// The display: a radio scale over the RDS line, the frequency and the preset's name.
inline constexpr QRect kDisplay{128, 8, 296, 33};  // Shape4 (design 1920, 120, 4445 x 492)
inline constexpr QRect kScale{136, 9, 282, 9};
inline constexpr QRect kRds{139, 19, 182, 14};       // Label1
inline constexpr QRect kFrequency{371, 19, 50, 10};  // Label9
inline constexpr QRect kPresetName{328, 28, 96, 8};  // Labelpresetname (4920, 420, 1440 x 120)
inline constexpr QRect kPresetNameHidden{317, 27, 96, 8};  // Label14, never shown

// Sensitivity box with its caption above.
inline constexpr QRect kSensitivityWell{430, 11, 71, 26};
inline constexpr QRect kSensitivity{433, 13, 65, 21};  // Combo1, design width 975
inline constexpr QRect kSensitivityCaption{430, 2, 71, 8};

// Window buttons.
inline constexpr QRect kButtonWell{507, 3, 35, 20};
inline constexpr QRect kMinimise{510, 6, 14, 14};  // Image5
inline constexpr QRect kClose{525, 6, 14, 14};     // Image4

// The six preset keys and the marker (design 375 x 200).
inline constexpr int kKeyTop = 51;
inline constexpr int kKeyWidth = 21;
inline constexpr int kKeyHeight = 14;
inline constexpr int kKeyLeft[6] = {192, 216, 247, 270, 294, 317};  // Label2 .. Label7
inline constexpr int kMarkerLeft[6] = {192, 216, 241, 268, 292, 317};
inline constexpr QSize kMarker{25, 13};  // Shape1
inline constexpr QRect presetKey(int n) {
    return {kKeyLeft[n - 1], kKeyTop, kKeyWidth, kKeyHeight};
}
inline constexpr QRect presetMarker(int n) {
    return {kMarkerLeft[n - 1], kKeyTop, kMarker.width(), kMarker.height()};
}
inline constexpr QRect kPresetWell{187, 47, 156, 22};
inline constexpr QRect kPresetCaption{187, 71, 156, 9};
inline constexpr QRect kBadge{152, 47, 30, 22};  // Picture1's place: the FM badge

// Tuning and search.
inline constexpr QRect kTuneDown{417, 51, 20, 24};    // Image2
inline constexpr QRect kSearchPrev{440, 45, 28, 30};  // Picture2
inline constexpr QRect kSearchNext{487, 45, 28, 30};  // Picture3
inline constexpr QRect kTuneUp{518, 51, 20, 24};      // Image3

// The name editor below the dial, on a backing of its own (tuner_editor.png at Shape3's place).
inline constexpr QRect kEditor{209, 96, 148, 54};        // Shape3
inline constexpr QRect kEditorName{216, 102, 133, 19};   // Text1
inline constexpr QRect kEditorCancel{216, 122, 64, 22};  // Command3
inline constexpr QRect kEditorStore{286, 122, 64, 22};   // Command2

}  // namespace tuner

}  // namespace artgen
