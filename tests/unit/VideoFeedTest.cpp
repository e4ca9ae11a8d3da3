#include "feeds/VideoFeed.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

using namespace testsupport;

namespace {

QByteArray fixture(const char* name) {
    return fixtureBytes(u"feeds/"_qs + QString::fromLatin1(name));
}

TEST(VideoFeedReader, ReadsTheDemoFeedAndTodaysPlaylists) {
    const auto demo = VideoFeedReader::read(fixture("videos.xml"));
    ASSERT_TRUE(demo);
    ASSERT_EQ(demo->size(), 7);
    const VideoEntry& first = demo->first();
    EXPECT_TRUE(first.hasMediaGroup);
    EXPECT_FALSE(first.mediaTitle.isEmpty());
    EXPECT_GT(first.duration, 0);
    EXPECT_FALSE(first.mediaContents.isEmpty());
    ASSERT_TRUE(first.highQualityThumbnail());
    EXPECT_TRUE(first.highQualityThumbnail()->time.isNull());

    // Today's shape: no durations, no "time", the entry's own title beside the group's.
    const auto today = VideoFeedReader::read(fixture("playlist-today.xml"));
    ASSERT_TRUE(today);
    ASSERT_EQ(today->size(), 2);
    EXPECT_EQ(today->at(0).mediaTitle, u"Walking the Ring"_qs);
    EXPECT_EQ(today->at(1).mediaTitle, u"Coffee houses & cake"_qs);
    EXPECT_EQ(today->at(0).duration, 0);
    // A row shows no length rather than "0:00" for a clip the feed gives none.
    EXPECT_EQ(VideoFeedReader::lengthText(today->at(0).duration), u""_qs);
    EXPECT_EQ(today->at(0).highQualityThumbnail()->url,
              u"https://i.example.org/vi/AAAAAAAAAAA/hqdefault.jpg"_qs);
    EXPECT_EQ(today->at(0).mediaContents, QStringList{u"https://www.example.org/v/AAAAAAAAAAA?version=3"_qs});
}

TEST(VideoFeedReader, MissingPartsReadAsEmptyAndBrokenFeedsFail) {
    const QByteArray feed =
        "<feed xmlns='http://www.w3.org/2005/Atom' xmlns:media='http://search.yahoo.com/mrss/' "
        "xmlns:yt='http://gdata.youtube.com/schemas/2007'>"
        "<entry><title>No group</title></entry>"
        "<entry><media:group><media:title>Timed thumbnails</media:title>"
        "<media:thumbnail url='a.jpg' width='120' height='90' time='00:00:01'/>"
        "<media:thumbnail url='b.jpg' width='120' height='90' time='00:00:02'/>"
        "<yt:duration seconds='125'/></media:group></entry>"
        "<entry><media:group><media:title>Two untimed</media:title>"
        "<media:thumbnail url='timed.jpg' width='120' height='90' time='00:00:01'/>"
        "<media:thumbnail url='first.jpg' width='480' height='360'/>"
        "<media:thumbnail url='second.jpg' width='480' height='360'/></media:group></entry></feed>";
    const auto entries = VideoFeedReader::read(feed);
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 3);
    // The row's picture is the first thumbnail without a time.
    ASSERT_TRUE(entries->at(2).highQualityThumbnail());
    EXPECT_EQ(entries->at(2).highQualityThumbnail()->url, u"first.jpg"_qs);
    EXPECT_FALSE(entries->at(0).hasMediaGroup);
    EXPECT_TRUE(entries->at(0).mediaTitle.isEmpty());
    EXPECT_FALSE(entries->at(1).highQualityThumbnail());
    EXPECT_EQ(entries->at(1).duration, 125);

    EXPECT_TRUE(VideoFeedReader::read("<feed xmlns='http://www.w3.org/2005/Atom'/>")->isEmpty());
    EXPECT_FALSE(VideoFeedReader::read(QByteArray()));
    EXPECT_FALSE(VideoFeedReader::read(fixture("videos.xml").left(2000)));
    const auto html = VideoFeedReader::read("<html><body><p>Not found<br></body></html>");
    EXPECT_TRUE(!html || html->isEmpty());

    const struct {
        int seconds;
        const char* text;
    } lengths[] = {{-5, ""},     {0, ""},      {1, "0:01"},   {59, "0:59"},
                   {60, "1:00"}, {61, "1:01"}, {125, "2:05"}, {600, "10:00"}};
    for (const auto& length : lengths)
        EXPECT_EQ(VideoFeedReader::lengthText(length.seconds), QString::fromLatin1(length.text));
}

} // namespace
