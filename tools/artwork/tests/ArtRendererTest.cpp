#include "ArtRenderer.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

namespace {

// A 20 x 10 picture: transparent left half, opaque red right half.
constexpr auto kHalfRed = R"(<svg xmlns="http://www.w3.org/2000/svg" width="20" height="10">
<rect x="10" y="0" width="10" height="10" fill="#ff0000"/></svg>)";

void writeFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(text);
}

void setModified(const QString& path, const QDateTime& when) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
}

class RenderDirectoryTest : public ::testing::Test {
protected:
    QTemporaryDir temp;
    QString src() const { return temp.filePath(QStringLiteral("src")); }
    QString out() const { return temp.filePath(QStringLiteral("out")); }
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        ASSERT_TRUE(QDir().mkpath(src()));
    }
};

TEST(RenderSvg, OwnSizeAndDoubleSizeKeepTransparencyAndColour) {
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("half.svg"));
    writeFile(path, kHalfRed);

    const artwork::SvgInfo info = artwork::inspectSvg(path);
    ASSERT_TRUE(info.ok()) << info.error.toStdString();
    EXPECT_EQ(info.size, QSize(20, 10));

    const QImage one = artwork::renderSvg(path, 1);
    const QImage two = artwork::renderSvg(path, 2);
    EXPECT_EQ(one.size(), QSize(20, 10));
    EXPECT_EQ(two.size(), QSize(40, 20));
    EXPECT_EQ(one.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(qAlpha(one.pixel(2, 5)), 0) << "the undrawn half stays transparent";
    EXPECT_EQ(one.pixel(15, 5), qRgba(255, 0, 0, 255));
    EXPECT_EQ(qAlpha(two.pixel(5, 10)), 0);
    EXPECT_EQ(two.pixel(39, 19), qRgba(255, 0, 0, 255));
}

TEST(RenderSvg, SizeComesFromViewBoxWhenWidthAndHeightAreMissing) {
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("vb.svg"));
    writeFile(path, R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 36 28"><circle cx="18" cy="14" r="9"/></svg>)");
    EXPECT_EQ(artwork::inspectSvg(path).size, QSize(36, 28));
    EXPECT_EQ(artwork::renderSvg(path, 2).size(), QSize(72, 56));
}

TEST(RenderSvg, BrokenAndMissingFilesAreReportedNotRendered) {
    QTemporaryDir temp;
    const QString broken = temp.filePath(QStringLiteral("broken.svg"));
    writeFile(broken, "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\"><rect></svg");
    EXPECT_FALSE(artwork::inspectSvg(broken).ok());
    EXPECT_TRUE(artwork::renderSvg(broken, 1).isNull());
    EXPECT_FALSE(artwork::inspectSvg(temp.filePath(QStringLiteral("absent.svg"))).ok());
}

TEST(OutputPath, NamesFollowTheResolutionConvention) {
    EXPECT_EQ(artwork::outputPath(QStringLiteral("/o"), QStringLiteral("Info"), 1), QStringLiteral("/o/Info.png"));
    EXPECT_EQ(artwork::outputPath(QStringLiteral("/o"), QStringLiteral("Info"), 2), QStringLiteral("/o/Info@2x.png"));
}

TEST_F(RenderDirectoryTest, WritesBothResolutionsAndSkipsWhatIsUpToDate) {
    writeFile(src() + "/Half.svg", kHalfRed);
    writeFile(src() + "/notes.txt", "not a picture");

    artwork::RunReport first = artwork::renderDirectory(src(), out());
    EXPECT_TRUE(first.errors.isEmpty());
    EXPECT_EQ(first.rendered, 1);
    EXPECT_EQ(QImage(out() + "/Half.png").size(), QSize(20, 10));
    EXPECT_EQ(QImage(out() + "/Half@2x.png").size(), QSize(40, 20));
    EXPECT_FALSE(QFileInfo::exists(out() + "/notes.png"));

    // Make the outputs clearly newer than the source, whatever the file system's clock resolution.
    const QDateTime past = QDateTime::currentDateTime().addSecs(-3600);
    setModified(src() + "/Half.svg", past);
    artwork::RunReport second = artwork::renderDirectory(src(), out());
    EXPECT_EQ(second.rendered, 0);
    EXPECT_EQ(second.upToDate, 1);
    ASSERT_EQ(second.entries.size(), 1) << "skipped pictures still belong on the contact sheet";
    EXPECT_EQ(second.entries.first().size, QSize(20, 10));

    // A changed source is rendered again.
    setModified(src() + "/Half.svg", QDateTime::currentDateTime().addSecs(3600));
    EXPECT_EQ(artwork::renderDirectory(src(), out()).rendered, 1);

    // A missing high-resolution file alone is enough to render again.
    setModified(src() + "/Half.svg", past);
    ASSERT_TRUE(QFile::remove(out() + "/Half@2x.png"));
    EXPECT_EQ(artwork::renderDirectory(src(), out()).rendered, 1);
    EXPECT_TRUE(QFileInfo::exists(out() + "/Half@2x.png"));
}

TEST_F(RenderDirectoryTest, OneBrokenSourceIsReportedAndTheOthersStillRender) {
    writeFile(src() + "/Good.svg", kHalfRed);
    writeFile(src() + "/Bad.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\"><g></svg>");

    const artwork::RunReport report = artwork::renderDirectory(src(), out());
    ASSERT_EQ(report.errors.size(), 1);
    EXPECT_TRUE(report.errors.first().contains(QStringLiteral("Bad.svg")));
    EXPECT_FALSE(report.errors.first().contains(QLatin1Char('\n')));
    EXPECT_EQ(report.rendered, 1);
    EXPECT_TRUE(QFileInfo::exists(out() + "/Good.png"));
    EXPECT_FALSE(QFileInfo::exists(out() + "/Bad.png"));
}

TEST_F(RenderDirectoryTest, MissingSourceFolderIsAnError) {
    const artwork::RunReport report = artwork::renderDirectory(temp.filePath("nowhere"), out());
    EXPECT_EQ(report.errors.size(), 1);
    EXPECT_EQ(report.rendered, 0);
}

TEST_F(RenderDirectoryTest, ContactSheetHasOneCellPerPictureAndShowsTransparencyOnGrey) {
    for (int i = 0; i < 5; ++i) {
        writeFile(src() + QStringLiteral("/P%1.svg").arg(i), kHalfRed);
    }
    const artwork::RunReport report = artwork::renderDirectory(src(), out());
    ASSERT_EQ(report.entries.size(), 5);

    artwork::SheetLayout layout;
    layout.columns = 3;
    layout.cellWidth = 100;
    layout.pictureHeight = 60;
    layout.captionHeight = 30;
    layout.margin = 10;
    const QImage sheet = artwork::makeContactSheet(report.entries, layout);
    EXPECT_EQ(sheet.size(), QSize(10 + 3 * 110, 10 + 2 * 100));

    // The 20 x 10 picture is scaled 4x (the upscale cap) to 80 x 40, centred in the 100 x 60 cell.
    const QPoint cellOrigin(10, 10);
    const QRgb transparentHalf = sheet.pixel(cellOrigin + QPoint(10 + 20, 10 + 20));
    EXPECT_EQ(qRed(transparentHalf), qGreen(transparentHalf)) << "grey checker under the transparent half";
    EXPECT_GT(qRed(transparentHalf), 0x60);
    EXPECT_EQ(sheet.pixel(cellOrigin + QPoint(10 + 60, 10 + 20)), qRgba(255, 0, 0, 255));
    // Outside the picture stays the sheet background.
    EXPECT_EQ(sheet.pixel(cellOrigin + QPoint(3, 3)), qRgba(0x3a, 0x3a, 0x3a, 255));
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
