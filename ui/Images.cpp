#include "ui/Images.h"

#include "platform/Paths.h"

#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QTextLayout>

namespace {

QHash<QString, QPixmap>& cache() {
    static QHash<QString, QPixmap> pictures;
    return pictures;
}

QPixmap load(const QString& base, double scale) {
    if (scale >= 2) {
        QPixmap sharp(Paths::resourcePath(base + QStringLiteral("@2x.png")));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2);
            return sharp;
        }
    }
    QPixmap plain(Paths::resourcePath(base + QStringLiteral(".png")));
    if (plain.isNull()) {
        // Only the sharp variant shipped: use it at its point size.
        QPixmap sharp(Paths::resourcePath(base + QStringLiteral("@2x.png")));
        if (!sharp.isNull())
            sharp.setDevicePixelRatio(2);
        return sharp;
    }
    return plain;
}

} // namespace

namespace Images {

QPixmap named(const QString& name) {
    QString base = name.trimmed();
    if (base.isEmpty())
        return {};
    if (base.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        base.chop(4);
    const double scale = qApp ? qGuiApp->devicePixelRatio() : 1.0;
    const QString key = base + (scale >= 2 ? QStringLiteral("@2") : QStringLiteral("@1"));
    auto it = cache().constFind(key);
    if (it != cache().constEnd())
        return *it;
    const QPixmap pixmap = load(base, scale);
    cache().insert(key, pixmap);
    return pixmap;
}

void clearCache() {
    cache().clear();
}

} // namespace Images

namespace Fonts {

namespace {
QFont sans(double size, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qMax(1, qRound(size)));
    font.setBold(bold);
    return font;
}
} // namespace

QFont named(const QString& name, double size) {
    return sans(size, name.contains(QStringLiteral("Bold")));
}
QFont system(double size) {
    return sans(size, false);
}
QFont boldSystem(double size) {
    return sans(size, true);
}

} // namespace Fonts

int measureTextWidth(const QFont& font, const QString& text) {
    return QFontMetrics(font).horizontalAdvance(text);
}

int measureWrappedHeight(const QFont& font, const QString& text, int width) {
    return QFontMetrics(font).boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, text).height();
}
