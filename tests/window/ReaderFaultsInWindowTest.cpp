// What a reader's hand met in a real window, each as a scripted walk: the number pad, shakes from the
// full-screen pages, the turned map picture, the web player without network, the live map of an
// edition with tiles of its own, the badge, the shake inside a web page, the start-up fade.

#include "tests/window/GuideWindow.h"
#include "tests/window/Invariants.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

using namespace window;

namespace {

class ReaderFaultsInWindow : public testing::Test {
protected:
    void start(const QString& edition = QStringLiteral(GUIDE_DEMO_EDITION),
               std::function<void(const QString&, const QUrl&)> prepare = {}) {
        guide = std::make_unique<GuideWindow>(GuideWindow::Options{edition, std::move(prepare)});
        ASSERT_TRUE(guide->failure().isEmpty()) << guide->failure().toStdString();
        home = guide->settle(8000);
        ASSERT_EQ(home[u"page"].toString(), u"ChapterPage");
    }

    // Every rule of every screen holds; `where` names the moment.
    QJsonObject expectSound(const std::string& where) {
        const QJsonObject now = guide->settle();
        const QStringList broken = brokenInvariants(now, guide->residentKiB());
        EXPECT_TRUE(broken.isEmpty()) << where << ": " << broken.join(u"; "_qs).toStdString();
        return now;
    }

    void tap(const QString& kind, const QString& name) {
        ASSERT_TRUE(guide->tap(kind, name))
            << "no " << kind.toStdString() << " \"" << name.toStdString() << "\"";
    }

    QString fieldText(const QString& row) {
        const auto field = guide->find(guide->settle(), u"field"_qs, row);
        return field ? field->text : u"(no field)"_qs;
    }

    std::unique_ptr<GuideWindow> guide;
    QJsonObject home;
};

TEST_F(ReaderFaultsInWindow, TheNumberPadIsUpExactlyWhileAnAmountIsEdited) {
    start();
    tap(u"button"_qs, u"Currency"_qs);
    const QString euros = fieldText(u"EUR, €"_qs);
    tap(u"field"_qs, u"USD, $"_qs);
    EXPECT_TRUE(guide->settle()[u"numberPad"].toBool());
    // Back empties the field, the digits type into it, Done ends the editing and scales the others.
    for (int i = 0; i < 8; ++i)
        tap(u"button"_qs, u"Back Up"_qs);
    for (const QString& digit : {u"1"_qs, u"0"_qs, u"0"_qs})
        tap(u"button"_qs, digit);
    EXPECT_EQ(guide->settle()[u"editing"].toString(), u"100");
    tap(u"button"_qs, u"Done Up3"_qs);
    QJsonObject now = expectSound("after Done");
    EXPECT_FALSE(now[u"numberPad"].toBool());
    EXPECT_EQ(fieldText(u"USD, $"_qs), u"100.00");
    EXPECT_NE(fieldText(u"EUR, €"_qs), euros);

    // A touch elsewhere ends the editing too.
    tap(u"field"_qs, u"GBP, £"_qs);
    ASSERT_TRUE(guide->settle()[u"numberPad"].toBool());
    guide->tapAt(guide->onScreen(now, QPoint(160, 40)));
    EXPECT_FALSE(expectSound("after a touch on the bar")[u"numberPad"].toBool());

    // Moving from one row to another edits the other row, and the pad types there only.
    tap(u"field"_qs, u"USD, $"_qs);
    tap(u"row"_qs, u"EUR, €"_qs);
    tap(u"button"_qs, u"7"_qs);
    now = guide->settle();
    EXPECT_TRUE(now[u"numberPad"].toBool());
    EXPECT_TRUE(now[u"editing"].toString().endsWith(u'7')) << now[u"editing"].toString().toStdString();
    EXPECT_EQ(fieldText(u"USD, $"_qs), u"100.00");
    tap(u"button"_qs, u"Done Up3"_qs);

    // Leaving the page, by Escape or a shake, never leaves the pad behind.
    for (const QString& keys : {u"Escape"_qs, u"ctrl+shift+z"_qs}) {
        tap(u"field"_qs, u"USD, $"_qs);
        ASSERT_TRUE(guide->settle()[u"numberPad"].toBool());
        guide->key(keys);
        now = expectSound("after " + keys.toStdString());
        EXPECT_EQ(now[u"page"].toString(), u"ChapterPage");
        EXPECT_FALSE(now[u"numberPad"].toBool()) << keys.toStdString();
        tap(u"button"_qs, u"Currency"_qs);
    }
}

TEST_F(ReaderFaultsInWindow, AShakeFromAFullScreenPageGivesTheHomeScreenOfAFreshStart) {
    start();
    const auto shakeHome = [this](const std::string& from) {
        guide->key(u"ctrl+shift+z"_qs);
        const QJsonObject now = expectSound("after a shake from " + from);
        EXPECT_EQ(now[u"page"].toString(), u"ChapterPage") << from;
        EXPECT_EQ(now[u"picture"], home[u"picture"]) << "the home screen after a shake from " << from;
    };
    tap(u"button"_qs, u"Maps"_qs);
    tap(u"button"_qs, u"Map Innere Stadt Thumb"_qs);
    expectSound("a map picture");
    shakeHome("a map picture");

    tap(u"button"_qs, u"Metro"_qs);
    shakeHome("the metro map");

    tap(u"button"_qs, u"TV"_qs);
    const auto clip = guide->find(guide->settle(8000), u"row"_qs, {});
    ASSERT_TRUE(clip);
    guide->tapAt(clip->centre());
    EXPECT_EQ(expectSound("a clip")[u"page"].toString(), u"VideoPage");
    shakeHome("a clip");

    // Inner pages opened afterwards have their Back button, title and badge.
    tap(u"button"_qs, u"Sights"_qs);
    const QJsonObject sights = expectSound("a chapter after the shakes");
    EXPECT_TRUE(guide->find(sights, u"button"_qs, u"Back"_qs));
    EXPECT_TRUE(guide->find(sights, u"button"_qs, u"SBK Badge"_qs));
}

TEST_F(ReaderFaultsInWindow, ATurnedMapPictureIsLandscapeWithItsCloseButtonAndTurnsBackUpright) {
    start();
    tap(u"button"_qs, u"Maps"_qs);
    tap(u"button"_qs, u"Map Innere Stadt Thumb"_qs);
    guide->key(u"ctrl+Left"_qs);
    QJsonObject now = expectSound("the map picture turned");
    EXPECT_TRUE(now[u"landscape"].toBool());
    EXPECT_TRUE(guide->find(now, u"button"_qs, u"Close"_qs)) << "no Close button in landscape";
    guide->key(u"ctrl+Right"_qs);
    now = expectSound("the map picture turned back");
    EXPECT_FALSE(now[u"landscape"].toBool());
    // Turned again and closed while turned: the screens after it stand upright at their size.
    guide->key(u"ctrl+Left"_qs);
    tap(u"button"_qs, u"Close"_qs);
    now = expectSound("the map pictures after closing a turned one");
    EXPECT_FALSE(now[u"landscape"].toBool());
    tap(u"button"_qs, u"Back"_qs);
    expectSound("the home screen");
}

TEST_F(ReaderFaultsInWindow, TheHomeScreenKeepsItsBadgeAfterTheMetroMapAndTheImprint) {
    start();
    ASSERT_TRUE(guide->find(home, u"button"_qs, u"SBK Badge"_qs));
    tap(u"button"_qs, u"Metro"_qs);
    tap(u"button"_qs, u"Close"_qs);
    EXPECT_TRUE(guide->find(expectSound("after the metro map"), u"button"_qs, u"SBK Badge"_qs));
    tap(u"button"_qs, u"Info"_qs);
    tap(u"button"_qs, u"Close"_qs);
    EXPECT_TRUE(guide->find(expectSound("after the imprint"), u"button"_qs, u"SBK Badge"_qs));
}

TEST_F(ReaderFaultsInWindow, TheImprintSaysSoWhenNoMailProgramWritesTheMail) {
    start();
    tap(u"button"_qs, u"Info"_qs);
    tap(u"button"_qs, u"Send Mail"_qs);
    const QJsonObject now = expectSound("the mail button");
    EXPECT_EQ(now[u"alert"].toObject()[u"title"].toString(), u"No mail program");
}

TEST_F(ReaderFaultsInWindow, AWebPlayersClipWithoutNetworkShowsTheTimeoutAlert) {
    // The playlist's clips are a video site's pages.
    start(QStringLiteral(GUIDE_DEMO_EDITION), [](const QString& folder, const QUrl&) {
        QFile feed(folder + QStringLiteral("/feeds/videos.xml"));
        ASSERT_TRUE(feed.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(feed.readAll());
        feed.close();
        text.replace(QRegularExpression(QStringLiteral("<media:content url='[^']*'")),
                     QStringLiteral("<media:content url='https://www.youtube.com/watch?v=AAAAAAAAAAA'"));
        ASSERT_TRUE(feed.open(QIODevice::WriteOnly));
        feed.write(text.toUtf8());
    });
    tap(u"button"_qs, u"TV"_qs);
    const auto clip = guide->find(guide->settle(8000), u"row"_qs, {});
    ASSERT_TRUE(clip);
    ASSERT_TRUE(guide->menu({u"Device"_qs, u"Network available"_qs}));
    guide->tapAt(clip->centre());
    QJsonObject now = expectSound("the web player without network");
    EXPECT_EQ(now[u"alert"].toObject()[u"title"].toString(), u"Timeout") << guide->output().toStdString();
    tap(u"button"_qs, u"Go Back"_qs);
    now = expectSound("after Go Back");
    EXPECT_EQ(now[u"page"].toString(), u"TVPage");
}

TEST_F(ReaderFaultsInWindow, TheShakeWorksWhileAWebPageHasTheKeys) {
    // Every venue's web site is the edition's own page, served here.
    start(QStringLiteral(GUIDE_DEMO_EDITION), [](const QString& folder, const QUrl& server) {
        const QString site = server.authority() + QStringLiteral("/web/index.html");
        GuideWindow::runSql(folder + QStringLiteral("/Catalog.sqlite"),
                            "UPDATE catalog SET website = '" + site.toUtf8() + "'");
    });
    tap(u"button"_qs, u"Sights"_qs);
    tap(u"row"_qs, u"All, 67"_qs);
    const auto venue = guide->find(guide->settle(), u"row"_qs, {});
    ASSERT_TRUE(venue);
    guide->tapAt(venue->centre());
    // The web site's button lies further down the detail.
    QJsonObject now = guide->settle();
    for (int i = 0; i < 5 && !guide->find(now, u"button"_qs, u"Web"_qs); ++i) {
        const auto detail = guide->find(now, u"scroll"_qs, {});
        ASSERT_TRUE(detail);
        guide->drag(detail->centre() + QPoint(0, 100), detail->centre() - QPoint(0, 100));
        now = guide->settle();
    }
    ASSERT_TRUE(guide->tap(u"button"_qs, u"Web"_qs)) << "no web site button";
    now = guide->settle(10000);
    ASSERT_EQ(now[u"page"].toString(), u"WebviewPage");
    // The page takes the keys, as a reader's click gives them to it.
    guide->tapAt(guide->onScreen(now, QPoint(160, 200)));
    guide->key(u"ctrl+shift+z"_qs);
    now = expectSound("a shake over the web page");
    EXPECT_EQ(now[u"page"].toString(), u"ChapterPage");
}

TEST_F(ReaderFaultsInWindow, ATapDuringTheStartUpFadeReachesTheHomeScreen) {
    guide = std::make_unique<GuideWindow>(GuideWindow::Options{QStringLiteral(GUIDE_DEMO_EDITION), {}});
    ASSERT_TRUE(guide->failure().isEmpty()) << guide->failure().toStdString();
    // The fade lasts four seconds; the controls of the home screen are there under it.
    const QJsonObject early = guide->state();
    const auto maps = guide->find(early, u"button"_qs, u"Maps"_qs);
    ASSERT_TRUE(maps) << "the home screen's buttons are covered during the fade";
    guide->tapAt(maps->centre());
    EXPECT_EQ(expectSound("a tap during the fade")[u"page"].toString(), u"OfflineMapsPage");
}

TEST_F(ReaderFaultsInWindow, TheLiveMapOfATownWithItsOwnTilesStaysQuietOffline) {
    // The edition's tiles cover every other column: each view holds tiles of its own and gaps.
    start(QStringLiteral(GUIDE_VADUZ_EDITION), [](const QString& folder, const QUrl&) {
        GuideWindow::runSqlOnTiles(folder, "DELETE FROM tiles WHERE tile_column % 2 = 0");
    });
    ASSERT_TRUE(guide->menu({u"Device"_qs, u"Network available"_qs}));
    tap(u"button"_qs, u"Live Map"_qs);
    QJsonObject now = expectSound("the live map offline");
    EXPECT_EQ(now[u"page"].toString(), u"LiveMap");
    EXPECT_FALSE(now.contains(u"alert")) << now[u"alert"].toObject()[u"message"].toString().toStdString();

    // Where the edition has no tiles at all, the map can show nothing: then the alert, naming no map
    // service the edition does not use.
    const auto map = guide->find(now, u"map"_qs, {});
    ASSERT_TRUE(map);
    for (int i = 0; i < 6 && !guide->state().contains(u"alert"); ++i)
        guide->drag(map->centre() + QPoint(140, 0), map->centre() - QPoint(140, 0));
    now = guide->settle();
    ASSERT_TRUE(now.contains(u"alert"));
    const QString message = now[u"alert"].toObject()[u"message"].toString();
    EXPECT_TRUE(message.startsWith(u"Oh no!")) << message.toStdString();
    EXPECT_FALSE(message.contains(u"Google")) << message.toStdString();
}

TEST_F(ReaderFaultsInWindow, ACalloutNearTheEdgeIsWholeWithItsButton) {
    start();
    tap(u"button"_qs, u"Live Map"_qs);
    QJsonObject now = guide->settle(8000);
    const auto map = guide->find(now, u"map"_qs, {});
    ASSERT_TRUE(map);
    // The pin furthest right is dragged to the right edge, then touched.
    std::optional<Control> pin;
    for (const Control& control : guide->controls(now)) {
        if (control.kind == u"pin" && (!pin || control.rect.x() > pin->rect.x()))
            pin = control;
    }
    ASSERT_TRUE(pin) << "no pin on the live map";
    const QString name = pin->name;
    guide->drag(map->centre(), map->centre() + QPoint(map->rect.right() - 12 - pin->centre().x(), 0));
    pin = guide->find(guide->settle(), u"pin"_qs, name);
    ASSERT_TRUE(pin) << name.toStdString() << " left the map";
    guide->tapAt(pin->centre());
    now = expectSound("a callout at the edge");
    const auto more = guide->find(now, u"button"_qs, u"Details"_qs);
    ASSERT_TRUE(more) << "the callout's button cannot be touched";
    EXPECT_TRUE(map->rect.contains(more->rect)) << "the callout's button stands off the map";
}

} // namespace
