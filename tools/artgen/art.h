// The program's pictures, drawn from scratch.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace artgen {

struct Picture {
    QString file;  // name in assets/, extension included (.png, .gif or .ico)
    QString role;  // what it is for, one line, for LAYOUT.md
    QImage image;
};

struct ArtSet {
    std::vector<Picture> pictures;

    const QImage& image(const QString& file) const;
};

ArtSet renderAll();

}  // namespace artgen
