#pragma once

#include "catalog/Venue.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

// All reading of the catalogue (table "catalog" of Catalog.sqlite). One connection serves the whole
// process and is opened in SQLite's serialized mode: the screens query from their own background
// queues while the home screen queries from the user-interface thread. Every operation prepares,
// steps and finalizes its own statements. A statement that fails is logged with its cause and yields
// the operation's empty result.
class SQLDAL {
public:
    // The four lists the category page shows for a chapter.
    struct ChapterCategories {
        QStringList names;   // distinct category names, in the database's order
        QStringList counts;  // venues per name, as text
        QString total;       // venues of the chapter that have a category ("" when the count fails)
        QStringList located; // "1" when the category has a venue with a position, else "0"
    };

    // Replaces the working copy with the edition's Catalog.sqlite and opens it.
    static void connectToDatabase();
    // Closes the connection (tools and tests that switch editions).
    static void closeDatabase();
    static bool isOpen();
    // How many statements have failed on the calling thread so far; a worker compares the count
    // before and after its work to learn whether what it read is complete.
    static int failuresOnThisThread();

    static QString dataFilePath(const QString& fileName);

    static ChapterCategories getCategoriesForChapter(const QString& chapterID);
    static QString categoryHasVenuesWithLocationGiven(const QString& category, const QString& chapterID);
    // (text_short, text_long, title) of the chapter's first row.
    static QStringList getCategoryIntroduction(const QString& chapterID);
    // "All" lists every venue of the chapter; otherwise the venues of the category with that name.
    static VenueList getVenuesForCategory(const QString& category, const QString& chapterID);
    // Venues whose name or description contains the text; "%" and "_" stand for themselves. Only the
    // first maxSearchLength characters of the text count.
    static VenueList getVenuesNamedAs(const QString& text);
    static constexpr int maxSearchLength = 256;
    // One venue per name that still exists, in the order of the names.
    static VenueList getVenueDataForVenues(const QStringList& names);
    // Venues within about 10 km (a box of 10/111 degree) of the position; (0, 0) without one.
    struct Position {
        double latitude = 0, longitude = 0;
    };
    static VenueList getAllVenuesCloseTo(const std::optional<Position>& position);
    static QString getChapterNameForVenue(const QString& name);
    // The 20 detail values of a venue by id (id >= 0) or by exact name (id < 0).
    static QVariantList getVenueDetails(int venueID, const QString& venueName);
    // The venue's opening hours in OpenStreetMap's syntax ("Mo-Fr 09:00-18:00"), or "" when the
    // catalogue has none for it.
    static QString openingHoursOf(int venueID);
    // The venue's name followed by its 20 detail values.
    static QVariantList getVenueWithVenueID(int venueID, const QString& chapterID);

    enum DetailPosition {
        DetailAddress = 0,
        DetailPostcode,
        DetailPhone,
        DetailPhone2,
        DetailWebsite,
        DetailEmail,
        DetailMetro,
        DetailMap,
        DetailLatitude,
        DetailLongitude,
        DetailPriceText,
        DetailBody,
        DetailImage,
        DetailPriceTextAgain,
        DetailDateStart,
        DetailDateStop,
        DetailOpenText,
        DetailRowID,
        DetailHotelRooms,
        DetailHighlight,
        DetailCount
    };
};
