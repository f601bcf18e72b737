// A mock-up of the windows built from the pictures, for looking at, not for shipping.
#pragma once

#include <QImage>

#include "art.h"

namespace artgen {

QImage renderPreview(const ArtSet& art);

}  // namespace artgen
