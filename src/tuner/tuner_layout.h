// Where the tuner panel puts its controls on the dial: each as a fraction of the dial's width
// and height (from a dial of 283 x 53 units), the preset marker's own places, and the scaling
// of the two controls that follow the screen's resolution.
#pragma once

#include <array>
#include <string_view>

namespace qor::tuner {

struct Ratio {
    std::string_view name;
    double horizontal;
    double vertical;
};

// Applied in this order when the panel loads, with the dial at Left 0, Top 0. Ratios above 1
// place the name editor below the dial.
inline constexpr std::array<Ratio, 22> kLayout{{
    {"Picture2", 0.80565371, 0.528301887},   // search previous
    {"Picture3", 0.890459364, 0.528301887},  // search next
    {"Picture1", 0.282685512, 0.528301887}, {"Combo1", 0.791519435, 0.150943396},
    {"Label1", 0.254416961, 0.226415094},  // RDS text
    {"Label2", 0.352179034, 0.603773585},  // preset keys 1 to 6
    {"Label3", 0.395759717, 0.603773585},   {"Label4", 0.45229682, 0.603773585},
    {"Label5", 0.494699647, 0.603773585},   {"Label6", 0.537102473, 0.603773585},
    {"Label7", 0.5795053, 0.603773585},     {"Label9", 0.67844523, 0.226415094},   // frequency
    {"Label14", 0.5795053, 0.32358491},     {"Shape1", 0.352179034, 0.603773585},  // preset marker
    {"Shape3", 0.381625442, 1.132075472},  // name editor frame
    {"Image3", 0.946996466, 0.603773585},  // tune up
    {"Image2", 0.763250883, 0.603773585},  // tune down
    {"Image5", 0.932862191, 0.075471698},  // minimise, stay on top
    {"Image4", 0.961130742, 0.075471698},  // close
    {"Command2", 0.522968198, 1.433962264}, {"Command3", 0.395759717, 1.433962264},
    {"Text1", 0.395759717, 1.20754717},
}};

// The marker under preset n (1 to 6). It sits slightly left of keys 3, 4 and 5, as it always
// has; the row is the keys' own.
inline constexpr std::array<double, 6> kMarkerHorizontal{0.352179034, 0.395759717, 0.441107185,
                                                         0.489988221, 0.534157833, 0.5795053};
inline constexpr double kMarkerVertical = 0.603773585;

// The screen's resolution as the panel works it out: 1440 divided (whole numbers) by the twips
// per pixel rounded, so 96 at 15 twips a pixel and 120 at 12. A screen too fine for whole twips
// per pixel counts as 96, so nothing is scaled by a division by zero.
int ScreenDpi(double twipsPerPixel);
// The factor the preset marker and the sensitivity box are scaled by: 96 / dpi.
double DpiScale(int dpi);

}  // namespace qor::tuner
