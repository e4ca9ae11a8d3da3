#include "tools/edition/EditionTiles.h"
#include "tools/edition/EditionWriting.h"

#include "ArtRenderer.h"
#include "model/DAO.h"
#include "model/ManagerModel.h"
#include "model/PropertyList.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace Edition::Writing {

const QString openStreetMapCredit = QStringLiteral("© OpenStreetMap contributors");

std::optional<Place> parsePlace(const QString& text) {
    const QStringList parts = text.split(u',');
    if (parts.size() != 2)
        return std::nullopt;
    bool latOk = false, lonOk = false;
    const Place place{parts[0].trimmed().toDouble(&latOk), parts[1].trimmed().toDouble(&lonOk)};
    if (!latOk || !lonOk || !std::isfinite(place.latitude) || !std::isfinite(place.longitude) ||
        std::abs(place.latitude) > 90 || std::abs(place.longitude) > 180)
        return std::nullopt;
    return place;
}

QString cityNameProblem(const QString& city) {
    // The settings file has no way to write a double quote or a line break inside a value.
    if (city.isEmpty() || city.contains(u'"') || city.contains(u'\n') || city.contains(u':') ||
        city.size() > 60)
        return QStringLiteral("--city: a name of at most 60 characters without double quotes, colons or line "
                              "breaks");
    return {};
}

QString countryProblem(const QString& region) {
    return QStringLiteral(
               "--country \"%1\": the two letters of a country in ISO 3166-1 are needed (such as AT "
               "or LI)")
        .arg(region);
}

QString notEmptyProblem(const QString& folder, const QString& command) {
    const QDir dir(folder);
    if (dir.exists() && !dir.isEmpty())
        return QStringLiteral("%1: the folder is not empty; %2 writes into a new or empty folder")
            .arg(folder, command);
    return {};
}

QString coordinate(double value) {
    return QString::number(value, 'f', 6);
}

QString csvField(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n'))
        return text;
    return u'"' + QString(text).replace(u"\""_qs, u"\"\""_qs) + u'"';
}

QString stored(const QString& text) {
    return QString(text).replace(u"'"_qs, u"''"_qs);
}

namespace {

// The converter's currencies: the euro first (the reference rates are the euro's), then the country's
// own when it is another, then the dollar and the pound.
QString currencies(const std::optional<CountryFacts>& country) {
    QStringList entries = {QStringLiteral("EUR:€:FlagEU"), QStringLiteral("USD:$:FlagUS"),
                           QStringLiteral("GBP:£:FlagGB")};
    if (country && !country->currency.isEmpty() && country->currency != u"EUR") {
        const QString own =
            QStringLiteral("%1:%2:Flag%3")
                .arg(country->currency, QString(country->currencySymbol).remove(u':').remove(u','),
                     country->currencyIssuer);
        const auto same = std::find_if(entries.begin(), entries.end(), [&](const QString& entry) {
            return entry.startsWith(country->currency);
        });
        if (same != entries.end())
            entries.erase(same);
        entries.insert(1, own);
    }
    return entries.join(u',');
}

} // namespace

QString settingsFile(const QString& city, const QList<Chapter>& chapters, const QString& localName,
                     const QString& orderMaps, const std::optional<CountryFacts>& country) {
    ManagerModel model;
    model.setDateRelease(QDate::currentDate().toString(Qt::ISODate));
    model.setDateCurrency(QStringLiteral("2010-01-01 T 00:00"));
    model.setDateWeather(QStringLiteral("2010-01-01 T 00:00"));
    model.setInfoNameEnglish(city);
    for (auto set : {&ManagerModel::setInfoAirportCode, &ManagerModel::setInfoCityCode,
                     &ManagerModel::setInfoCountryCode, &ManagerModel::setInfoInternetCode,
                     &ManagerModel::setInfoTimeZone, &ManagerModel::setInfoTimeZoneId,
                     &ManagerModel::setContactVantor, &ManagerModel::setContactSBK})
        (model.*set)(fillIn);
    if (country) {
        for (auto [set, value] : {std::pair{&ManagerModel::setInfoCountryCode, country->callingCode},
                                  std::pair{&ManagerModel::setInfoInternetCode, country->internetCode},
                                  std::pair{&ManagerModel::setInfoTimeZone, country->timeZoneShown},
                                  std::pair{&ManagerModel::setInfoTimeZoneId, country->timeZone}}) {
            if (!value.isEmpty())
                (model.*set)(value);
        }
    }
    model.setInfoNameLocal(localName.isEmpty() ? city : localName);
    model.setOrderMaps(orderMaps);
    QStringList order;
    for (const Chapter& chapter : chapters)
        order.append(QStringLiteral("%1:%2:chapter;%3").arg(chapter.title, chapter.icon, chapter.id));
    order.append(QStringLiteral("Search:ChapterSearch:search;SEARCH"));
    model.setOrderChapters(order.join(QStringLiteral(",\n")));
    model.setOrderChapterTools(QStringLiteral("Live Map:ToolLiveMap:LiveMap.tool,"
                                              "Currency:ToolCurrency:Currency.tool,"
                                              "Search:ToolSearch:Search.page"));
    model.setOrderVenuesTools(QStringLiteral("A-Z:ToolSortAZ:SortAZ.tool,"
                                             "Nearest:ToolNearest:SortNearest.tool,"
                                             "Live Map:ToolLiveMap:LiveMap.tool,"
                                             "Open now:ToolOpenNow:OpenNow.tool"));
    model.setOrderDetailedViewTools(QStringLiteral("Search:ToolSearch:Search.page,"
                                                   "Bookmark:ToolBookmark:Bookmark.tool,"
                                                   "Live Map:ToolLiveMap:LiveMap.tool"));
    model.setUserCurrencies(currencies(country));
    model.setFeedCurrency(QStringLiteral("https://www.ecb.europa.eu/stats/eurofxref/eurofxref-daily.xml"));
    return QString::fromUtf8(DAO::settingsFileBytes(model));
}

namespace {

QVariantMap colourEntry(const QColor& colour) {
    return {{QStringLiteral("r"), colour.redF()},
            {QStringLiteral("g"), colour.greenF()},
            {QStringLiteral("b"), colour.blueF()},
            {QStringLiteral("a"), 1.0}};
}

} // namespace

QVariantMap chapterList(const Place& at, const QList<Chapter>& chapters) {
    QVariantMap backgrounds, colours;
    for (const Chapter& chapter : chapters) {
        backgrounds.insert(chapter.title, QStringLiteral("BackgroundChapter"));
        colours.insert(chapter.title, colourEntry(chapter.colour));
    }
    backgrounds.insert(QStringLiteral("Search"), QStringLiteral("BackgroundChapter"));
    colours.insert(QStringLiteral("Search"), colourEntry(QColor::fromRgbF(0.55f, 0.80f, 0.95f)));
    return {
        {QStringLiteral("Backgrounds"), backgrounds},
        {QStringLiteral("Colors"), colours},
        {QStringLiteral("Placements"), QVariantMap{}},
        {QStringLiteral("Default GPS Position"),
         QVariantMap{{QStringLiteral("lat"), at.latitude}, {QStringLiteral("long"), at.longitude}}},
    };
}

QString imprint(const QString& city, const QString& credit) {
    return QStringLiteral("%1 City Guide\n\n"
                          "%2 Publisher: name, postal address, e-mail address.\n\n"
                          "%2 Texts and pictures: who wrote and made them.\n\n%3\n")
        .arg(city, fillIn, credit);
}

namespace {

// The start-up picture carries the city's name; a long name gets smaller letters so that it fits.
QByteArray startPicture(const QString& city) {
    QFile file(QStringLiteral(":/newedition/Default.svg"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString svg = QString::fromUtf8(file.readAll());
    const int size = std::min(38, int(296 / (0.53 * std::max<qsizetype>(1, city.size()))));
    svg.replace(QStringLiteral("font-size=\"38\""), QStringLiteral("font-size=\"%1\"").arg(size));
    svg.replace(QStringLiteral("{{CITY}}"), city.toHtmlEscaped());
    return svg.toUtf8();
}

// A flag of the currency row that no drawing is at hand for: the country's letters on grey.
QByteArray letteredFlag(const QString& region) {
    return QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"36\" height=\"24\" "
                          "viewBox=\"0 0 36 24\"><rect width=\"36\" height=\"24\" rx=\"2\" fill=\"#8a929c\"/>"
                          "<text x=\"18\" y=\"16.5\" font-family=\"Liberation Sans\" font-size=\"12\" "
                          "font-weight=\"bold\" text-anchor=\"middle\" fill=\"#ffffff\">%1</text></svg>")
        .arg(region.toHtmlEscaped())
        .toUtf8();
}

bool writeDrawing(const QString& folder, const QString& name, const QByteArray& svg, QString* error) {
    for (int scale : {1, 2}) {
        const QImage picture = artwork::renderSvgData(svg, scale);
        const QString path = artwork::outputPath(folder, name, scale);
        if (picture.isNull() || !picture.save(path, "PNG")) {
            *error = QStringLiteral("%1: cannot be written").arg(path);
            return false;
        }
    }
    return true;
}

} // namespace

bool writeFile(const QString& path, const QByteArray& bytes, QString* error) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool writePictures(const QString& folder, const QString& city, const std::optional<CountryFacts>& country,
                   QString* error) {
    const artwork::RunReport report = artwork::renderDirectory(QStringLiteral(":/newedition"), folder);
    if (!report.errors.isEmpty()) {
        *error = report.errors.join(QStringLiteral("; "));
        return false;
    }
    if (!writeDrawing(folder, QStringLiteral("Default"), startPicture(city), error))
        return false;
    if (!country || country->currency.isEmpty())
        return true;
    const QString flag = QStringLiteral("Flag") + country->currencyIssuer;
    if (QFile::exists(artwork::outputPath(folder, flag, 1)))
        return true;
    QFile drawing(QStringLiteral(":/flags/%1.svg").arg(flag));
    return writeDrawing(
        folder, flag,
        drawing.open(QIODevice::ReadOnly) ? drawing.readAll() : letteredFlag(country->currencyIssuer), error);
}

} // namespace Edition::Writing

namespace {

using namespace Edition::Writing;

const QList<Chapter> sightsOnly = {{QStringLiteral("Sights"), QStringLiteral("SIGHTS"),
                                    QStringLiteral("ChapterGeneral"), QColor::fromRgbF(0.96f, 0.78f, 0.31f)}};

QString catalogFile(const QString& city, const Place& at) {
    const QStringList header = {
        QStringLiteral("name"),       QStringLiteral("body"),         QStringLiteral("address"),
        QStringLiteral("gps_lat"),    QStringLiteral("gps_lon"),      QStringLiteral("mobile_highlight"),
        QStringLiteral("chapter_id"), QStringLiteral("chapter_name"), QStringLiteral("category_name"),
        QStringLiteral("text_short"), QStringLiteral("text_long"),    QStringLiteral("title"),
    };
    const QStringList venue = {
        QStringLiteral("First venue"),
        stored(QStringLiteral("%1 Describe the venue here: what a reader finds there and why it is worth the "
                              "way. It stands at the point the edition was started with.")
                   .arg(fillIn)),
        fillIn,
        coordinate(at.latitude),
        coordinate(at.longitude),
        QStringLiteral("1"),
        QStringLiteral("SIGHTS"),
        QStringLiteral("Sights"),
        QStringLiteral("Landmarks"),
        stored(QStringLiteral("%1 The sights of %2 in one line.").arg(fillIn, city)),
        stored(QStringLiteral("%1 An introduction to the sights of %2.\\nA second paragraph follows a "
                              "backslash and n.")
                   .arg(fillIn, city)),
        stored(QStringLiteral("Sights of %1").arg(city)),
    };
    QStringList fields;
    for (const QString& value : venue)
        fields.append(csvField(value));
    return header.join(u',') + u'\n' + fields.join(u',') + u'\n';
}

const QString newUsage = QStringLiteral("new DIR --city NAME --at LAT,LON [--country CC]");

} // namespace

namespace Edition {

int newEdition(const QStringList& args, QTextStream& out, QString* error) {
    QString folder, city, region;
    std::optional<Place> at;
    for (int i = 0; i < args.size(); ++i) {
        const QString next = args.value(i + 1);
        if (args[i] == u"--city" && i + 1 < args.size()) {
            city = next.trimmed();
            ++i;
        } else if (args[i] == u"--country" && i + 1 < args.size()) {
            region = next;
            ++i;
        } else if (args[i] == u"--at" && i + 1 < args.size()) {
            if (!(at = parsePlace(next))) {
                *error = QStringLiteral("--at needs a position LAT,LON (for example 47.0707,15.4395)");
                return 2;
            }
            ++i;
        } else if (folder.isEmpty() && !args[i].startsWith(QStringLiteral("--"))) {
            folder = args[i];
        } else {
            *error = QStringLiteral("usage: cityguide-edition ") + newUsage;
            return 2;
        }
    }
    if (folder.isEmpty() || city.isEmpty() || !at) {
        *error = QStringLiteral("usage: cityguide-edition ") + newUsage;
        return 2;
    }
    if (const QString problem = cityNameProblem(city); !problem.isEmpty()) {
        *error = problem;
        return 2;
    }
    const std::optional<CountryFacts> country =
        region.isEmpty() ? std::nullopt : countryFacts(region, at->latitude, at->longitude);
    if (!region.isEmpty() && !country) {
        *error = countryProblem(region);
        return 2;
    }
    if (const QString problem = notEmptyProblem(folder, QStringLiteral("new")); !problem.isEmpty()) {
        *error = problem;
        return 1;
    }
    const QDir dir(folder);
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("%1: cannot create the folder").arg(folder);
        return 1;
    }
    const QString bookmarks = dir.filePath(QStringLiteral("Bookmarks.plist"));
    QString why;
    const bool written =
        writeFile(dir.filePath(QStringLiteral("manager.csv")),
                  settingsFile(city, sightsOnly, {}, {}, country).toUtf8(), error) &&
        writeFile(dir.filePath(QStringLiteral("catalog/01-sights.csv")), catalogFile(city, *at).toUtf8(),
                  error) &&
        writeFile(dir.filePath(QStringLiteral("chapter.plist")),
                  PropertyList::toXml(chapterList(*at, sightsOnly)), error) &&
        writeFile(bookmarks, PropertyList::toXml(QVariantMap{{QStringLiteral("Venues"), QVariantList{}}}),
                  error) &&
        writeFile(
            dir.filePath(QStringLiteral("imprint.txt")),
            imprint(city, QStringLiteral("Street maps %1, available under the Open Database Licence (ODbL).")
                              .arg(openStreetMapCredit))
                .toUtf8(),
            error) &&
        writePictures(folder, city, country, error);
    if (!written)
        return 1;
    out << "A new edition of " << city << " is in " << folder << ".\n"
        << "Fill in what is marked " << fillIn
        << " in manager.csv, catalog/01-sights.csv and imprint.txt, then:\n"
        << "  cityguide-edition check " << folder << "\n"
        << "  cityguide-edition build " << folder << " OUT\n"
        << "  cityguide --edition OUT\n"
        << "docs/publishing.md tells every file and picture an edition may have.\n";
    out.flush();
    return 0;
}

bool renderArt(const QString& sourceFolder, const QString& outFolder, QString* error) {
    const QString art = sourceFolder + QStringLiteral("/art");
    if (!QFileInfo(art).isDir())
        return true;
    const artwork::RunReport report = artwork::renderDirectory(art, outFolder);
    if (!report.errors.isEmpty()) {
        *error = report.errors.join(QStringLiteral("; "));
        return false;
    }
    return true;
}

} // namespace Edition
