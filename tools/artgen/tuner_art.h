// The tuner panel's pictures: the dial and the name editor's backing.
#pragma once

#include <QImage>

namespace artgen {

QImage tunerDial();
QImage tunerEditorBacking();

}  // namespace artgen
