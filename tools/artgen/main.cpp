// qor-artgen: draws the program's pictures as PNG files.
//
//   qor-artgen OUTDIR [--preview FILE]
//   qor-artgen --check ASSETDIR [--preview FILE]
//
// Each picture is written as OUTDIR/<asset name>.png (for example Ampli31.gif.png);
// make-assets.sh turns the ones named .gif or .ico into those formats. LAYOUT.md is
// written to OUTDIR as well. --check reads the finished files back through Qt, as the
// program will, compares them with a fresh rendering, and builds the preview from them.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "art.h"
#include "layoutdoc.h"
#include "preview.h"

namespace {

bool isKey(QRgb c) { return (c & 0xFFFFFF) == 0x0000FF; }

// The converted files must load, keep their size, keep the see-through area exactly,
// and stay close to the drawing (GIF may lose a little to its 256 colours).
// On success the pictures in art are replaced by the files as read, for the preview.
int check(artgen::ArtSet& art, const QString& dir) {
    int failures = 0;
    for (artgen::Picture& pic : art.pictures) {
        const QString path = QDir(dir).filePath(pic.file);
        QImageReader reader(path);
        QImage got = reader.read();
        if (got.isNull()) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(pic.file),
                         qPrintable(reader.errorString()));
            ++failures;
            continue;
        }
        got = got.convertToFormat(QImage::Format_RGB32);
        const QImage want = pic.image.convertToFormat(QImage::Format_RGB32);
        if (got.size() != want.size()) {
            std::fprintf(stderr, "%s: size %dx%d, drawn %dx%d\n", qPrintable(pic.file), got.width(),
                         got.height(), want.width(), want.height());
            ++failures;
            continue;
        }
        int keyMismatch = 0, worst = 0;
        double total = 0;
        for (int y = 0; y < got.height(); ++y)
            for (int x = 0; x < got.width(); ++x) {
                const QRgb g = got.pixel(x, y), w = want.pixel(x, y);
                if (isKey(g) != isKey(w)) ++keyMismatch;
                const int e =
                    std::max({std::abs(qRed(g) - qRed(w)), std::abs(qGreen(g) - qGreen(w)),
                              std::abs(qBlue(g) - qBlue(w))});
                worst = std::max(worst, e);
                total += e;
            }
        const double mean = total / (got.width() * got.height());
        // 256 colours cost the glows a few steps here and there; the metal must stay exact-ish.
        const bool gif = pic.file.endsWith(QLatin1String(".gif"));
        const bool ok = keyMismatch == 0 && worst <= (gif ? 32 : 0) && mean <= (gif ? 1.0 : 0.0);
        std::printf("%-22s %4d x %-4d error worst %2d mean %.2f\n", qPrintable(pic.file),
                    got.width(), got.height(), worst, mean);
        if (!ok) {
            std::fprintf(stderr,
                         "%s: %d pixels changed see-through state; error worst %d mean %.2f\n",
                         qPrintable(pic.file), keyMismatch, worst, mean);
            ++failures;
        }
        pic.image = got;
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    // Fonts need a GUI application; no window is ever shown.
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QString outDir, preview, checkDir;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--preview") && i + 1 < args.size()) {
            preview = args[++i];
        } else if (args[i] == QLatin1String("--check") && i + 1 < args.size()) {
            checkDir = args[++i];
        } else if (!args[i].startsWith(QLatin1String("--")) && outDir.isEmpty()) {
            outDir = args[i];
        } else {
            outDir.clear();
            break;
        }
    }
    if (!checkDir.isEmpty()) {
        artgen::ArtSet art = artgen::renderAll();
        if (check(art, checkDir) != 0) return 1;
        if (!preview.isEmpty() && !artgen::renderPreview(art).save(preview, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(preview));
            return 1;
        }
        return 0;
    }
    if (outDir.isEmpty()) {
        std::fprintf(
            stderr,
            "usage: qor-artgen OUTDIR [--preview FILE] | --check ASSETDIR [--preview FILE]\n");
        return 2;
    }
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(outDir));
        return 1;
    }

    const artgen::ArtSet art = artgen::renderAll();
    for (const artgen::Picture& pic : art.pictures) {
        QString name = pic.file;
        if (!name.endsWith(QLatin1String(".png"))) name += QLatin1String(".png");
        const QString path = QDir(outDir).filePath(name);
        if (!pic.image.save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    QFile layout(QDir(outDir).filePath(QStringLiteral("LAYOUT.md")));
    if (!layout.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "cannot write LAYOUT.md\n");
        return 1;
    }
    QTextStream(&layout) << artgen::layoutMarkdown(art);
    layout.close();

    if (!preview.isEmpty() && !artgen::renderPreview(art).save(preview, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(preview));
        return 1;
    }
    return 0;
}
