#include "tools/edition/OsmKinds.h"

namespace OsmImport {

using Edition::Writing::Chapter;

const ChapterKind chapterKinds[NoChapter] = {
    {{QStringLiteral("Sights"), QStringLiteral("SIGHTS"), QStringLiteral("ChapterSights"),
      QColor::fromRgbF(0.96f, 0.78f, 0.31f)},
     "01-sights",
     "sights"},
    {{QStringLiteral("Museums"), QStringLiteral("MUSEUMS"), QStringLiteral("ChapterMuseums"),
      QColor::fromRgbF(0.78f, 0.60f, 0.90f)},
     "02-museums",
     "museums"},
    {{QStringLiteral("Cafés"), QStringLiteral("CAFES"), QStringLiteral("ChapterCafes"),
      QColor::fromRgbF(0.85f, 0.66f, 0.45f)},
     "03-cafes",
     "cafés"},
    {{QStringLiteral("Dining"), QStringLiteral("DINING"), QStringLiteral("ChapterDining"),
      QColor::fromRgbF(0.95f, 0.55f, 0.40f)},
     "04-dining",
     "places to eat"},
    {{QStringLiteral("Nightlife"), QStringLiteral("NIGHTLIFE"), QStringLiteral("ChapterNightlife"),
      QColor::fromRgbF(0.55f, 0.60f, 0.95f)},
     "05-nightlife",
     "bars and pubs"},
    {{QStringLiteral("Hotels"), QStringLiteral("HOTELS"), QStringLiteral("ChapterHotels"),
      QColor::fromRgbF(0.45f, 0.80f, 0.75f)},
     "06-hotels",
     "hotels"},
    {{QStringLiteral("Shopping"), QStringLiteral("SHOPPING"), QStringLiteral("ChapterShopping"),
      QColor::fromRgbF(0.95f, 0.62f, 0.75f)},
     "07-shopping",
     "shops"},
};
const int precedence[NoChapter] = {0, 1, 3, 4, 5, 2, 6};

namespace {

// A kind of venue: the tag value it comes from and how the guide names one and many of them.
struct Kind {
    const char* value;
    const char* one;
    const char* many;
};

const Kind sightKinds[] = {
    {"attraction", "Attraction", "Attractions"},
    {"viewpoint", "Viewpoint", "Viewpoints"},
    {"castle", "Castle", "Castles"},
    {"ruins", "Ruin", "Ruins"},
    {"monument", "Monument", "Monuments"},
    {"memorial", "Memorial", "Memorials"},
    {"church", "Historic church", "Churches"},
    {"chapel", "Chapel", "Churches"},
    {"archaeological_site", "Archaeological site", "Archaeological sites"},
    {"wayside_cross", "Wayside cross", "Wayside shrines"},
    {"wayside_shrine", "Wayside shrine", "Wayside shrines"},
    {"building", "Historic building", "Historic buildings"},
    {"boundary_stone", "Boundary stone", "Boundary stones"},
};

const Kind otherKinds[] = {
    {"museum", "Museum", "Museums"},
    {"cafe", "Café", "Cafés"},
    {"restaurant", "Restaurant", "Restaurants"},
    {"fast_food", "Fast food", "Fast food"},
    {"bar", "Bar", "Bars"},
    {"pub", "Pub", "Pubs"},
    {"hotel", "Hotel", "Hotels"},
    {"guest_house", "Guest house", "Guest houses and hostels"},
    {"hostel", "Hostel", "Guest houses and hostels"},
};

const Kind shopKinds[] = {
    {"bakery", "Bakery", "Bakeries"},
    {"butcher", "Butcher", "Butchers"},
    {"supermarket", "Supermarket", "Supermarkets"},
    {"convenience", "Convenience store", "Convenience stores"},
    {"kiosk", "Kiosk", "Kiosks"},
    {"clothes", "Clothes shop", "Clothes"},
    {"shoes", "Shoe shop", "Shoes"},
    {"boutique", "Boutique", "Boutiques"},
    {"jewelry", "Jeweller", "Jewellers"},
    {"watches", "Watchmaker", "Jewellers"},
    {"books", "Bookshop", "Books"},
    {"florist", "Florist", "Florists"},
    {"hairdresser", "Hairdresser", "Hairdressers"},
    {"beauty", "Beauty salon", "Beauty"},
    {"optician", "Optician", "Opticians"},
    {"chemist", "Chemist", "Chemists"},
    {"department_store", "Department store", "Department stores"},
    {"mall", "Shopping centre", "Shopping centres"},
    {"gift", "Gift shop", "Gifts"},
    {"souvenir", "Souvenir shop", "Gifts"},
    {"wine", "Wine shop", "Wine and drinks"},
    {"alcohol", "Wine and spirits shop", "Wine and drinks"},
    {"beverages", "Drinks shop", "Wine and drinks"},
    {"electronics", "Electronics shop", "Electronics"},
    {"computer", "Computer shop", "Electronics"},
    {"mobile_phone", "Phone shop", "Electronics"},
    {"hardware", "Hardware store", "Hardware"},
    {"doityourself", "Hardware store", "Hardware"},
    {"furniture", "Furniture shop", "Furniture"},
    {"sports", "Sports shop", "Sports"},
    {"bicycle", "Bicycle shop", "Bicycles"},
    {"car", "Car dealer", "Cars"},
    {"car_repair", "Car repair", "Cars"},
    {"travel_agency", "Travel agency", "Travel agencies"},
    {"stationery", "Stationer", "Stationery"},
    {"toys", "Toy shop", "Toys"},
    {"art", "Art shop", "Art"},
    {"photo", "Photo shop", "Photo"},
    {"pharmacy", "Pharmacy", "Chemists"},
};

Classified kindOf(const QString& value, const Kind* begin, const Kind* end, int chapter) {
    for (const Kind* kind = begin; kind != end; ++kind) {
        if (value == QLatin1String(kind->value))
            return {chapter, QString::fromUtf8(kind->one), QString::fromUtf8(kind->many)};
    }
    return {chapter, words(value), words(value), false};
}

} // namespace

QString words(const QString& value) {
    QString text = value.section(u';', 0, 0).trimmed();
    text.replace(u'_', u' ');
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

Classified classify(const Osm::Object& object) {
    const QString tourism = object.tag("tourism"), amenity = object.tag("amenity"),
                  historic = object.tag("historic"), shop = object.tag("shop");
    if (tourism == u"attraction" || tourism == u"viewpoint")
        return kindOf(tourism, std::begin(sightKinds), std::end(sightKinds), Sights);
    if (!historic.isEmpty() && historic != u"no") {
        Classified sight = kindOf(historic, std::begin(sightKinds), std::end(sightKinds), Sights);
        if (!sight.known)
            sight.many = QStringLiteral("Historic sites");
        return sight;
    }
    if (tourism == u"museum")
        return kindOf(tourism, std::begin(otherKinds), std::end(otherKinds), Museums);
    // A hotel with a restaurant is a hotel first.
    if (tourism == u"hotel" || tourism == u"guest_house" || tourism == u"hostel")
        return kindOf(tourism, std::begin(otherKinds), std::end(otherKinds), Hotels);
    if (amenity == u"cafe")
        return kindOf(amenity, std::begin(otherKinds), std::end(otherKinds), Cafes);
    if (amenity == u"restaurant" || amenity == u"fast_food")
        return kindOf(amenity, std::begin(otherKinds), std::end(otherKinds), Dining);
    if (amenity == u"bar" || amenity == u"pub")
        return kindOf(amenity, std::begin(otherKinds), std::end(otherKinds), Nightlife);
    if (!shop.isEmpty() && shop != u"no" && shop != u"vacant") {
        if (shop == u"yes")
            return {Shopping, QStringLiteral("Shop"), QStringLiteral("Shops")};
        return kindOf(shop, std::begin(shopKinds), std::end(shopKinds), Shopping);
    }
    return {};
}

} // namespace OsmImport
