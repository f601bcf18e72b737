// LAYOUT.md, written from the same numbers the pictures are drawn with.
#pragma once

#include <QString>

#include "art.h"

namespace artgen {

QString layoutMarkdown(const ArtSet& art);

}  // namespace artgen
