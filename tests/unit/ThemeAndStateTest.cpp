#include "model/DAO.h"
#include "model/PropertyList.h"
#include "model/ShareData.h"
#include "platform/Device.h"
#include "platform/UserDefaults.h"
#include "tests/support/TestSupport.h"

#include <plist/plist.h>

using namespace testsupport;

namespace {

using ThemeTest = GuideTest;

TEST_F(ThemeTest, LooksUpEachChaptersLook) {
    const ShareData* theme = ShareData::sharedInstance();
    EXPECT_EQ(theme, ShareData::sharedInstance());
    EXPECT_EQ(theme->getCorrespondingColor(u"Sights"_qs), (ShareData::Color{1, 0.5, 0, 1}));
    EXPECT_DOUBLE_EQ(theme->getCorrespondingColor(u"Hotels"_qs).red, 0.2); // numeric text
    EXPECT_EQ(theme->getCorrespondingBKG(u"Sights"_qs), u"SightsBackground"_qs);
    Device::setSystemVersion(u"3.1.3"_qs);
    EXPECT_EQ(theme->getCorrespondingBKG(u"Sights"_qs), u"SightsBackground.png"_qs);
    Device::setSystemVersion(u"4.0"_qs);

    const auto placement = theme->getCorrespondingPlacement(u"Hotels"_qs);
    ASSERT_TRUE(placement);
    EXPECT_EQ(placement->value(u"venue_id"_qs).toInt(), 7);
    EXPECT_EQ(placement->value(u"image"_qs).toString(), u"PlacementHotels"_qs);

    // A title that is nowhere: no picture, transparent black, no placement.
    EXPECT_TRUE(theme->getCorrespondingBKG(u"Nowhere"_qs).isEmpty());
    EXPECT_EQ(theme->getCorrespondingColor(u"Nowhere"_qs), ShareData::Color{});
    EXPECT_FALSE(theme->getCorrespondingPlacement(u"Nowhere"_qs));
    EXPECT_NEAR(theme->defaultGPSPosition()->latitude, 48.2085, 1e-9);
}

TEST_F(ThemeTest, ReadsBinaryListsAndSurvivesBrokenOnes) {
    // Rewrite the chapter list in binary form: the lookups read it the same way.
    const auto xml = PropertyList::readFile(editionFile("chapter.plist"));
    ASSERT_TRUE(xml);
    const QByteArray text = PropertyList::toXml(*xml);
    plist_t root = nullptr;
    plist_from_xml(text.constData(), uint32_t(text.size()), &root);
    ASSERT_NE(root, nullptr);
    char* binary = nullptr;
    uint32_t length = 0;
    plist_to_bin(root, &binary, &length);
    plist_free(root);
    const QByteArray bytes(binary, length);
    plist_to_bin_free(binary);
    writeBytes(editionFile("chapter.plist"), bytes);
    EXPECT_EQ(ShareData::sharedInstance()->getCorrespondingColor(u"Sights"_qs),
              (ShareData::Color{1, 0.5, 0, 1}));

    // Cut short at every length: never a crash, and no answer from a broken file.
    for (qsizetype cut = 0; cut < bytes.size(); cut += 7) {
        QString error;
        const auto value = PropertyList::fromBytes(bytes.left(cut), &error);
        if (!value) {
            EXPECT_FALSE(error.isEmpty());
        }
    }
    writeBytes(editionFile("chapter.plist"), bytes.left(bytes.size() / 2));
    LogCapture log;
    EXPECT_EQ(ShareData::sharedInstance()->getCorrespondingColor(u"Sights"_qs), ShareData::Color{});
    EXPECT_FALSE(ShareData::sharedInstance()->getCorrespondingPlacement(u"Hotels"_qs));
}

TEST_F(ThemeTest, WritesListsThatReadBack) {
    const QVariantMap value{{u"Venues"_qs, QVariantList{u"Cafe"_qs, u"Art Cafe"_qs}},
                            {u"count"_qs, 2},
                            {u"ratio"_qs, 0.5},
                            {u"on"_qs, true}};
    ASSERT_TRUE(PropertyList::writeFileAtomically(documentFile("list.plist"), value));
    const auto back = PropertyList::readFile(documentFile("list.plist"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->toMap().value(u"Venues"_qs).toStringList(), (QStringList{u"Cafe"_qs, u"Art Cafe"_qs}));
    EXPECT_EQ(back->toMap().value(u"count"_qs).toInt(), 2);
    EXPECT_DOUBLE_EQ(back->toMap().value(u"ratio"_qs).toDouble(), 0.5);
    EXPECT_TRUE(back->toMap().value(u"on"_qs).toBool());
}

using AppStateTest = GuideTest;

TEST_F(AppStateTest, AnEmptyStoreGivesANewRecord) {
    const AppState state = DAOFactory::getInstance()->dao()->readStateOfApp();
    EXPECT_EQ(state, AppState{});
    EXPECT_TRUE(state.categoryTitle.isEmpty());
    EXPECT_EQ(state.liveMapVenueLocation, (AppState::Position{0, 0}));
    EXPECT_TRUE(state.liveMapVenues.isEmpty());
}

TEST_F(AppStateTest, ReadsStoredValuesAndCopiesTheVenueList) {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    defaults.setObject(u"categoryTitle"_qs, u"Sights"_qs);
    defaults.setObject(u"webViewAddress"_qs, u"https://example.org"_qs);
    defaults.setObject(u"liveMapCalledFromDetailedPage"_qs, 1);
    defaults.setObject(u"liveMapVenueLocation"_qs,
                       QVariantMap{{u"latitude"_qs, 48.2}, {u"longitude"_qs, 16.37}});
    defaults.setObject(u"liveMapVenues"_qs, QVariantList{u"Cafe"_qs});

    AppState state = DAOFactory::getInstance()->dao()->readStateOfApp();
    EXPECT_EQ(state.categoryTitle, u"Sights"_qs);
    EXPECT_EQ(state.webViewAddress, u"https://example.org"_qs);
    EXPECT_EQ(state.liveMapCalledFromDetailedPage, 1);
    EXPECT_EQ(state.liveMapCalledFromChapterPage, 0);
    EXPECT_EQ(state.liveMapVenueLocation, (AppState::Position{48.2, 16.37}));
    state.liveMapVenues.append(u"Dojo"_qs);
    EXPECT_EQ(defaults.objectForKey(u"liveMapVenues"_qs).toList().size(), 1);
}

} // namespace
