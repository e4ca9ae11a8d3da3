#pragma once

// Renders the edition's SVG picture sources into the PNG files the guide loads by name:
// name.png at the picture's own size in points and name@2x.png at twice that.
// Everything here paints with QPainter, so a QGuiApplication must exist (offscreen is enough).

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

namespace artwork {

struct SvgInfo {
    QSize size;    // the picture's own width and height in points
    QString error; // empty when the source parsed
    bool ok() const { return error.isEmpty(); }
};

// Parses one SVG file and reads its own size. A file that does not parse, or that has no
// positive size, gives an error text instead.
SvgInfo inspectSvg(const QString& svgPath);

// Renders an SVG at `scale` times its own size onto a transparent premultiplied image.
// Returns a null image when the file does not parse.
QImage renderSvg(const QString& svgPath, int scale);
// The same from the drawing's text.
QImage renderSvgData(const QByteArray& svg, int scale);

// The output file names of a source: "<out>/<name>.png" and "<out>/<name>@2x.png".
QString outputPath(const QString& outDir, const QString& name, int scale);

// True when `output` exists and was written after `source` was last changed.
bool isUpToDate(const QString& source, const QString& output);

struct SheetEntry {
    QString name;
    QString svgPath;
    QSize size; // own size in points
};

struct SheetLayout {
    int columns = 8;
    int cellWidth = 150;
    int pictureHeight = 150;
    int captionHeight = 30;
    int margin = 10;
};

// One picture with every entry drawn fitted into a cell over a grey checkerboard, with its
// name and size under it. Entries appear in the given order, row by row.
QImage makeContactSheet(const QList<SheetEntry>& entries, const SheetLayout& layout = {});

struct RunReport {
    int rendered = 0;          // sources whose PNGs were written in this run
    int upToDate = 0;          // sources whose PNGs were already newer
    QStringList errors;        // one line per source that could not be used or written
    QList<SheetEntry> entries; // every source that parsed, sorted by name
};

// Renders every *.svg of srcDir into outDir (created when missing).
RunReport renderDirectory(const QString& srcDir, const QString& outDir);

} // namespace artwork
