// Checks the edition's picture sources: every one parses, the pictures the screens load by a fixed
// name exist at the size their frames expect, and every picture the content asks for exists.

#include "ArtRenderer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QString kArtDir = QStringLiteral(GUIDE_ART_SOURCE_DIR);
const QString kRequests = QStringLiteral(GUIDE_CONTENT_DIR "/art-requests.txt");

struct FixedPicture {
    const char* name;
    int width;
    int height;
};

// Pictures the screens load by a fixed name, with the frame each is shown in.
constexpr FixedPicture kFixed[] = {
    {"Default", 320, 480},        {"Background", 320, 480},
    {"BCKBlack", 320, 480},       {"NavigationBar", 320, 44},
    {"InfoPanel60", 320, 60},     {"SBKBadge", 60, 22},
    {"Info", 40, 34},             {"Maps", 36, 36},
    {"Bookmarks", 36, 36},        {"Search", 36, 36},
    {"Close", 40, 40},            {"SendMail", 30, 30},
    {"LogoSBK", 150, 39},         {"LogoVantor", 110, 75},
    {"ThumbFrame", 100, 105},     {"Call", 68, 32},
    {"Web", 68, 32},              {"Email", 68, 32},
    {"DoneUp3", 106, 53},         {"DoneDown3", 106, 53},
    {"DotUp3", 51, 53},           {"DotDown3", 51, 53},
    {"BackUp", 54, 53},           {"BackDown", 54, 53},
    {"ChapterPageBackground", 320, 416},
    {"BookmarkPageBackground", 320, 416},
    {"SearchPageBackground", 320, 416},
    {"CurrencyPageBackground", 320, 416},
    {"WeatherPageBackground", 320, 416},
    {"OfflineMapsPageBackground", 320, 416},
};

QStringList svgFiles() {
    return QDir(kArtDir).entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
}

TEST(ArtContent, EverySourceParsesAndHasAPlainName) {
    const QStringList files = svgFiles();
    ASSERT_FALSE(files.isEmpty()) << "no pictures in " << kArtDir.toStdString();
    const QRegularExpression plainName(QStringLiteral("^[A-Za-z0-9_.-]+\\.svg$"));
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        EXPECT_TRUE(plainName.match(file).hasMatch()) << "names are looked up verbatim; keep them plain";
        EXPECT_FALSE(file.endsWith(QLatin1String(".png.svg"))) << "the picture name never carries .png";
        const artwork::SvgInfo info = artwork::inspectSvg(QDir(kArtDir).filePath(file));
        EXPECT_TRUE(info.ok()) << info.error.toStdString();
    }
}

TEST(ArtContent, FixedPicturesExistAtTheirFrameSize) {
    for (const FixedPicture& fixed : kFixed) {
        SCOPED_TRACE(fixed.name);
        const QString path = QDir(kArtDir).filePath(QString::fromLatin1(fixed.name) + ".svg");
        const artwork::SvgInfo info = artwork::inspectSvg(path);
        ASSERT_TRUE(info.ok()) << info.error.toStdString();
        EXPECT_EQ(info.size, QSize(fixed.width, fixed.height));
    }
}

TEST(ArtContent, MetroMapIsLargeEnoughToZoom) {
    const artwork::SvgInfo info = artwork::inspectSvg(QDir(kArtDir).filePath("MetroMap.svg"));
    ASSERT_TRUE(info.ok()) << info.error.toStdString();
    EXPECT_GE(info.size.width(), 640);
    EXPECT_GE(info.size.height(), 480);
}

TEST(ArtContent, EveryRequestedPictureExistsAtTheRequestedSize) {
    QFile requests(kRequests);
    if (!requests.open(QIODevice::ReadOnly | QIODevice::Text)) {
        GTEST_SKIP() << "no picture requests at " << kRequests.toStdString();
    }
    const QRegularExpression sizePattern(QStringLiteral("(\\d+)\\s*[x\u00d7]\\s*(\\d+)"));
    int lineNumber = 0;
    int checked = 0;
    while (!requests.atEnd()) {
        const QString line = QString::fromUtf8(requests.readLine()).trimmed();
        ++lineNumber;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        const QStringList fields = line.split(QLatin1Char('\t'));
        QString name = fields.at(0).trimmed();
        if (name.endsWith(QLatin1String(".png"))) {
            name.chop(4);
        }
        SCOPED_TRACE(QStringLiteral("line %1: %2").arg(lineNumber).arg(name).toStdString());
        const artwork::SvgInfo info = artwork::inspectSvg(QDir(kArtDir).filePath(name + ".svg"));
        ASSERT_TRUE(info.ok()) << info.error.toStdString();
        if (fields.size() > 1) {
            const QRegularExpressionMatch size = sizePattern.match(fields.at(1));
            if (size.hasMatch()) {
                EXPECT_EQ(info.size, QSize(size.captured(1).toInt(), size.captured(2).toInt()));
            }
        }
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

} // namespace
