#pragma once

#include <QFont>
#include <QPixmap>
#include <QString>

// Pictures of the edition by name: a bare name finds "name.png" (and "name@2x.png" on a 2x screen),
// a name ending in ".png" the same files. A null pixmap when there is no such picture.
namespace Images {
QPixmap named(const QString& name);
// Whether the edition has the picture in any of its forms (a name with a path in it never counts).
bool exists(const QString& name);
// Starts decoding the pictures on background threads, so that named() finds them ready.
void preload(const QStringList& names);
// Forgets loaded pictures (after the edition folder changes).
void clearCache();
} // namespace Images

// The named fonts of the design, in point sizes. Liberation Sans has Arial's metrics.
namespace Fonts {
QFont named(const QString& name, double size); // "Arial-BoldMT", "ArialMT"
QFont system(double size);
QFont boldSystem(double size);
// Loads the font database and the fonts' glyphs on a background thread, so that the first texts on
// screen do not wait for them.
void preload(const QList<QFont>& fonts);
} // namespace Fonts

// Text measuring in points.
int measureTextWidth(const QFont& font, const QString& text);
int measureWrappedHeight(const QFont& font, const QString& text, int width);
// The lines of a text wrapped at a width, the way labels draw them.
QStringList wrapText(const QFont& font, const QString& text, int width);
