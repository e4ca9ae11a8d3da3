#include "tools/edition/PicturesCheck.h"

#include "tools/edition/Edition.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QSvgRenderer>

#include <algorithm>

namespace Edition::Checking {

namespace {

struct PicturesChecker : CheckerBase {
    using CheckerBase::CheckerBase;

    QMap<QString, Findings::Naming>& pictures = findings.pictures;

    bool pictureFile(const QString& name, bool twice) const {
        const QDir dir(folder);
        if (dir.exists(name + (twice ? QStringLiteral("@2x.png") : QStringLiteral(".png"))))
            return true;
        // A source folder may keep its pictures as drawings that the build renders at both sizes.
        return sourceFolder && dir.exists(QStringLiteral("art/%1.svg").arg(name));
    }

    // Empty when the guide can show the picture file; otherwise why not. The guide decodes pictures of
    // up to Qt's allocation limit (128 MB, some 5,600 x 5,600 pixels) and shows nothing for the rest.
    static QString pictureProblem(const QString& path) {
        QImageReader reader(path);
        if (!reader.canRead())
            return QStringLiteral("is not a picture the guide can read");
        const QSize size = reader.size();
        const int bits = QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel();
        if (qint64(size.width()) * size.height() * std::max(bits, 8) / 8 >
            qint64(QImageReader::allocationLimit()) << 20)
            return QStringLiteral("is %1 x %2 pixels, more than the guide decodes (at most %3 MB as drawn); "
                                  "make it smaller")
                .arg(size.width())
                .arg(size.height())
                .arg(QImageReader::allocationLimit());
        if (reader.read().isNull())
            return QStringLiteral("cannot be decoded (%1); is it cut short?").arg(reader.errorString());
        return {};
    }

    // The picture files of a name, and a source's drawing, each as the guide or the build would read it.
    void checkPictureFiles(const QString& name, const QString& where, const QString& venue) {
        const QDir dir(folder);
        for (const QString& file : {name + QStringLiteral(".png"), name + QStringLiteral("@2x.png")}) {
            if (dir.exists(file))
                if (const QString problem = pictureProblem(dir.filePath(file)); !problem.isEmpty())
                    report(where, QStringLiteral("picture %1 %2").arg(file, problem), venue);
        }
        const QString drawing = QStringLiteral("art/%1.svg").arg(name);
        if (sourceFolder && dir.exists(drawing) && !QSvgRenderer(dir.filePath(drawing)).isValid())
            report(where, QStringLiteral("drawing %1 is not an SVG the build can draw").arg(drawing), venue);
    }

    void checkPictures() {
        const QString guide = QStringLiteral("the guide");
        for (const QString& name : Edition::alwaysNeededPictures()) {
            if (!pictures.contains(name))
                pictures.insert(name, Findings::Naming{guide, QString(), false});
        }
        for (auto it = pictures.cbegin(); it != pictures.cend(); ++it) {
            const bool always = it->place == guide;
            const QString where = always ? it.key() + QStringLiteral(".png") : it->place;
            if (!pictureFile(it.key(), false))
                report(where,
                       always ? QStringLiteral("missing: the guide always shows this picture")
                              : QStringLiteral("picture \"%1\" does not exist").arg(it.key()),
                       it->venue);
            else if (!it->singleSize && !pictureFile(it.key(), true))
                report(where,
                       QStringLiteral("picture \"%1\" has no %1@2x.png for sharp screens").arg(it.key()),
                       it->venue, true);
            checkPictureFiles(it.key(), where, it->venue);
        }
        // The build draws every drawing of art/, named or not, and stops at one it cannot draw.
        if (!sourceFolder)
            return;
        const QDir art(folder + QStringLiteral("/art"));
        for (const QString& file : art.entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name)) {
            if (!pictures.contains(QFileInfo(file).completeBaseName()) &&
                !QSvgRenderer(art.filePath(file)).isValid())
                report(QStringLiteral("art/") + file,
                       QStringLiteral("is not an SVG the build can draw; the build would stop there"));
        }
    }
};

} // namespace

void checkPictures(Findings& findings) {
    PicturesChecker(findings).checkPictures();
}

} // namespace Edition::Checking
