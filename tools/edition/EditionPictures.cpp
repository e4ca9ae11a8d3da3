#include "tools/edition/Edition.h"

namespace Edition {

const QStringList& alwaysNeededPictures() {
    // The pictures the screens load by these names whatever the content says: the start-up picture,
    // the page backgrounds, the buttons, badges and frames, and the imprint's logos.
    static const QStringList names = {
        QStringLiteral("Default"),
        QStringLiteral("Background"),
        QStringLiteral("ChapterPageBackground"),
        QStringLiteral("BookmarkPageBackground"),
        QStringLiteral("CurrencyPageBackground"),
        QStringLiteral("SearchPageBackground"),
        QStringLiteral("WeatherPageBackground"),
        QStringLiteral("OfflineMapsPageBackground"),
        QStringLiteral("BCKBlack"),
        QStringLiteral("NavigationBar"),
        QStringLiteral("InfoPanel60"),
        QStringLiteral("Maps"),
        QStringLiteral("Bookmarks"),
        QStringLiteral("Search"),
        QStringLiteral("Info"),
        QStringLiteral("Close"),
        QStringLiteral("Call"),
        QStringLiteral("Email"),
        QStringLiteral("Web"),
        QStringLiteral("SendMail"),
        QStringLiteral("Featured"),
        QStringLiteral("ThumbFrame"),
        QStringLiteral("BackUp"),
        QStringLiteral("BackDown"),
        QStringLiteral("DoneUp3"),
        QStringLiteral("DoneDown3"),
        QStringLiteral("DotUp3"),
        QStringLiteral("DotDown3"),
        QStringLiteral("LogoSBK"),
        QStringLiteral("LogoVantor"),
        QStringLiteral("SBKBadge"),
    };
    return names;
}

const QStringList& toolIDs() {
    static const QStringList ids = {
        QStringLiteral("SortAZ.tool"),  QStringLiteral("SortNearest.tool"), QStringLiteral("LiveMap.tool"),
        QStringLiteral("Search.page"),  QStringLiteral("Bookmark.tool"),    QStringLiteral("Currency.tool"),
        QStringLiteral("Weather.tool"), QStringLiteral("TV.tool"),          QStringLiteral("OpenNow.tool"),
    };
    return ids;
}

} // namespace Edition
